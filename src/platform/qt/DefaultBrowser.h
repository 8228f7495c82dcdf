#pragma once

#include <QString>

namespace bw {

// Opens a web address in the desktop's default browser without waiting.
// False when the desktop could not hand it to a browser.
bool openInDefaultBrowser(const QString& address);

}  // namespace bw
