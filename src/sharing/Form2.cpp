#include "Form2.h"

#include "platform/WebView.h"
#include "platform/qt/Twips.h"

#include <QEvent>
#include <QMoveEvent>
#include <QResizeEvent>

namespace bw {

Form2::Form2(WebViewModule& views, const QString& address, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("ZMRソース、VBSファイルアップ"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A secondary window: closing the main window ends the program even while this one is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(pixelsFromTwips(kClientWidthTwips), pixelsFromTwips(kClientHeightTwips));

    // WebBrowser1 at the top left corner, covering the client area as designed.
    browser_ = views.createView(this);
    QWidget* area = browser_->widget();
    area->setObjectName(QStringLiteral("WebBrowser1"));
    area->setGeometry(0, 0, width(), height());

    browser_->navigate(address);
}

void Form2::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applySizeRule();
}

// The outer size also changes when the window manager puts its frame around
// the window, which it does after the first show without resizing the client
// area; the frame is known by the time the window is placed.
void Form2::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    applySizeRule();
}

// Minimizing and restoring count as size changes, as they do for the window
// system the design comes from; the rule copes with any outer size.
void Form2::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        applySizeRule();
    }
}

// Browser height := outer height - 400, then browser width := outer width - 80,
// in twips. Each step's failure (a size the browser refuses, such as a negative
// one) is ignored: the browser keeps that dimension and the next step runs.
void Form2::applySizeRule() {
    if (browser_ == nullptr) {
        return;
    }
    const QSize outer = frameGeometry().size();
    (void)browser_->setHeightTwips(twipsFromPixels(outer.height()) - kHeightAllowanceTwips);
    (void)browser_->setWidthTwips(twipsFromPixels(outer.width()) - kWidthAllowanceTwips);
}

}  // namespace bw
