// Writes the sample scripts installed with Boxwright, through the same writer
// the editor saves with, into the folder given as the only argument.
#include "codec/ScriptCodec.h"
#include "model/DialogTables.h"
#include "model/EditorRules.h"
#include "platform/SystemFileStore.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace bw;

struct Sample {
    const char* fileName;
    DialogDefinition def;
};

DialogDefinition make(std::u16string title, std::u16string body, IconKind icon, ButtonSet buttons,
                      std::array<FollowUp, 3> followUps, bool continuation, bool right = false) {
    DialogDefinition def;
    def.title = std::move(title);
    def.body = std::move(body);
    def.icon = icon;
    def.buttons = buttons;
    def.followUps = std::move(followUps);
    def.continuation = continuation;
    def.rightAligned = right;
    return def;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_samples FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::vector<Sample> samples = {
        {"01_ok.vbs", make(u"お知らせ", u"処理が終わりました。", IconKind::Information, ButtonSet::OkOnly,
                           {{{true, u"本文"}, {true, u"本文"}, {true, u"本文"}}}, false)},
        {"02_ok_cancel.vbs",
         make(u"確認", u"ファイルを削除します。\r\nよろしいですか？", IconKind::Exclamation, ButtonSet::OkCancel,
              {{{true, u"削除しました。"}, {true, u"中止しました。"}, {true, u"本文"}}}, true)},
        {"03_abort_retry_ignore.vbs",
         make(u"ディスク エラー", u"ドライブ \"A:\" を読めません。", IconKind::Critical, ButtonSet::AbortRetryIgnore,
              {{{true, u"中止しました。"}, {true, u"もう一度読みます。"}, {false, u"無視します。"}}}, true)},
        {"04_yes_no_cancel.vbs",
         make(u"保存の確認", u"変更を保存しますか？", IconKind::Question, ButtonSet::YesNoCancel,
              {{{true, u"保存しました。"}, {true, u"保存せずに閉じました。"}, {true, u"キャンセルしました。"}}}, true)},
        {"05_yes_no_right.vbs",
         make(u"アンケート", u"右寄せの文です。\r\nもう一度始めますか？", IconKind::Question, ButtonSet::YesNo,
              {{{true, u"もう一度始めます。"}, {true, u"終わります。"}, {true, u"本文"}}}, true, true)},
        {"06_retry_cancel.vbs",
         make(u"接続", u"サーバーに接続できません。", IconKind::Exclamation, ButtonSet::RetryCancel,
              {{{true, u"再接続します。"}, {true, u"あとで試してください。"}, {true, u"本文"}}}, true)},
        {"07_restart_timeout.vbs",
         [] {
             // A box that must be seen and must not wait forever: in front of
             // every window, closing by itself after five minutes.
             DialogDefinition def =
                 make(u"再起動のお知らせ", u"5 分後にこの PC を再起動します。\r\n作業中のファイルを保存してください。",
                      IconKind::Exclamation, ButtonSet::OkCancel,
                      {{{true, u"再起動します。"}, {true, u"再起動を取り消しました。"}, {true, u"本文"}}}, true);
             def.options = {300, {true, u"時間になりました。再起動します。"}, true};
             return def;
         }()},
    };
    const auto files = makeSystemFileStore();
    for (const Sample& sample : samples) {
        const std::string path = folder + "/" + sample.fileName;
        const FileResult result = files->write(std::u16string(path.begin(), path.end()),
                                               encodeScript(ScriptFormat::Vbs, sample.def, windowStateFor(sample.def)));
        if (!result.ok) {
            std::fprintf(stderr, "make_samples: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
