#include "CaptionedFrame.h"

#include <QPainter>
#include <QStyle>

namespace bw {

namespace {

constexpr int kCaptionLeft = 6;     // from the frame's left edge to the caption's gap
constexpr int kCaptionPadding = 3;  // the gap on either side of the caption

}  // namespace

CaptionedFrame::CaptionedFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

QRect CaptionedFrame::captionRect() const {
    if (title().isEmpty()) {
        return {};
    }
    // Centred on the top line; a caption taller than twice the line's depth
    // reaches above the frame's edge, where it is cut off by a pixel at most.
    const int width = fontMetrics().size(Qt::TextShowMnemonic, title()).width();
    return {kCaptionLeft, 0, width + 2 * kCaptionPadding, 2 * kTopLine};
}

void CaptionedFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect caption = captionRect();

    // The frame's line stops either side of the caption.
    QRegion lineArea(rect());
    lineArea -= caption;
    painter.setClipRegion(lineArea);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect().adjusted(0, kTopLine, -1, -1)), 2, 2);
    painter.setClipping(false);

    if (!caption.isEmpty()) {
        style()->drawItemText(&painter, caption.adjusted(kCaptionPadding, 0, -kCaptionPadding, 0),
                              Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(), isEnabled(), title(),
                              QPalette::WindowText);
    }
}

}  // namespace bw
