#include "TestText.h"
#include "WorkedExample.h"
#include "commands/EditorCommands.h"
#include "commands/OpenCommand.h"
#include "commands/SaveCommand.h"
#include "doubles/MemoryEditor.h"
#include "doubles/RecordingMessageBox.h"
#include "doubles/ScriptedFileDialog.h"
#include "doubles/TextFiles.h"
#include "model/EditorRules.h"
#include "model/MessageBoxStyle.h"
#include "platform/SystemFileStore.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

// A file store whose writes fail with a given reason.
class FailingStore : public FileStore {
public:
    int writes = 0;
    FileResult write(const std::u16string&, std::string_view) override {
        ++writes;
        return FileResult{false, u"No space left on device"};
    }
    ReadFileResult read(const std::u16string& path) override { return system_->read(path); }
    NameState look(const std::u16string& path) override { return system_->look(path); }

private:
    std::unique_ptr<FileStore> system_ = makeSystemFileStore();
};

class SaveCommandTest : public ::testing::Test {
protected:
    MemoryEditor editor;
    ScriptedFileDialog dialog;
    RecordingMessageBox messages;
    std::unique_ptr<FileStore> system = makeSystemFileStore();
    FileStore& files = *system;
    TempFolder folder;

    void SetUp() override { editor.load(); }

    SaveOutcome save(ScriptFormat format, SnapshotAfterSave snapshot = SnapshotAfterSave::Take) {
        return saveScript(editor, format, SaveServices{dialog, files, messages}, snapshot);
    }

    // The worked example typed into the editor.
    void typeWorkedExample() {
        editor.texts[1] = u"Question";
        editor.texts[0] = kWorkedBody;
        editor.selectIconOption(1);
        editor.selectButtonOption(8);
        editor.setCheckValue(CheckBoxId::Check1, 1);
        editor.texts[3] = u"Saved.";
        editor.texts[4] = u"Not saved.";
        editor.setCheckValue(CheckBoxId::Check7, 0);
    }
};

TEST_F(SaveCommandTest, WritesTheWorkedExampleByteForByte) {
    typeWorkedExample();
    const auto path = folder.file("dialog.vbs");
    dialog.answers.push_back(path);
    EXPECT_EQ(save(ScriptFormat::Vbs), SaveOutcome::Written);
    EXPECT_EQ(fileBytes(path), workedExampleBytes());
    EXPECT_EQ(editor.windowState.outputPath, path);
    EXPECT_TRUE(messages.calls.empty());
}

TEST_F(SaveCommandTest, WritesTheHtmlPageByteForByte) {
    typeWorkedExample();
    const auto path = folder.file("page.htm");
    dialog.answers.push_back(path);
    EXPECT_EQ(save(ScriptFormat::Html), SaveOutcome::Written);
    EXPECT_EQ(fileBytes(path), "<script language= VBScript><!--\r\n" + workedExampleBytes() + "--></script> \r\n");
}

TEST_F(SaveCommandTest, OneLineRightAlignedScript) {
    typeWorkedExample();
    editor.setCheckValue(CheckBoxId::Check1, 0);
    editor.setCheckValue(CheckBoxId::Check3, 1);
    const auto path = folder.file("one.vbs");
    dialog.answers.push_back(path);
    save(ScriptFormat::Vbs);
    EXPECT_EQ(fileBytes(path),
              "selectkey = MsgBox(\"Save the file?\"&vbCrLf&\"It will be \"&Chr(34)&\"final\"&Chr(34)&\".\", "
              "3 + 32 + vbMsgBoxRight, \"Question\")\r\n");
    EXPECT_EQ(editor.windowState.rightSuffix, u" + vbMsgBoxRight");
}

struct DialogCase {
    ScriptFormat format;
    bool continuation;
    const char16_t* fileName;
    const char16_t* filter;
};

