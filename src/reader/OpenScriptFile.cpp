#include "OpenScriptFile.h"

#include "Ps1Reader.h"
#include "VbsReader.h"

#include "model/AsciiCase.h"

namespace bw {

ReadOutcome openScriptFile(EditorControls& editor, const std::u16string& path, TextFileStore& files,
                           MessageBoxService& messages) {
    return endsWithIgnoringAsciiCase(path, u".ps1") ? readPs1ScriptFile(editor, path, files, messages)
                                                    : readScriptFile(editor, path, files, messages);
}

}  // namespace bw
