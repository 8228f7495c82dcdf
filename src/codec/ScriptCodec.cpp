#include "ScriptCodec.h"

#include "Ps1Writer.h"
#include "ScriptWriter.h"

namespace bw {

TextEncoding encodingOf(ScriptFormat format) {
    return format == ScriptFormat::Ps1 ? TextEncoding::Utf8 : TextEncoding::CodePage932;
}

std::vector<std::u16string> scriptLines(ScriptFormat format, const DialogDefinition& def, const WindowState& state) {
    switch (format) {
        case ScriptFormat::Html:
            return htmlLines(def, state);
        case ScriptFormat::Ps1:
            return ps1Lines(def);
        case ScriptFormat::Vbs:
            break;
    }
    return vbsLines(def, state);
}

std::string encodeScript(ScriptFormat format, const DialogDefinition& def, const WindowState& state) {
    return encodeLines(scriptLines(format, def, state), encodingOf(format));
}

}  // namespace bw
