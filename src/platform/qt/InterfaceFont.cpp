#include "InterfaceFont.h"

#include "ProgramData.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace bw {

QString interfaceFontFile() { return programDataPath(QStringLiteral("fonts/boxwright-ui-ja.otf")); }

bool useInterfaceFont(const QString& file, const QString& madeFrom, const QString& systemJapanese) {
    if (file.isEmpty() || madeFrom.isEmpty() || madeFrom != systemJapanese) {
        return false;
    }
    QFont font = QApplication::font();
    // The family the system gives for the application font's name (a generic
    // name such as "Sans Serif" is no family of its own).
    const QString family = QFontInfo(font).family();
    // The interface family is the Japanese font itself (a Japanese locale).
    const bool itself = family == madeFrom;
    if (!itself && QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese)) {
        // Another Japanese font draws the captions: the cut-down one would change them.
        return false;
    }
    const QStringList added = QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(file));
    if (added.isEmpty()) {
        return false;
    }
    // Itself: the cut-down copy first, the whole font for the rest; glyphs and
    // line metrics are the same either way. Otherwise the interface family
    // first, so that Latin text and line heights stay what they were.
    font.setFamilies(itself ? QStringList{added.first(), family} : QStringList{family, added.first()});
    QApplication::setFont(font);
    return true;
}

}  // namespace bw