class SaveDialogCall : public SaveCommandTest, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(SaveDialogCall, SetsDefaultNameAndFilterThenCancelWritesNothing) {
    const DialogCase& c = GetParam();
    editor.setCheckValue(CheckBoxId::Check1, c.continuation ? 1 : 0);
    editor.texts = {u"edited", u"title", u"Text3", u"first", u"second", u"third"};
    editor.windowState.outputPath = u"/earlier/path";
    dialog.answers.push_back(std::nullopt);
    EXPECT_EQ(save(c.format), SaveOutcome::Cancelled);
    ASSERT_EQ(dialog.calls.size(), 1u);
    EXPECT_TRUE(dialog.calls[0].save);
    EXPECT_EQ(dialog.calls[0].fileName, c.fileName);
    EXPECT_EQ(dialog.calls[0].filter, c.filter);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    EXPECT_EQ(editor.windowState.outputPath, u"");
    // A cancelled save leaves the work unsaved, so that closing still asks.
    EXPECT_EQ(editor.windowState.savedSnapshot, initialSnapshot());
}

INSTANTIATE_TEST_SUITE_P(CallSites, SaveDialogCall,
                         ::testing::Values(DialogCase{ScriptFormat::Vbs, true, u"dialog.vbs",
                                                      u"VisualBasicScriptFile(*.vbs)|*.vbs"},
                                           DialogCase{ScriptFormat::Vbs, false, u"dialog.vbs",
                                                      u"VisualBasicScriptFile(*.vbs)|*.vbs|すべてのファイル(*.*)|*.*"},
                                           DialogCase{ScriptFormat::Html, true, u"dialog.htm", u"HTML(*.htm)|*.htm"},
                                           DialogCase{ScriptFormat::Html, false, u"dialog.htm", u"HTML(*.htm)|*.htm"}));

TEST_F(SaveCommandTest, ConfirmingTheProposedNameWritesItInTheChosenFolder) {
    const auto path = folder.file("dialog.vbs");
    dialog.answers.push_back(path);
    EXPECT_EQ(save(ScriptFormat::Vbs), SaveOutcome::Written);
    EXPECT_EQ(fileBytes(path), "selectkey = MsgBox(\"\", 0 + 16, \"\")\r\n");
}

TEST_F(SaveCommandTest, SaveNeverChangesWhatTheUserTyped) {
    // A quote, the line-break escape and a quote: restoring by replacement would
    // turn this into a line break; the texts must stay as typed.
    const std::u16string tricky = u"a\"&vbCrLf&\"b\r\n\"&Chr(34)&\"";
    editor.texts[0] = tricky;
    editor.texts[1] = tricky;
    editor.texts[3] = tricky;
    editor.setCheckValue(CheckBoxId::Check1, 1);
    const auto path = folder.file("x.vbs");
    dialog.answers.push_back(path);
    save(ScriptFormat::Vbs);
    EXPECT_EQ(editor.texts[0], tricky);
    EXPECT_EQ(editor.texts[1], tricky);
    EXPECT_EQ(editor.texts[3], tricky);
    const std::string bytes = fileBytes(path);
    EXPECT_EQ(
        bytes.substr(0, bytes.find("\r\n")),
        "selectkey = MsgBox(\"a\"&Chr(34)&\"&vbCrLf&\"&Chr(34)&\"b\"&vbCrLf&\"\"&Chr(34)&\"&Chr(34)&\"&Chr(34)&\"\", "
        "0 + 16, \"a\"&Chr(34)&\"&vbCrLf&\"&Chr(34)&\"b\"&vbCrLf&\"\"&Chr(34)&\"&Chr(34)&\"&Chr(34)&\"\")");
}

TEST_F(SaveCommandTest, CharactersOutsideTheCodePageAreSpelledOut) {
    editor.texts[0] = u"café \U0001F600";
    editor.texts[1] = u"Ω€";
    const auto path = folder.file("u.vbs");
    dialog.answers.push_back(path);
    save(ScriptFormat::Vbs);
    // Ω is in the code page (0x83 0xB6); the euro sign is not.
    EXPECT_EQ(fileBytes(path),
              "selectkey = MsgBox(\"caf\"&ChrW(233)&\" \"&ChrW(55357)&\"\"&ChrW(56832)&\"\", 0 + 16, "
              "\"\x83\xB6\"&ChrW(8364)&\"\")\r\n");
}

