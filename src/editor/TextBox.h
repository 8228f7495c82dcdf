#pragma once

#include <QPlainTextEdit>

class QFrame;
class QLabel;

namespace bw {

// A multi-line text box that never lays out a text too large for it.
//
// A text edit shapes a whole line at once, on every keystroke: a line of a
// million characters froze the window for seconds a key. A paste that would
// make the text large (see isLargeText) is not inserted; the box hands the
// whole text it would have held to its owner instead (largeText), which keeps
// it and shows it in part. Typing that makes the text large is handed over
// the same way once the keystroke is over.
class TextBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TextBox(QWidget* parent = nullptr);

    // A bar over the text that says what protection applies to it, with a
    // button that empties the box; an empty note hides it.
    void setNote(const QString& note);
    QString note() const;

signals:
    // The text the box would hold, in the box's own line breaks.
    void largeText(const QString& text);
    // The bar's button: the owner empties the box.
    void emptyingAsked();

protected:
    void insertFromMimeData(const QMimeData* source) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void contentsChangedAt(int position, int added);
    void placeNote();

    bool handing_ = false;       // a hand-over is queued
    QFrame* noteBar_ = nullptr;  // made when first needed
    QLabel* noteText_ = nullptr;
};

}  // namespace bw
