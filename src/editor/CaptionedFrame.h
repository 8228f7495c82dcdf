#pragma once

#include <QGroupBox>

namespace bw {

// A group box drawn as a thin rounded frame whose caption sits on its top line,
// the way the editor's frames are designed. A frame without a caption keeps the
// same top line, where a slot's check box covers it.
//
// It paints itself rather than going through a style sheet: a style sheet on
// the editor makes every control below it take the slower style-sheet path and
// costs about a megabyte at start-up.
class CaptionedFrame : public QGroupBox {
public:
    static constexpr int kTopLine = 7;  // y of the frame's top line, in pixels

    explicit CaptionedFrame(const QString& caption, QWidget* parent);

    // Where the caption is drawn (empty without one).
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace bw
