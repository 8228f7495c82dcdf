#include "ConvertCommand.h"

#include "SaveCommand.h"
#include "ScriptRefusal.h"

#include "codec/VbsReader.h"
#include "model/AsciiCase.h"
#include "model/EditorRules.h"
#include "ports/FileProblem.h"
#include "ports/FileStore.h"

#include <cstddef>
#include <new>
#include <optional>
#include <string_view>
#include <utility>

namespace bw {

namespace {

// Why a file the reader finds no dialog in is not a script to convert.
std::u16string notAScript(const std::u16string& vbsPath, std::string_view bytes) {
    if (endsWithIgnoringAsciiCase(vbsPath, u".ps1")) {
        return u"PowerShell スクリプト（.ps1）です。--to-ps1 には .vbs ファイルを指定してください。";
    }
    return whyNotAVbsScript(bytes).value_or(u"Boxwright の VBScript 形式ではありません。");
}

// Where a name leads: the file it names now, if any, and the folder and last
// component it would be created as.
struct Place {
    std::u16string path;
    std::optional<FileIdentity> file;
    std::optional<FileIdentity> folder;
    std::u16string name;
};

// Both separators, whatever the system: on one whose names may hold a
// backslash, such a name only finds no folder, and is told apart by its path.
bool isSeparator(char16_t c) { return c == u'/' || c == u'\\'; }

Place placeOf(FileStore& files, const std::u16string& path) {
    Place place{path, files.look(path).file, std::nullopt, path};
    std::size_t slash = path.size();
    while (slash > 0 && !isSeparator(path[slash - 1])) {
        --slash;
    }
    if (slash == path.size()) {
        return place;  // a name ending in a separator names a folder, not a file to create
    }
    place.name = path.substr(slash);
    // "a/b" is in "a", "/b" in "/", "b" in the current folder.
    const std::u16string folder = slash == 0 ? u"." : slash == 1 ? path.substr(0, 1) : path.substr(0, slash - 1);
    place.folder = files.look(folder).file;
    return place;
}

bool sameFile(const Place& a, const Place& b) {
    return a.path == b.path || (a.file && b.file && *a.file == *b.file) ||
           (a.folder && b.folder && *a.folder == *b.folder && a.name == b.name);
}

}  // namespace

std::u16string ps1PathFor(const std::u16string& vbsPath) {
    if (endsWithIgnoringAsciiCase(vbsPath, u".vbs")) {
        return vbsPath.substr(0, vbsPath.size() - 4) + u".ps1";
    }
    return vbsPath + u".ps1";
}

Conversion convertToPs1(const std::u16string& vbsPath, bool force, FileStore& files) {
    std::optional<DialogDefinition> def;
    std::u16string whyNot;
    {
        ReadFileResult file = files.read(vbsPath);
        if (!file.ok) {
            return {false, vbsPath + u": 開けませんでした。" + file.error};
        }
        try {
            const std::string bytes = std::move(file.bytes);
            if (!whyNotAVbsScript(bytes)) {
                def = standaloneDefinition(decodeVbsScript(bytes));
            }
            if (!def) {
                whyNot = notAScript(vbsPath, bytes);
            }
        } catch (const std::bad_alloc&) {
            return {false, vbsPath + u": 開けませんでした。" + std::u16string(fileProblemText(FileProblem::NoMemory))};
        }
    }
    if (!def) {
        return {false, vbsPath + u": " + whyNot};
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

std::vector<Conversion> convertAllToPs1(const std::vector<std::u16string>& vbsPaths, bool force, FileStore& files,
                                        const std::function<void(const Conversion&)>& told) {
    // Every name is looked at before the first .ps1 is written.
    std::vector<Place> inputs;
    std::vector<Place> outputs;
    for (const std::u16string& vbsPath : vbsPaths) {
        inputs.push_back(placeOf(files, vbsPath));
        outputs.push_back(placeOf(files, ps1PathFor(vbsPath)));
    }
    const std::size_t count = vbsPaths.size();
    const auto first = [count](auto&& matches) {
        std::size_t at = 0;
        while (at < count && !matches(at)) {
            ++at;
        }
        return at;
    };
    std::vector<Conversion> conversions;
    conversions.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::u16string& vbsPath = vbsPaths[i];
        const std::u16string target = outputs[i].path;
        const std::size_t earlier = first([&](std::size_t j) { return j < i && sameFile(outputs[i], outputs[j]); });
        const std::size_t input = first([&](std::size_t k) { return sameFile(outputs[i], inputs[k]); });
        if (earlier < count && sameFile(inputs[i], inputs[earlier])) {
            const std::u16string again = vbsPaths[earlier] == vbsPath ? std::u16string(u"すでに指定されています。")
                                                                      : vbsPaths[earlier] + u" と同じファイルです。";
            conversions.push_back({conversions[earlier].converted, vbsPath + u": " + again + u"変換は一度だけです。"});
        } else if (input < count) {
            const std::u16string which = vbsPaths[input] == target
                                             ? std::u16string(u"変換するファイルの一つ")
                                             : u"変換するファイル " + vbsPaths[input] + u" と同じファイル";
            conversions.push_back({false, vbsPath + u": " + target + u" は" + which + u"なので、書き込みません。"});
        } else if (earlier < count) {
            conversions.push_back({false, vbsPath + u": " + vbsPaths[earlier] + u" と同じ " + target +
                                              u" に書くことになるので、変換しません。"});
        } else {
            conversions.push_back(convertToPs1(vbsPath, force, files));
        }
        if (told) {
            told(conversions.back());
        }
    }
    return conversions;
}

}  // namespace bw
