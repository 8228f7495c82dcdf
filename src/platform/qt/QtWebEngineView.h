#pragma once

#include "platform/WebView.h"

#include <QObject>
#include <QWebEngineView>

namespace bw {

// The web view on Qt WebEngine. Built only into the web-view module, so that
// nothing else links the engine.
class QtWebEngineView : public QWebEngineView, public WebView {
public:
    explicit QtWebEngineView(QWidget* parent);

    QWidget* widget() override { return this; }
    void navigate(const QString& address) override;
    int heightTwips() const override;
    int widthTwips() const override;
    bool setHeightTwips(int twips) override;
    bool setWidthTwips(int twips) override;
};

// The module's entry point, found by QPluginLoader.
class QtWebEngineModule : public QObject, public WebViewModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID BW_WEBVIEW_MODULE_IID)
    Q_INTERFACES(bw::WebViewModule)

public:
    WebView* createView(QWidget* parent) override;
};

}  // namespace bw
