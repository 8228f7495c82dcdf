#pragma once

#include <cstdint>
#include <string_view>

namespace bw {

// The common reasons a text file cannot be saved or opened, worded once for
// every backend. Each backend maps its system's error codes to these and falls
// back to the system's own text for the rest.
enum class FileProblem {
    NoPermission,
    ReadOnlyFileSystem,
    NoSpace,
    NameTooLong,
    NotFound,
    IsFolder,
    Device,
    Fifo,
    Socket,
    NotRegularFile,
    ReadOnlyFile,
    NoMemory,
    TooLarge,
    LinkLoop,
    NotAFolderOnThePath,
    InUse,
    DiskError,
    TooManyOpenFiles,
};

// The largest file a text-file service opens. A script is a few lines; a body
// of a hundred million characters still fits, and a larger file (a sparse one
// takes no room on the disk) is refused before any of it is read.
inline constexpr std::uint64_t kLargestReadableFile = std::uint64_t{256} << 20;

// The reason as it follows 「…」に保存できませんでした。 or 「…」を開けませんでした。
constexpr std::u16string_view fileProblemText(FileProblem problem) {
    switch (problem) {
        case FileProblem::NoPermission:
            return u"アクセス許可がありません。";
        case FileProblem::ReadOnlyFileSystem:
            return u"読み取り専用のファイル システムです。";
        case FileProblem::NoSpace:
            return u"ディスクの空き領域が足りません。";
        case FileProblem::NameTooLong:
            return u"ファイル名が長すぎます。";
        case FileProblem::NotFound:
            return u"ファイルまたはフォルダーが見つかりません。";
        case FileProblem::IsFolder:
            return u"ファイルではなく、フォルダーです。";
        case FileProblem::Device:
            return u"通常のファイルではなく、デバイスです。";
        case FileProblem::Fifo:
            return u"通常のファイルではなく、名前付きパイプです。";
        case FileProblem::Socket:
            return u"通常のファイルではなく、ソケットです。";
        case FileProblem::NotRegularFile:
            return u"通常のファイルではありません。";
        case FileProblem::ReadOnlyFile:
            return u"読み取り専用のファイルです。";
        case FileProblem::NoMemory:
            return u"メモリが足りません。";
        case FileProblem::TooLarge:
            return u"ファイルが大きすぎます（開けるのは 256 MB までです）。";
        case FileProblem::LinkLoop:
            return u"シンボリック リンクが多すぎるか、輪になっています。";
        case FileProblem::NotAFolderOnThePath:
            return u"パスの途中に、フォルダーではないものがあります。";
        case FileProblem::InUse:
            return u"ファイルはほかのプログラムが使用中です。";
        case FileProblem::DiskError:
            return u"ディスクの読み書きでエラーが起きました。";
        case FileProblem::TooManyOpenFiles:
            return u"開いているファイルが多すぎます。";
    }
    return {};
}

}  // namespace bw
