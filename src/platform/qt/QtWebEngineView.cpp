#include "QtWebEngineView.h"

#include "Twips.h"

#include <QUrl>

namespace bw {

QtWebEngineView::QtWebEngineView(QWidget* parent) : QWebEngineView(parent) {}

void QtWebEngineView::navigate(const QString& address) { load(QUrl::fromUserInput(address)); }

int QtWebEngineView::heightTwips() const { return twipsFromPixels(height()); }

int QtWebEngineView::widthTwips() const { return twipsFromPixels(width()); }

bool QtWebEngineView::setHeightTwips(int twips) {
    if (twips < 0) {
        return false;
    }
    resize(width(), pixelsFromTwips(twips));
    return true;
}

bool QtWebEngineView::setWidthTwips(int twips) {
    if (twips < 0) {
        return false;
    }
    resize(pixelsFromTwips(twips), height());
    return true;
}

WebView* QtWebEngineModule::createView(QWidget* parent) { return new QtWebEngineView(parent); }

}  // namespace bw