TEST_F(SaveCommandTest, FailedWriteIsReportedAndTakesNoSnapshot) {
    FailingStore failing;
    editor.texts[1] = u"changed";
    const auto path = folder.file("full.vbs");
    dialog.answers.push_back(path);
    const SaveOutcome outcome = saveScript(editor, ScriptFormat::Vbs, SaveServices{dialog, failing, messages});
    EXPECT_EQ(outcome, SaveOutcome::Failed);
    EXPECT_EQ(failing.writes, 1);
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_NE(messages.calls[0].prompt.find(path), std::u16string::npos);
    EXPECT_NE(messages.calls[0].prompt.find(u"No space left on device"), std::u16string::npos);
    EXPECT_EQ(messages.calls[0].style, 16);
    EXPECT_FALSE(messages.calls[0].title.has_value());
    EXPECT_EQ(editor.windowState.savedSnapshot, initialSnapshot());
    EXPECT_EQ(editor.texts[1], u"changed");
}

TEST_F(SaveCommandTest, WritingOverAFolderFailsWithTheSystemsReason) {
    const auto path = folder.file("sub.vbs");
    std::filesystem::create_directory(folder.path() / "sub.vbs");
    dialog.answers.push_back(path);
    EXPECT_EQ(save(ScriptFormat::Vbs), SaveOutcome::Failed);
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "sub.vbs"));
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_NE(messages.calls[0].prompt.find(path), std::u16string::npos);
}

// Closing after a PowerShell script was opened saves it as PowerShell, to the
// same file; a cancelled dialog keeps the window and the work.
TEST_F(SaveCommandTest, TheSaveOnClosingKeepsTheOpenedFilesFormat) {
    const std::u16string path = folder.file("edit.ps1");
    typeWorkedExample();
    ASSERT_TRUE(files.write(path, encodeScript(ScriptFormat::Ps1, readDefinition(editor), editor.windowState)).ok);
    MemoryEditor opened;
    opened.load();
    ASSERT_EQ(readPs1ScriptFile(opened, path, files, messages), ReadOutcome::Read);
    opened.texts[0] = u"changed";
    const SaveServices services{dialog, files, messages};

    messages.answers = {msgbox::ResultYes};
    dialog.answers = {std::nullopt};
    EXPECT_EQ(runExitPrompt(opened, services), CloseDecision::KeepOpen);

    messages.answers = {msgbox::ResultYes};
    dialog.answers = {path};
    EXPECT_EQ(runExitPrompt(opened, services), CloseDecision::Close);
    ASSERT_EQ(dialog.calls.size(), 2u);
    EXPECT_EQ(dialog.calls[1].fileName, path);
    EXPECT_EQ(dialog.calls[1].filter, saveFilter(ScriptFormat::Ps1, true));
    EXPECT_EQ(fileBytes(folder.path() / "edit.ps1"),
              encodeScript(ScriptFormat::Ps1, readDefinition(opened), opened.windowState));
}

TEST_F(SaveCommandTest, SaveOnExitTakesNoSnapshot) {
    editor.texts[1] = u"changed";
    dialog.answers.push_back(folder.file("exit.vbs"));
    EXPECT_EQ(save(ScriptFormat::Vbs, SnapshotAfterSave::Skip), SaveOutcome::Written);
    EXPECT_EQ(editor.windowState.savedSnapshot, initialSnapshot());
}

TEST_F(SaveCommandTest, SaveChangesNoControlButTheState) {
    typeWorkedExample();
    const auto textsBefore = editor.texts;
    const auto checksBefore = editor.checks;
    editor.events.clear();
    dialog.answers.push_back(folder.file("y.vbs"));
    save(ScriptFormat::Vbs);
    EXPECT_EQ(editor.texts, textsBefore);
    EXPECT_EQ(editor.checks, checksBefore);
    EXPECT_TRUE(editor.events.empty());
}

