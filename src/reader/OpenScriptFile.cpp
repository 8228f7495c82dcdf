#include "OpenScriptFile.h"

#include "Ps1Reader.h"
#include "VbsReader.h"

#include <algorithm>

namespace bw {

bool isPs1Path(const std::u16string& path) {
    constexpr std::u16string_view kSuffix = u".ps1";
    return path.size() >= kSuffix.size() &&
           std::equal(kSuffix.begin(), kSuffix.end(), path.end() - static_cast<std::ptrdiff_t>(kSuffix.size()),
                      [](char16_t a, char16_t b) { return a == (b >= u'A' && b <= u'Z' ? b - u'A' + u'a' : b); });
}

ReadOutcome openScriptFile(EditorControls& editor, const std::u16string& path, TextFileStore& files,
                           MessageBoxService& messages) {
    return isPs1Path(path) ? readPs1ScriptFile(editor, path, files, messages)
                           : readScriptFile(editor, path, files, messages);
}

}  // namespace bw
