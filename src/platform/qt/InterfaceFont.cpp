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
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        return false;
    }
    QFont font = QApplication::font();
    // The family the system gives for the application font's name (a generic
    // name such as "Sans Serif" is no family of its own): first, so that the
    // Latin text and the line metrics stay what they were.
    font.setFamilies({QFontInfo(font).family(), families.first()});
    QApplication::setFont(font);
    return true;
}

}  // namespace bw
