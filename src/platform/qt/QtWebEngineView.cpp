#include "QtWebEngineView.h"

#include <QUrl>

namespace bw {

namespace {

constexpr int kTwipsPerPixel = 15;

int toPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

}  // namespace

QtWebEngineView::QtWebEngineView(QWidget* parent) : QWebEngineView(parent) {}

void QtWebEngineView::navigate(const QString& address) { load(QUrl::fromUserInput(address)); }

int QtWebEngineView::heightTwips() const { return height() * kTwipsPerPixel; }

int QtWebEngineView::widthTwips() const { return width() * kTwipsPerPixel; }

bool QtWebEngineView::setHeightTwips(int twips) {
    if (twips < 0) {
        return false;
    }
    resize(width(), toPixels(twips));
    return true;
}

bool QtWebEngineView::setWidthTwips(int twips) {
    if (twips < 0) {
        return false;
    }
    resize(toPixels(twips), height());
    return true;
}

WebView* QtWebEngineModule::createView(QWidget* parent) { return new QtWebEngineView(parent); }

}  // namespace bw
