#include "TextConversion.h"

#include <QLocale>

namespace bw {

std::u16string fromEditText(const QString& text) {
    std::u16string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            out += u"\r\n";
        } else {
            out += static_cast<char16_t>(c.unicode());
        }
    }
    return out;
}

QString toEditText(std::u16string_view text) {
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            continue;  // the LF that follows stands for the pair
        }
        out += QChar(text[i]);
    }
    return out;
}

QString groupedNumber(qint64 n) {
    static const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    return japanese.toString(n);
}

}  // namespace bw
