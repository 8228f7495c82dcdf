// Writes the fuzzer's seed corpus: scripts as the writer writes them, in code
// page 932 with CR LF line ends, plus a few cut-off and hand-edited files.
// Usage: reader_fuzz_corpus <folder>

#include "codec/CodePage932.h"
#include "core/WorkedExample.h"
#include "platform/posix/PosixFileStore.h"
#include "reader/RoundTripCheck.h"
#include "codec/ScriptWriter.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace bw;

std::string bytesOf(const std::vector<std::u16string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += encodeCodePage932(line) + "\r\n";
    }
    return bytes;
}

std::string written(const DialogDefinition& def) {
    return bytesOf(vbsLines(def, test::stateFor(def)));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: reader_fuzz_corpus <folder>\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    auto save = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    };

    DialogDefinition def = test::workedExample();
    save("worked-example.vbs", written(def));
    def.continuation = false;
    def.rightAligned = true;
    save("one-line-right-aligned.vbs", written(def));

    save("initial.vbs", written(DialogDefinition{}));
    DialogDefinition initial;
    initial.continuation = true;
    save("initial-with-follow-ups.vbs", written(initial));

    DialogDefinition escapes;
    escapes.title = u"\"quoted\" + vbMsgBoxRight ＆ 題名";
    escapes.body = u"\"\r\n\"&vbCrLf&\"&&Chr(34)&&\r\na\rb\nc ' , +";
    escapes.icon = IconKind::Information;
    escapes.buttons = ButtonSet::AbortRetryIgnore;
    escapes.rightAligned = true;
    escapes.continuation = true;
    escapes.followUps = {{{false, u"é€¥\U0001F600"}, {true, u""}, {false, u"&vbCrLf&\"\r\n"}}};
    save("escapes.vbs", written(escapes));

    DialogDefinition japanese;
    japanese.title = u"確認";
    japanese.body = u"ファイルを保存しますか？\r\nｱｲｳｴｵ";
    japanese.icon = IconKind::Exclamation;
    japanese.buttons = ButtonSet::RetryCancel;
    japanese.continuation = true;
    japanese.followUps = {{{true, u"再試行します。"}, {true, u"キャンセルしました。"}, {true, u"本文"}}};
    save("japanese.vbs", written(japanese));

    std::string cut = written(test::workedExample());
    save("cut-after-line-four.vbs", cut.substr(0, cut.find("Case 7")));
    save("cut-inside-line-one.vbs", cut.substr(0, 40));
    save("hand-edited.vbs",
         "selectkey = MsgBox(\"a \"b + c\" d\", 4 + 48, \"T\")\r\nSelect Case SelectKey\r\nCase 6\r\n"
         " 'SelectKey = MsgBox(\"s\"&ChrW(65536)&\"\", 0 + 16, \"t\")\r\n");
    save("not-a-script.vbs", std::string("\x81\x40\xFF\x00\"+\r\r\n\n", 10));
    return 0;
}
