#pragma once

class QCoreApplication;

namespace bw {

// Installs Qt's own Japanese texts (the file dialog, the text boxes' context
// menus) into the application, whatever the system's locale, since the whole
// interface is Japanese. False when the translation files are not installed;
// Qt's parts then stay in English.
bool installJapaneseQtTexts(QCoreApplication& app);

}  // namespace bw
