#include "DefinitionGenerator.h"
#include "ReaderHarness.h"
#include "RoundTripCheck.h"
#include "commands/ConvertCommand.h"
#include "core/TestText.h"
#include "codec/Ps1Reader.h"
#include "codec/ScriptWriter.h"
#include "codec/TextLines.h"
#include "codec/VbsReader.h"
#include "doubles/HeadlessEditor.h"
#include "doubles/TextFiles.h"
#include "platform/posix/PosixFileStore.h"

#include <gtest/gtest.h>

#include <random>

namespace bw::test {
namespace {

// In memory: the converter needs no disk to be checked, only its refusals do.
TEST(Convert, ReadingTheConvertedScriptGivesWhatReadingTheVbsGives) {
    ByteFileStore store;
    DefinitionGenerator generator(7);
    for (int i = 0; i < 300; ++i) {
        const DialogDefinition def = generator.next();
        // Not "s" + std::to_string(i): GCC 12 at -O3 takes that for an overlapping copy (-Wrestrict).
        const std::string name = std::string("/nowhere/s").append(std::to_string(i));
        const std::u16string vbs(name.begin(), name.end());
        store.files[vbs + u".vbs"] = encodeLines(vbsLines(def, stateFor(def)), TextEncoding::CodePage932);
        const Conversion conversion = convertToPs1(vbs + u".vbs", false, store);
        ASSERT_TRUE(conversion.converted) << utf8(conversion.report);
        EXPECT_EQ(conversion.report, vbs + u".vbs → " + vbs + u".ps1");

        MemoryEditor fromVbs;
        MemoryEditor fromPs1;
        fromVbs.load();
        fromPs1.load();
        RecordingMessageBox messages;
        ASSERT_EQ(readScriptFile(fromVbs, vbs + u".vbs", store, messages), ReadOutcome::Read);
        ASSERT_EQ(readPs1ScriptFile(fromPs1, vbs + u".ps1", store, messages), ReadOutcome::Read);
        ASSERT_EQ(readDefinition(fromPs1), readDefinition(fromVbs)) << describe(def);
    }
}

// The definition a script describes on its own is what a freshly started
// editor holds after reading it, also for cut, garbled and hand-edited
// scripts; a script without body, title, buttons or icon describes none.
TEST(Convert, StandaloneDefinitionIsWhatAFreshEditorReads) {
    std::mt19937 random(11);
    DefinitionGenerator generator(13);
    const std::vector<std::u16string> noise = {u"\"", u"+", u",", u"'", u" ", u"x", u"Case 9", u"0 + 16", u""};
    int described = 0;
    for (int i = 0; i < 3000; ++i) {
        const DialogDefinition def = generator.next();
        std::vector<std::u16string> lines = vbsLines(def, stateFor(def));
        for (int edits = static_cast<int>(random() % 4); edits > 0; --edits) {
            std::u16string& line = lines[random() % lines.size()];
            const std::size_t at = line.empty() ? 0 : random() % line.size();
            switch (random() % 4) {
                case 0:
                    line.resize(at);
                    break;
                case 1:
                    line.insert(at, noise[random() % noise.size()]);
                    break;
                case 2:
                    line = line.starts_with(u"'") ? line.substr(1) : u"'" + line;
                    break;
                default:
                    lines.resize(1 + random() % lines.size());
                    break;
            }
        }
        const ScriptContents contents = parseVbsScript(lines);
        HeadlessEditor editor;
        editor.load();
        applyScriptContents(editor, contents);
        const std::optional<DialogDefinition> standalone = standaloneDefinition(contents);
        const bool whole = contents.body && contents.title && contents.buttons && contents.icon;
        ASSERT_EQ(standalone.has_value(), whole);
        if (standalone) {
            ++described;
            ASSERT_EQ(*standalone, readDefinition(editor)) << describe(def);
            ASSERT_EQ(windowStateFor(*standalone).returnCode, editor.windowState.returnCode);
            ASSERT_EQ(windowStateFor(*standalone).iconValue, editor.windowState.iconValue);
        }
    }
    EXPECT_GT(described, 1000);
}

// What is converted, and the one line said about each file that is not.
TEST(Convert, RefusesWhatItShouldAndNamesWhy) {
    TempFolder folder;
    PosixFileStore store;
    const auto path = [&](const char* name) { return folder.file(name); };
    writeBytes(folder.path() / "a.VBS", "selectkey = MsgBox(\"b\", 0 + 16, \"t\")\r\n");
    writeBytes(folder.path() / "a.ps1", "mine");
    writeBytes(folder.path() / "notes.txt", "just some notes\r\n");

    const Conversion kept = convertToPs1(path("a.VBS"), false, store);
    EXPECT_FALSE(kept.converted);
    EXPECT_EQ(kept.report,
              path("a.VBS") + u": " + path("a.ps1") + u" はすでにあります。上書きするには --force を付けてください。");
    EXPECT_EQ(fileBytes(folder.path() / "a.ps1"), "mine");
    EXPECT_TRUE(convertToPs1(path("a.VBS"), true, store).converted);
    EXPECT_TRUE(fileBytes(folder.path() / "a.ps1").starts_with("\xEF\xBB\xBF#"));

    EXPECT_EQ(convertToPs1(path("notes.txt"), false, store).report,
              path("notes.txt") + u": Boxwright の VBScript 形式ではありません。");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "notes.txt.ps1"));
    const Conversion missing = convertToPs1(path("none.vbs"), false, store);
    EXPECT_FALSE(missing.converted);
    EXPECT_TRUE(missing.report.starts_with(path("none.vbs") + u": 開けませんでした。"));
    EXPECT_EQ(ps1PathFor(u"x.txt"), u"x.txt.ps1");
}

}  // namespace
}  // namespace bw::test
