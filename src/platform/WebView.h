#pragma once

#include <QtPlugin>

class QString;
class QWidget;

namespace bw {

// An embedded web browser area: told where to go and how large to be, and
// otherwise left to itself. Sizes are in twips (15 twips are one logical pixel).
// The view is a child widget: deleting its widget discards the view and its page.
class WebView {
public:
    virtual ~WebView() = default;

    virtual QWidget* widget() = 0;

    // Starts loading the address and returns at once.
    virtual void navigate(const QString& address) = 0;

    virtual int heightTwips() const = 0;
    virtual int widthTwips() const = 0;
    // Each returns false, and keeps the previous size, for a size the view
    // cannot take (a negative one). The view's position never changes.
    virtual bool setHeightTwips(int twips) = 0;
    virtual bool setWidthTwips(int twips) = 0;
};

// What a web-view module offers: views made on demand.
class WebViewModule {
public:
    virtual ~WebViewModule() = default;

    // A new view inside parent, which owns it.
    virtual WebView* createView(QWidget* parent) = 0;
};

}  // namespace bw

#define BW_WEBVIEW_MODULE_IID "org.boxwright.WebViewModule/1.0"
Q_DECLARE_INTERFACE(bw::WebViewModule, BW_WEBVIEW_MODULE_IID)