// 上書き保存 writes the current document in its own format without a
// question; before there is one it asks as VBSで保存 does. Each written file
// becomes the current document.
TEST_F(SaveCommandTest, SavingTheCurrentDocumentKeepsItsFileAndFormat) {
    const SaveServices services{dialog, files, messages};
    typeWorkedExample();
    const struct {
        const char* name;
        ScriptFormat format;
    } documents[] = {{"a.vbs", ScriptFormat::Vbs}, {"b.htm", ScriptFormat::Html}, {"c.ps1", ScriptFormat::Ps1}};
    for (const auto& document : documents) {
        SCOPED_TRACE(document.name);
        const std::u16string path = folder.file(document.name);
        dialog.answers = {path};
        ASSERT_EQ(saveScript(editor, document.format, services), SaveOutcome::Written);
        EXPECT_EQ(editor.windowState.scriptPath, path);
        EXPECT_EQ(editor.windowState.scriptFormat, document.format);
        editor.texts[1] = u"changed again";
        EXPECT_TRUE(hasUnsavedChanges(editor));
        const std::size_t dialogs = dialog.calls.size();
        EXPECT_EQ(saveCurrent(editor, services), SaveOutcome::Written);
        EXPECT_EQ(dialog.calls.size(), dialogs);  // no question
        EXPECT_FALSE(hasUnsavedChanges(editor));
        EXPECT_EQ(fileBytes(folder.path() / document.name),
                  encodeScript(document.format, readDefinition(editor), editor.windowState));
        editor.texts[1] = u"Question";
    }
    applyNew(editor);
    EXPECT_EQ(editor.windowState.scriptPath, u"");
    dialog.answers = {std::nullopt};
    EXPECT_EQ(saveCurrent(editor, services), SaveOutcome::Cancelled);
    EXPECT_EQ(dialog.calls.back().fileName, u"dialog.vbs");
}

// 名前を付けて保存 starts in the current file's folder with its name, its
// format's filter first; the chosen name's extension picks the format.
TEST_F(SaveCommandTest, SaveAsStartsAtTheCurrentFileAndFollowsTheChosenExtension) {
    const SaveServices services{dialog, files, messages};
    typeWorkedExample();
    dialog.answers = {folder.file("first.ps1")};
    ASSERT_EQ(saveScript(editor, ScriptFormat::Ps1, services), SaveOutcome::Written);

    const struct {
        const char* chosen;
        ScriptFormat written;
    } choices[] = {{"x.vbs", ScriptFormat::Vbs},
                   {"y.HTML", ScriptFormat::Html},
                   {"z.txt", ScriptFormat::Html},
                   {"w.PS1", ScriptFormat::Ps1}};
    for (const auto& choice : choices) {
        SCOPED_TRACE(choice.chosen);
        const std::u16string before = editor.windowState.scriptPath;
        const ScriptFormat beforeFormat = editor.windowState.scriptFormat;
        dialog.answers = {folder.file(choice.chosen)};
        ASSERT_EQ(saveAs(editor, services), SaveOutcome::Written);
        const auto& call = dialog.calls.back();
        EXPECT_TRUE(call.save);
        EXPECT_EQ((folder.path() / call.fileName).u16string(), before);
        EXPECT_EQ(call.initDir, folder.path().u16string());
        EXPECT_TRUE(call.filter.starts_with(saveFilter(beforeFormat, true)));
        EXPECT_EQ(editor.windowState.scriptFormat, choice.written);
        EXPECT_EQ(fileBytes(folder.path() / choice.chosen),
                  encodeScript(choice.written, readDefinition(editor), editor.windowState));
    }
    // A cancelled dialog changes nothing.
    dialog.answers = {std::nullopt};
    EXPECT_EQ(saveAs(editor, services), SaveOutcome::Cancelled);
    EXPECT_EQ(editor.windowState.scriptPath, folder.file("w.PS1"));
}

