#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace bw {

inline QString toQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline std::u16string toU16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

// Qt's text edits hold a line break as one LF; the definition holds CR LF pairs.
std::u16string fromEditText(const QString& text);
QString toEditText(std::u16string_view text);

// A count as the interface shows it: Japanese digit grouping ("1,023").
QString groupedNumber(qint64 n);

}  // namespace bw
