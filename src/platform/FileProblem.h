#pragma once

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
};

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
    }
    return {};
}

}  // namespace bw
