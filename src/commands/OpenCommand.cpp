#include "OpenCommand.h"
#include "SaveCommand.h"
#include "ScriptRefusal.h"

#include "codec/Ps1Format.h"
#include "codec/Ps1Reader.h"
#include "codec/VbsReader.h"
#include "model/AsciiCase.h"
#include "model/DialogTables.h"
#include "model/EditorControls.h"
#include "model/EditorRules.h"
#include "model/MessageBoxStyle.h"
#include "model/WindowState.h"
#include "ports/FileDialog.h"
#include "ports/FileProblem.h"
#include "ports/FileStore.h"
#include "ports/MessageBoxService.h"

#include <new>
#include <utility>

namespace bw {

namespace {

// A count with a comma between groups of three digits, as the window shows counts.
std::u16string grouped(std::size_t n) {
    std::u16string digits = decimalText(static_cast<std::int64_t>(n));
    for (auto at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, 1, u',');
    }
    return digits;
}

// Whether to go on with the file at `path`: true at once when no text of it
// is longer than kLargeTextUnits, else the user's answer to a question naming
// the longest text and its length.
bool confirmLargeTexts(const ScriptContents& contents, const std::u16string& path, MessageBoxService& messages) {
    std::u16string_view name;
    std::size_t longest = kLargeTextUnits;
    const auto consider = [&](const std::optional<std::u16string>& text, std::u16string_view textName) {
        if (text && text->size() > longest) {
            longest = text->size();
            name = textName;
        }
    };
    consider(contents.body, u"本文");
    consider(contents.title, u"タイトル");
    if (contents.followUps) {
        for (const ScriptContents::Slot& slot : contents.slotLines) {
            consider(slot.text, u"続きの本文");
        }
    }
    if (name.empty()) {
        return true;
    }
    const std::u16string question = u"「" + path + u"」の" + std::u16string(name) + u"は " + grouped(longest) +
                                    u" 文字あります。メッセージ ボックスに表示されるのは約 1,023 文字までです。\r\n" +
                                    u"読み込むと、エディターではこの文章の先頭だけを表示し、編集はできません。"
                                    u"保存すると全文を書き出します。読み込みますか？";
    return messages.show(question, msgbox::YesNo + msgbox::Exclamation, u"大きな文章") == msgbox::ResultYes;
}

// Shows the open dialog with the format's bare default name and filter: the
// chosen path, or nothing when the user cancelled.
std::optional<std::u16string> chooseScript(FileDialog& dialog, std::u16string_view defaultName,
                                           std::u16string_view filter, std::optional<std::u16string_view> initDir) {
    FileDialogRequest request{std::u16string(defaultName), std::u16string(filter), std::nullopt};
    if (initDir) {
        request.initDir = std::u16string(*initDir);
    }
    return dialog.showOpen(request);
}

// Whether a save of what was read writes the file's own bytes again, so that
// writing over it loses nothing. A file too large to compare quickly counts as
// not.
bool writtenAsRead(ScriptFormat format, const ScriptContents& contents, std::string_view bytes) {
    constexpr std::size_t kLargestCompared = std::size_t{16} << 20;
    if (bytes.size() > kLargestCompared) {
        return false;
    }
    const std::optional<DialogDefinition> def = standaloneDefinition(contents);
    return def && encodeScript(format, *def, windowStateFor(*def)) == bytes;
}

// Says that a file could not be read: its path, then the reason.
void reportUnreadable(MessageBoxService& messages, const std::u16string& path, std::u16string_view reason) {
    messages.show(u"「" + path + u"」を開けませんでした。\r\n" + std::u16string(reason),
                  msgbox::OkOnly + msgbox::Critical, std::nullopt);
}

// What the codec reads in the file, or nothing when the file could not be read
// or its text does not fit in memory (both reported). The bytes are let go
// before the caller goes on, so a large file is not held twice.
template <typename Decode>
auto readAndDecode(FileStore& files, MessageBoxService& messages, const std::u16string& path, Decode decode)
    -> std::optional<decltype(decode(std::string_view()))> {
    offerToRestoreUnfinishedSave(files, messages, path);
    ReadFileResult file = files.read(path);
    if (!file.ok) {
        reportUnreadable(messages, path, file.error);
        return std::nullopt;
    }
    try {
        const std::string bytes = std::move(file.bytes);
        return decode(bytes);
    } catch (const std::bad_alloc&) {
        reportUnreadable(messages, path, fileProblemText(FileProblem::NoMemory));
        return std::nullopt;
    }
}

}  // namespace

void applyScriptContents(EditorControls& editor, const ScriptContents& contents) {
    if (contents.hasFirstLine) {
        editor.setCheckValue(CheckBoxId::Check3, contents.rightAligned ? 1 : 0);
    }
    if (contents.body) {
        editor.setText(TextBoxId::Text1, *contents.body);
    }
    if (contents.title) {
        editor.setText(TextBoxId::Text2, *contents.title);
    }
    SavedSnapshot& snapshot = editor.state().savedSnapshot;
    snapshot.title = editor.text(TextBoxId::Text2);
    snapshot.body = editor.text(TextBoxId::Text1);

    // Selecting the set runs the button-set rule, also for the set already
    // selected, so all three slot boxes are checked before the slots are read.
    if (contents.buttons) {
        editor.selectButtonOption(buttonSetRow(*contents.buttons).optionIndex);
    }
    if (contents.icon) {
        editor.selectIconOption(iconRow(*contents.icon).optionIndex);
    }
    if (contents.hasFirstLine) {
        const auto row = buttonSetRowForOption(editor.selectedButtonOption());
        const bool offered = row && contents.defaultButton < buttonCount(*row);
        editor.setDefaultButton(offered ? contents.defaultButton : 0);
    }
    editor.setCheckValue(CheckBoxId::Check1, 0);

    if (contents.followUps) {
        editor.setCheckValue(CheckBoxId::Check1, 1);
        for (int slot = 0; slot < 3; ++slot) {
            const ScriptContents::Slot& read = contents.slotLines[static_cast<std::size_t>(slot)];
            if (read.commentedOut) {
                editor.setCheckValue(slotCheckBox(slot), 0);
            }
            if (read.text) {
                editor.setText(slotTextBox(slot), *read.text);
            }
        }
        for (int slot = 0; slot < 3; ++slot) {
            snapshot.followUps[static_cast<std::size_t>(slot)] = editor.text(slotTextBox(slot));
        }
    }
    editor.setBoxOptions(optionsRead(contents, editor.boxOptions()));
    editor.setText(TextBoxId::Text3, contents.lastLine);
}

