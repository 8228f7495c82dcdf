#include "ConvertCommand.h"

#include "SaveCommand.h"

#include "codec/VbsReader.h"
#include "model/AsciiCase.h"
#include "model/EditorRules.h"
#include "ports/FileProblem.h"
#include "ports/FileStore.h"

#include <new>
#include <utility>

namespace bw {

std::u16string ps1PathFor(const std::u16string& vbsPath) {
    if (endsWithIgnoringAsciiCase(vbsPath, u".vbs")) {
        return vbsPath.substr(0, vbsPath.size() - 4) + u".ps1";
    }
    return vbsPath + u".ps1";
}

Conversion convertToPs1(const std::u16string& vbsPath, bool force, FileStore& files) {
    std::optional<DialogDefinition> def;
    {
        ReadFileResult file = files.read(vbsPath);
        if (!file.ok) {
            return {false, vbsPath + u": 開けませんでした。" + file.error};
        }
        try {
            const std::string bytes = std::move(file.bytes);
            def = standaloneDefinition(decodeVbsScript(bytes));
        } catch (const std::bad_alloc&) {
            return {false, vbsPath + u": 開けませんでした。" + std::u16string(fileProblemText(FileProblem::NoMemory))};
        }
    }
    if (!def) {
        return {false, vbsPath + u": Boxwright の VBScript 形式ではありません。"};
    }
    const std::u16string target = ps1PathFor(vbsPath);
    if (!force && files.look(target).taken) {
        return {false, vbsPath + u": " + target + u" はすでにあります。上書きするには --force を付けてください。"};
    }
    const FileResult written = writeScript(files, target, ScriptFormat::Ps1, *def, windowStateFor(*def));
    if (!written.ok) {
        return {false, vbsPath + u": " + target + u" に保存できませんでした。" + written.error};
    }
    return {true, vbsPath + u" → " + target};
}

}  // namespace bw
