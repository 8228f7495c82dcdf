#pragma once

#include <QString>

namespace bw {

// The interface font: the system's Japanese font cut down, when the program is
// built, to the characters of the program's own texts
// (tools/interface-font). The windows' Japanese captions are drawn from it,
// so that the start does not bring into memory the pages of the whole font
// (a 20 MB collection) that those glyphs lie scattered in; every other
// character still comes from the system's fonts, as before.

// The interface font that came with the program, empty when there is none.
QString interfaceFontFile();

// Adds the font of `file` to the application font: right after its family, so
// that only the characters that family lacks come from it, or first when that
// family is the very font it was cut from (a Japanese locale). Only while the
// system draws Japanese text with `madeFrom`, the font it was cut from
// (`systemJapanese` is the family the system picks now), and the application
// font is no other Japanese font: otherwise the captions would differ from the
// text the user types. Changes nothing when it cannot be used. True when it
// is in use.
bool useInterfaceFont(const QString& file, const QString& madeFrom, const QString& systemJapanese);

}  // namespace bw