namespace {

// The last step of every open, whatever the format: confirmLargeTexts, then
// applyScriptContents. Read, or Cancelled when the user declined.
ReadOutcome applyIfConfirmed(EditorControls& editor, const ScriptContents& contents, const std::u16string& path,
                             ScriptFormat format, bool whole, MessageBoxService& messages) {
    if (!confirmLargeTexts(contents, path, messages)) {
        return ReadOutcome::Cancelled;
    }
    applyScriptContents(editor, contents);
    WindowState& state = editor.state();
    state.scriptPath = path;
    state.scriptFormat = format;
    state.scriptWhole = whole;
    state.savedChoices = currentChoices(editor);
    return ReadOutcome::Read;
}

}  // namespace

ReadOutcome readScript(EditorControls& editor, FileDialog& dialog, FileStore& files, MessageBoxService& messages,
                       std::optional<std::u16string_view> initDir) {
    const auto path = chooseScript(dialog, u"", u"VisualBasicScriptFile(*.vbs)|*.vbs", initDir);
    if (!path) {
        return ReadOutcome::Cancelled;
    }
    // A PowerShell script chosen here is read as one.
    return openScriptFile(editor, *path, files, messages);
}

ReadOutcome readScriptFile(EditorControls& editor, const std::u16string& path, FileStore& files,
                           MessageBoxService& messages) {
    struct Decoded {
        std::optional<std::u16string> refusal;
        ScriptContents contents;
        bool whole = false;
    };
    const auto decoded = readAndDecode(files, messages, path, [](std::string_view bytes) {
        Decoded out{whyNotAVbsScript(bytes), {}, false};
        if (!out.refusal) {
            out.contents = decodeVbsScript(bytes);
            out.whole = writtenAsRead(ScriptFormat::Vbs, out.contents, bytes);
        }
        return out;
    });
    if (!decoded) {
        return ReadOutcome::Failed;
    }
    if (decoded->refusal) {
        reportUnreadable(messages, path, *decoded->refusal);
        return ReadOutcome::Failed;
    }
    return applyIfConfirmed(editor, decoded->contents, path, ScriptFormat::Vbs, decoded->whole, messages);
}

ReadOutcome readPs1Script(EditorControls& editor, FileDialog& dialog, FileStore& files, MessageBoxService& messages) {
    const auto path = chooseScript(dialog, u"", ps1::kFileFilter, u"");
    return path ? readPs1ScriptFile(editor, *path, files, messages) : ReadOutcome::Cancelled;
}

ReadOutcome readPs1ScriptFile(EditorControls& editor, const std::u16string& path, FileStore& files,
                              MessageBoxService& messages) {
    bool whole = false;
    const auto parsed = readAndDecode(files, messages, path, [&whole](std::string_view bytes) {
        Ps1Parse read = decodePs1Script(bytes);
        whole = read.ok && writtenAsRead(ScriptFormat::Ps1, read.contents, bytes);
        return read;
    });
    if (!parsed) {
        return ReadOutcome::Failed;
    }
    if (!parsed->ok) {
        messages.show(u"「" + path + u"」は Boxwright の PowerShell 形式ではありません（" +
                          decimalText(static_cast<std::int64_t>(parsed->errorLine)) + u" 行目：" +
                          std::u16string(parsed->reason) + u"）。",
                      msgbox::OkOnly + msgbox::Critical, std::nullopt);
        return ReadOutcome::Failed;
    }
    const ReadOutcome outcome = applyIfConfirmed(editor, parsed->contents, path, ScriptFormat::Ps1, whole, messages);
    // Windows PowerShell 5.1 reads a file without the mark in the ANSI code
    // page: say so, as the next save writes the mark.
    if (outcome == ReadOutcome::Read &&
        (parsed->encoding == Ps1Encoding::Utf8 || parsed->encoding == Ps1Encoding::CodePage932)) {
        const std::u16string read = parsed->encoding == Ps1Encoding::Utf8
                                        ? u"UTF-8 として読みました。"
                                        : u"UTF-8 ではないため、コード ページ 932（シフト JIS）として読みました。";
        messages.show(u"「" + path + u"」にはバイト順マーク（BOM）がありません。" + read +
                          u"\r\nWindows PowerShell 5.1 は BOM のないスクリプトを ANSI コード ページで読むため、"
                          u"文字化けすることがあります。次に保存するとき、BOM 付きの UTF-8 で書き出します。",
                      msgbox::OkOnly + msgbox::Information, u"PowerShell スクリプトの文字コード");
    }
    return outcome;
}

ReadOutcome openScriptFile(EditorControls& editor, const std::u16string& path, FileStore& files,
                           MessageBoxService& messages) {
    return endsWithIgnoringAsciiCase(path, u".ps1") ? readPs1ScriptFile(editor, path, files, messages)
                                                    : readScriptFile(editor, path, files, messages);
}

}  // namespace bw
