#include "DefinitionGenerator.h"
#include "ReaderHarness.h"
#include "RoundTripCheck.h"
#include "commands/ConvertCommand.h"
#include "core/TestText.h"
#include "codec/Ps1Reader.h"
#include "codec/ScriptWriter.h"
#include "doubles/TextFiles.h"
#include "platform/posix/PosixFileStore.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

TEST(Convert, ReadingTheConvertedScriptGivesWhatReadingTheVbsGives) {
    TempFolder folder;
    PosixFileStore store;
    DefinitionGenerator generator(7);
    for (int i = 0; i < 300; ++i) {
        const DialogDefinition def = generator.next();
        // Not "s" + std::to_string(i): GCC 12 at -O3 takes that for an overlapping copy (-Wrestrict).
        const std::string name = std::string("s").append(std::to_string(i));
        const std::u16string vbs = folder.file(name + ".vbs");
        ASSERT_TRUE(writeLines(store, vbs, vbsLines(def, stateFor(def))).ok);
        const Conversion conversion = convertToPs1(vbs, false, store);
        ASSERT_TRUE(conversion.converted) << utf8(conversion.report);
        EXPECT_EQ(conversion.report, vbs + u" → " + folder.file(name + ".ps1"));

        MemoryEditor fromVbs;
        MemoryEditor fromPs1;
        fromVbs.load();
        fromPs1.load();
        RecordingMessageBox messages;
        ASSERT_EQ(readScriptFile(fromVbs, vbs, store, messages), ReadOutcome::Read);
        ASSERT_EQ(readPs1ScriptFile(fromPs1, ps1PathFor(vbs), store, messages), ReadOutcome::Read);
        ASSERT_EQ(readDefinition(fromPs1), readDefinition(fromVbs)) << describe(def);
    }
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
