#include "DefinitionGenerator.h"
#include "ReaderHarness.h"
#include "RoundTripCheck.h"
#include "codec/Ps1Reader.h"
#include "codec/ScriptWriter.h"
#include "codec/TextLines.h"
#include "codec/VbsReader.h"
#include "commands/ConvertCommand.h"
#include "commands/ScriptRefusal.h"
#include "core/TestText.h"
#include "doubles/TextFiles.h"
#include "model/HeadlessEditor.h"
#include "platform/posix/PosixFileStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

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
              path("notes.txt") + u": " + std::u16string(kNoDialogLine));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "notes.txt.ps1"));
    const Conversion missing = convertToPs1(path("none.vbs"), false, store);
    EXPECT_FALSE(missing.converted);
    EXPECT_TRUE(missing.report.starts_with(path("none.vbs") + u": 開けませんでした。"));
    EXPECT_EQ(ps1PathFor(u"x.txt"), u"x.txt.ps1");

    // Files with no dialog in them, and the reason said for each.
    const struct {
        const char* name;
        std::string bytes;
        std::u16string reason;
    } notScripts[] = {
        {"empty.vbs", "", u"空のファイルです。"},
        {"le.vbs", std::string("\xFF\xFEs\0", 4),
         u"UTF-16 のファイルです。Boxwright の .vbs ファイルはコードページ 932（シフト JIS）で書かれています。"},
        {"be.vbs", std::string("\xFE\xFF\0s", 4),
         u"UTF-16 のファイルです。Boxwright の .vbs ファイルはコードページ 932（シフト JIS）で書かれています。"},
        {"b.PS1", "\xEF\xBB\xBF# Boxwright\r\n",
         u"PowerShell スクリプト（.ps1）です。--to-ps1 には .vbs ファイルを指定してください。"},
        {"other.vbs", "WScript.Echo 1\r\n", std::u16string(kNoDialogLine)},
        {"bom8.vbs", "\xEF\xBB\xBFselectkey = MsgBox(\"a\", 0 + 16, \"t\")\r\n",
         u"UTF-8 のファイルです。Boxwright の .vbs ファイルはコードページ 932（シフト JIS）で書かれています。"},
        {"utf8.vbs", "selectkey = MsgBox(\"\xE3\x81\x82\", 0 + 16, \"t\")\r\n",
         u"UTF-8 のファイルです。Boxwright の .vbs ファイルはコードページ 932（シフト JIS）で書かれています。"},
        {"bin.vbs", std::string("MZ\x90\0\x03\0\"", 7), u"テキストではないファイル（バイナリ ファイル）です。"},
        {"odd.vbs", "x = \x81\x7F\xFF\r\n", u"コードページ 932（シフト JIS）の文字ではないバイトがあります。"},
    };
    for (const auto& file : notScripts) {
        writeBytes(folder.path() / file.name, file.bytes);
        const Conversion conversion = convertToPs1(path(file.name), true, store);
        EXPECT_FALSE(conversion.converted) << file.name;
        EXPECT_EQ(conversion.report, path(file.name) + u": " + file.reason);
    }
}

// Names checked together before anything is written: a file named again is
// converted once, and no .ps1 is written over another conversion's or over a
// file being converted. Each row: the names, then what each name's line says.
TEST(Convert, NoConversionOverwritesAnotherOrItsOwnInput) {
    const std::string vbs = "selectkey = MsgBox(\"b\", 0 + 16, \"t\")\r\n";
    const struct {
        std::vector<std::string> names;
        std::vector<std::u16string> lines;  // "" for a conversion
    } cases[] = {
        {{"x.vbs", "x.VBS", "x"},
         {u"", u"x.VBS: x.vbs と同じ x.ps1 に書くことになるので、変換しません。",
          u"x: x.vbs と同じ x.ps1 に書くことになるので、変換しません。"}},
        {{"x.vbs", "x.vbs", "./x.vbs", "link/x.vbs"},
         {u"", u"x.vbs: すでに指定されています。変換は一度だけです。",
          u"./x.vbs: x.vbs と同じファイルです。変換は一度だけです。",
          u"link/x.vbs: x.vbs と同じファイルです。変換は一度だけです。"}},
        {{"x", "x.ps1"}, {u"x: x.ps1 は変換するファイルの一つなので、書き込みません。", u""}},
        {{"s.vbs"}, {u"s.vbs: s.ps1 は変換するファイル s.vbs と同じファイルなので、書き込みません。"}},
        {{"h.vbs", "hard.vbs"}, {u"", u""}},
    };
    for (const auto& row : cases) {
        TempFolder folder;
        for (const char* name : {"x.vbs", "x.VBS", "x", "x.ps1", "s.vbs", "h.vbs"}) {
            writeBytes(folder.path() / name, vbs);
        }
        std::filesystem::create_directory_symlink(".", folder.path() / "link");
        std::filesystem::create_symlink("s.vbs", folder.path() / "s.ps1");
        std::filesystem::create_hard_link(folder.path() / "h.vbs", folder.path() / "hard.vbs");
        // Relative names, as typed in the folder: the lines name them as given.
        const std::filesystem::path here = std::filesystem::current_path();
        std::filesystem::current_path(folder.path());
        PosixFileStore store;
        std::vector<std::u16string> names;
        for (const std::string& name : row.names) {
            names.emplace_back(name.begin(), name.end());
        }
        std::vector<std::u16string> told;
        const std::vector<Conversion> conversions =
            convertAllToPs1(names, true, store, [&](const Conversion& c) { told.push_back(c.report); });
        std::filesystem::current_path(here);
        ASSERT_EQ(conversions.size(), row.lines.size());
        ASSERT_EQ(told.size(), row.lines.size());
        for (std::size_t i = 0; i < row.lines.size(); ++i) {
            EXPECT_EQ(told[i], conversions[i].report);
            if (row.lines[i].empty()) {
                EXPECT_EQ(conversions[i].report, names[i] + u" → " + ps1PathFor(names[i]));
            } else {
                EXPECT_EQ(conversions[i].report, row.lines[i]);
            }
            EXPECT_EQ(conversions[i].converted, row.lines[i].empty() || row.lines[i].ends_with(u"一度だけです。"));
        }
        // The sources are as they were: no .ps1 went over one of them.
        for (const char* name : {"x.vbs", "x.VBS", "x", "s.vbs", "h.vbs"}) {
            EXPECT_EQ(fileBytes(folder.path() / name), vbs) << name;
        }
    }
}

}  // namespace
}  // namespace bw::test
