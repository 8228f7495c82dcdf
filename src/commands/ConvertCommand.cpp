#include "ConvertCommand.h"

#include "SaveCommand.h"

#include "codec/VbsReader.h"
#include "model/AsciiCase.h"
#include "model/EditorRules.h"
#include "ports/FileStore.h"

#include <filesystem>
#include <system_error>

namespace bw {

namespace {

// Whether anything, a dangling link included, already has that name.
bool nameTaken(const std::u16string& path) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(std::filesystem::path(path), error);
    return status.type() != std::filesystem::file_type::not_found;
}

}  // namespace

std::u16string ps1PathFor(const std::u16string& vbsPath) {
    if (endsWithIgnoringAsciiCase(vbsPath, u".vbs")) {
        return vbsPath.substr(0, vbsPath.size() - 4) + u".ps1";
    }
    return vbsPath + u".ps1";
}

Conversion convertToPs1(const std::u16string& vbsPath, bool force, FileStore& files) {
    const ReadFileResult file = files.read(vbsPath);
    if (!file.ok) {
        return {false, vbsPath + u": 開けませんでした。" + file.error};
    }
    const std::optional<DialogDefinition> def = standaloneDefinition(decodeVbsScript(file.bytes));
    if (!def) {
        return {false, vbsPath + u": Boxwright の VBScript 形式ではありません。"};
    }
    const std::u16string target = ps1PathFor(vbsPath);
    if (!force && nameTaken(target)) {
        return {false, vbsPath + u": " + target + u" はすでにあります。上書きするには --force を付けてください。"};
    }
    const FileResult written = writeScript(files, target, ScriptFormat::Ps1, *def, windowStateFor(*def));
    if (!written.ok) {
        return {false, vbsPath + u": " + target + u" に保存できませんでした。" + written.error};
    }
    return {true, vbsPath + u" → " + target};
}

}  // namespace bw
