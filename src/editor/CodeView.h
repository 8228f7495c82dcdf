#pragma once

#include "ScriptHighlighter.h"

#include <QAbstractScrollArea>
#include <QFontMetricsF>

#include <compare>
#include <string>
#include <vector>

namespace bw {

// A read-only view of a script's lines in a fixed-width font, with line numbers
// and coloured strings, comments and keywords. Long lines wrap at the view's
// width; the line number stands on a line's first row.
//
// It keeps the lines as given and lays out and paints only the rows in sight:
// a script holds the whole body on one line, which may be megabytes long. A new
// set of lines relays out only the lines that changed.
//
// The mouse selects; Ctrl+A selects all and Ctrl+C copies the selection with
// CR LF between lines, as the file holds it.
class CodeView : public QAbstractScrollArea {
    Q_OBJECT

public:
    struct Position {
        qsizetype line = 0;
        qsizetype offset = 0;  // in UTF-16 units
        auto operator<=>(const Position&) const = default;
    };

    explicit CodeView(ScriptLanguage language, QWidget* parent = nullptr);

    void setLines(std::vector<std::u16string> lines);
    const std::vector<std::u16string>& lines() const { return lines_; }

    bool hasSelection() const { return anchor_ != cursor_; }
    QString selectedText() const;
    void selectAll();
    void copy() const;

    // Rows after wrapping, and the place a point of the view shows.
    qsizetype rowCount() const { return firstRow_.empty() ? 0 : firstRow_.back(); }
    Position positionAt(QPoint point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Where the highlighter's scan of a line may start: the first checkpoint is
    // the line's start, the next ones lie about a stride apart.
    struct Checkpoint {
        qsizetype pos;
        int state;
    };
    struct LineScan {
        std::vector<Checkpoint> points;
        bool endKnown = false;
        int endState = 0;
    };
    struct Piece {
        qreal x;
        QString text;
        TokenKind kind;
    };

    // The metrics and line height of the current font; the cached advances go.
    void takeFontMetrics();

    qreal advance(QStringView text, qsizetype i, qsizetype& step) const;
    qreal widthOf(QStringView text) const;
    // Wraps on from the last row start; `decided` gets, for each new row, the
    // unit whose overflow placed its start.
    void wrap(QStringView text, std::vector<qsizetype>& starts, std::vector<qsizetype>& decided) const;
    void relayoutAll();
    void updateRowGeometry();
    Position topPosition() const;
    void clampToText(Position& position) const;
    qsizetype lineSize(qsizetype line) const;
    int gutterWidth() const;
    qreal wrapWidth() const;
    qreal textLeft() const { return gutterWidth() + kMargin; }

    // The line and the row within it of a row counted from the top.
    std::pair<qsizetype, qsizetype> rowAt(qsizetype row) const;
    qsizetype rowOf(Position position) const;
    qsizetype rowEnd(qsizetype line, qsizetype row) const;

    Checkpoint scanStart(qsizetype line, qsizetype offset);
    int lineStartState(qsizetype line);
    int lineEndState(qsizetype line);
    Checkpoint scanOn(QStringView text, Checkpoint from, qsizetype until) const;

    void paintRow(QPainter& painter, qsizetype line, qsizetype row, int y);
    QColor colourOf(TokenKind kind) const;

    static constexpr qsizetype kStride = 2048;
    static constexpr int kMargin = 4;

    ScriptHighlighter highlighter_;
    std::vector<std::u16string> lines_;
    std::vector<std::vector<qsizetype>> rowStarts_;   // for each line, the offsets its rows start at
    std::vector<std::vector<qsizetype>> rowDecided_;  // and where each start was decided
    std::vector<qsizetype> firstRow_;                 // for each line its first row; one more: the row count
    std::vector<LineScan> scans_;
    mutable std::vector<float> advances_;  // of each UTF-16 unit, measured on first use (-1: not yet)
    QFontMetricsF metrics_;
    int lineHeight_ = 1;
    qreal laidOutWidth_ = -1;
    Position anchor_;
    Position cursor_;
};

}  // namespace bw