// Before work is let go: no question when nothing changed; Cancel, or a save
// that is cancelled or fails, keeps the work; No lets it go; Yes saves the
// current document in its own format.
TEST_F(SaveCommandTest, UnsavedWorkIsLetGoOnlyWhenSavedOrDeclined) {
    const SaveServices services{dialog, files, messages};
    const std::u16string script = folder.file("kept.ps1");
    typeWorkedExample();
    dialog.answers = {script};
    ASSERT_EQ(saveScript(editor, ScriptFormat::Ps1, services), SaveOutcome::Written);
    EXPECT_TRUE(settleUnsavedWork(editor, services, SnapshotAfterSave::Take));
    EXPECT_TRUE(messages.calls.empty());

    const struct {
        const char* name;
        int answer;
        std::optional<std::u16string> dialogAnswer;
        bool letGo;
        bool written;
    } cases[] = {
        {"cancel", msgbox::ResultCancel, std::nullopt, false, false},
        {"yes, dialog cancelled", msgbox::ResultYes, std::nullopt, false, false},
        {"yes, save fails", msgbox::ResultYes, folder.path().u16string(), false, false},
        {"no", msgbox::ResultNo, std::nullopt, true, false},
        {"yes", msgbox::ResultYes, script, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        editor.selectIconOption(3);  // a choice alone is a change
        messages.calls.clear();
        messages.answers = {c.answer, msgbox::ResultOk};
        dialog.answers = {c.dialogAnswer};
        EXPECT_EQ(settleUnsavedWork(editor, services, SnapshotAfterSave::Take), c.letGo);
        EXPECT_EQ(messages.calls.at(0).prompt, u"変更を保存しますか？");
        EXPECT_EQ(hasUnsavedChanges(editor), !c.written);
        if (c.answer == msgbox::ResultYes) {
            EXPECT_EQ(dialog.calls.back().fileName, script);
            EXPECT_EQ(dialog.calls.back().filter, saveFilter(ScriptFormat::Ps1, true));
        }
        if (c.written) {
            EXPECT_EQ(fileBytes(folder.path() / "kept.ps1"),
                      encodeScript(ScriptFormat::Ps1, readDefinition(editor), editor.windowState));
        }
        editor.selectIconOption(1);
    }
}

// 上書き保存 writes over an opened file without a question only when the
// file holds nothing but what was read; a file with more (edited by hand)
// gets the dialog, with its name.
TEST_F(SaveCommandTest, SavingOverAFileWithMoreThanWasReadAsksFirst) {
    const SaveServices services{dialog, files, messages};
    typeWorkedExample();
    const std::string written = encodeScript(ScriptFormat::Vbs, readDefinition(editor), editor.windowState);
    const struct {
        const char* name;
        std::string bytes;
        bool asks;
    } cases[] = {
        {"as written.vbs", written, false},
        {"with more.vbs", written + "WScript.Echo \"kept\"\r\n", true},
        {"hand-spaced.vbs", "selectkey = MsgBox(\"a\",  0 + 16, \"t\")\r\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::u16string path = folder.file(c.name);
        ASSERT_TRUE(files.write(path, c.bytes).ok);
        MemoryEditor opened;
        opened.load();
        ASSERT_EQ(readScriptFile(opened, path, files, messages), ReadOutcome::Read);
        EXPECT_EQ(opened.windowState.scriptWhole, !c.asks);
        const std::size_t dialogs = dialog.calls.size();
        dialog.answers = {std::nullopt};
        const SaveOutcome outcome = saveCurrent(opened, services);
        EXPECT_EQ(dialog.calls.size(), dialogs + (c.asks ? 1 : 0));
        if (c.asks) {
            EXPECT_EQ(outcome, SaveOutcome::Cancelled);
            EXPECT_EQ(dialog.calls.back().fileName, path);
            EXPECT_EQ(fileBytes(folder.path() / c.name), c.bytes);
        } else {
            EXPECT_EQ(outcome, SaveOutcome::Written);
        }
    }
}

// A page holds no timeout: after an HTML save of a timed dialog the work
// still differs from its file, and the user is told.
TEST_F(SaveCommandTest, AnHtmlSaveOfATimedDialogKeepsTheTimeoutUnsaved) {
    typeWorkedExample();
    editor.options.timeoutSeconds = 30;
    dialog.answers = {folder.file("page.htm")};
    ASSERT_EQ(save(ScriptFormat::Html), SaveOutcome::Written);
    EXPECT_TRUE(hasUnsavedChanges(editor));
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(messages.calls[0].title, u"HTML と時間切れ");
}

}  // namespace
}  // namespace bw::test
