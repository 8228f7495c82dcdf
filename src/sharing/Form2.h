#pragma once

#include <QString>
#include <QWidget>

namespace bw {

class WebView;
class WebViewModule;

// The upload window: the upload page in an embedded browser, WebBrowser1, and
// nothing else. Constructing it is its Load: it makes the browser and sends it
// to the address once. It never reads the browser's state afterwards.
// Deleted when closed (WA_DeleteOnClose), which discards the browser and page.
class Form2 : public QWidget {
    Q_OBJECT

public:
    Form2(WebViewModule& views, const QString& address, QWidget* parent = nullptr);

    // WebBrowser1.
    WebView* browser() const { return browser_; }

    // The client area at first show, in twips.
    static constexpr int kClientWidthTwips = 9030;
    static constexpr int kClientHeightTwips = 5265;
    // The size rule: the browser is the outer size less these.
    static constexpr int kHeightAllowanceTwips = 400;
    static constexpr int kWidthAllowanceTwips = 80;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applySizeRule();

    WebView* browser_ = nullptr;
};

}  // namespace bw
