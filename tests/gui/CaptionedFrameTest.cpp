#include "editor/CaptionedFrame.h"

#include <QFontMetrics>
#include <QImage>
#include <QTest>

namespace bw {

// Paints frames into images and looks at their top line.
class CaptionedFrameTest : public QObject {
    Q_OBJECT

    static QImage paint(CaptionedFrame& frame) {
        frame.resize(200, 60);
        QImage image(frame.size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        frame.render(&image, {}, {}, QWidget::DrawChildren);
        return image;
    }

    // The x positions on the top line that carry the frame's line colour.
    static QList<int> lineColumns(const CaptionedFrame& frame, const QImage& image) {
        const QRgb line = frame.palette().color(QPalette::Mid).rgb();
        QList<int> columns;
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, CaptionedFrame::kTopLine) == line) {
                columns.push_back(x);
            }
        }
        return columns;
    }

private slots:
    void lineStopsEitherSideOfTheCaption() {
        CaptionedFrame frame(QStringLiteral("表示するアイコン"), nullptr);
        const QImage image = paint(frame);
        const QRect caption = frame.captionRect();
        QVERIFY(caption.width() > 20);
        const QList<int> columns = lineColumns(frame, image);
        // The line runs up to the caption and on after it, never through it.
        QVERIFY(columns.contains(caption.left() - 1));
        QVERIFY(columns.contains(caption.right() + 1));
        QVERIFY(columns.contains(image.width() - 10));
        for (int x = caption.left(); x <= caption.right(); ++x) {
            QVERIFY2(!columns.contains(x), qPrintable(QStringLiteral("line under the caption at x=%1").arg(x)));
        }
        // The caption's text is drawn inside its gap.
        bool textDrawn = false;
        for (int y = 0; y < caption.bottom() && !textDrawn; ++y) {
            for (int x = caption.left(); x <= caption.right() && !textDrawn; ++x) {
                textDrawn =
                    qAlpha(image.pixel(x, y)) != 0 && image.pixel(x, y) != frame.palette().color(QPalette::Mid).rgb();
            }
        }
        QVERIFY(textDrawn);
    }

    // A large font's caption is neither cut off above the frame nor off the line.
    void largeCaptionStaysOnTheLine() {
        CaptionedFrame frame(QStringLiteral("表示するボタン"), nullptr);
        QFont font = frame.font();
        font.setPixelSize(40);
        frame.setFont(font);
        frame.resize(300, 80);
        const QRect caption = frame.captionRect();
        QVERIFY(caption.top() >= -2);
        QVERIFY(caption.top() < CaptionedFrame::kTopLine && caption.bottom() > CaptionedFrame::kTopLine);
        QVERIFY(caption.height() >= QFontMetrics(font).height());
    }

    void captionFollowsTheLayoutDirection() {
        CaptionedFrame frame(QStringLiteral("表示するアイコン"), nullptr);
        frame.resize(200, 60);
        const QRect leftToRight = frame.captionRect();
        frame.setLayoutDirection(Qt::RightToLeft);
        const QRect rightToLeft = frame.captionRect();
        QCOMPARE(rightToLeft.size(), leftToRight.size());
        QCOMPARE(rightToLeft.right(), frame.width() - 1 - leftToRight.left());
    }

    void frameWithoutCaptionHasAnUnbrokenTopLine() {
        CaptionedFrame frame({}, nullptr);
        QVERIFY(frame.captionRect().isEmpty());
        const QImage image = paint(frame);
        const QList<int> columns = lineColumns(frame, image);
        // Every column but the two rounded corners.
        QVERIFY(columns.size() >= image.width() - 6);
    }
};

}  // namespace bw

QTEST_MAIN(bw::CaptionedFrameTest)
#include "CaptionedFrameTest.moc"
