#include "DefaultBrowser.h"

#include <QDesktopServices>
#include <QUrl>

namespace bw {

bool openInDefaultBrowser(const QString& address) { return QDesktopServices::openUrl(QUrl::fromUserInput(address)); }

}  // namespace bw
