#include "editor/CaptionedFrame.h"

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
