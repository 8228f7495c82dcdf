#include "CaptionedFrame.h"

#include <QPainter>
#include <QStyle>

#include <algorithm>

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
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic, title());
    // Centred on the top line. A caption taller than twice the line's depth
    // reaches at most two pixels above the frame's edge, into the blank space a
    // font keeps above its letters, and otherwise sits lower.
    const int top = std::max(kTopLine - text.height() / 2, -2);
    const QRect leftToRight(kCaptionLeft, top, text.width() + 2 * kCaptionPadding, text.height());
    return QStyle::visualRect(layoutDirection(), rect(), leftToRight);
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
        const int mnemonic = style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this) ? Qt::TextShowMnemonic
                                                                                             : Qt::TextHideMnemonic;
        style()->drawItemText(&painter, caption.adjusted(kCaptionPadding, 0, -kCaptionPadding, 0),
                              Qt::AlignCenter | mnemonic, palette(), isEnabled(), title(), QPalette::WindowText);
    }
}

}  // namespace bw
