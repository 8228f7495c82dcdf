#include "CodeView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <optional>

namespace bw {

namespace {

bool isControl(char16_t unit) { return unit < 0x20 || unit == 0x7F; }

// The text of a piece as painted: a control character shows as a blank of its width.
QString paintedText(QStringView text) {
    QString shown = text.toString();
    for (QChar& c : shown) {
        if (isControl(c.unicode())) {
            c = u' ';
        }
    }
    return shown;
}

}  // namespace

CodeView::CodeView(ScriptLanguage language, QWidget* parent)
    : QAbstractScrollArea(parent), highlighter_(language), metrics_(font()) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    takeFontMetrics();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    firstRow_.push_back(0);
}

qreal CodeView::advance(QStringView text, qsizetype i, qsizetype& step) const {
    const char16_t unit = text[i].unicode();
    if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
        step = 2;
        return metrics_.horizontalAdvance(text.sliced(i, 2).toString());
    }
    step = 1;
    if (advances_.empty()) {
        advances_.assign(0x10000, -1.0f);
    }
    float& known = advances_[unit];
    if (known < 0) {
        known = static_cast<float>(metrics_.horizontalAdvance(isControl(unit) ? QChar(u' ') : QChar(unit)));
    }
    return known;
}

qreal CodeView::widthOf(QStringView text) const {
    qreal width = 0;
    qsizetype step = 1;
    for (qsizetype i = 0; i < text.size(); i += step) {
        width += advance(text, i, step);
    }
    return width;
}

namespace {

bool isWordCharacter(QChar c) { return c.isLetterOrNumber() || c == u'_' || c.isSurrogate(); }

}  // namespace

// Breaks a line into rows no wider than the view, going on from the last row
// start given. A row ends after the last blank that fits, else at the last
// edge of a name, number or word (before or after a "." or "("), and only a
// name longer than the whole row is cut inside; each row holds at least one
// character, and a surrogate pair stays whole.
void CodeView::wrap(QStringView text, std::vector<qsizetype>& starts, std::vector<qsizetype>& decided) const {
    const qreal width = wrapWidth();
    qreal x = 0;
    qsizetype blank = 0;  // the last break after a blank in this row, and x there
    qreal xAtBlank = 0;
    qsizetype edge = 0;  // the last break at a token's edge in this row, and x there
    qreal xAtEdge = 0;
    qsizetype step = 1;
    for (qsizetype i = starts.back(); i < text.size(); i += step) {
        const qsizetype rowStart = starts.back();
        if (i > rowStart) {
            if (text[i - 1] == u' ' && text[i] != u' ') {
                blank = i;
                xAtBlank = x;
            } else if (isWordCharacter(text[i - 1]) != isWordCharacter(text[i])) {
                edge = i;
                xAtEdge = x;
            }
        }
        const qreal a = advance(text, i, step);
        if (x + a > width && i > rowStart) {
            const bool atBlank = blank > rowStart;
            const bool atEdge = edge > rowStart;
            const qsizetype at = atBlank ? blank : atEdge ? edge : i;
            const qreal xAt = atBlank ? xAtBlank : atEdge ? xAtEdge : x;
            starts.push_back(at);
            decided.push_back(i);
            // The new row starts at `at`: what lies after it is measured from there.
            x -= xAt;
            xAtBlank -= xAt;
            xAtEdge -= xAt;
            if (x + a > width && i > at) {
                starts.push_back(i);
                decided.push_back(i);
                x = 0;
            }
        }
        x += a;
    }
}

int CodeView::gutterWidth() const {
    int digits = 2;
    for (std::size_t n = lines_.size(); n >= 100; n /= 10) {
        ++digits;
    }
    return static_cast<int>(std::ceil(metrics_.horizontalAdvance(u'9') * digits)) + 2 * kMargin;
}

qreal CodeView::wrapWidth() const { return std::max<qreal>(viewport()->width() - textLeft() - kMargin, 1); }

CodeView::Position CodeView::topPosition() const {
    if (lines_.empty()) {
        return {};
    }
    const auto [line, row] = rowAt(verticalScrollBar()->value());
    return {line, rowStarts_[static_cast<std::size_t>(line)][static_cast<std::size_t>(row)]};
}

void CodeView::clampToText(Position& position) const {
    if (lines_.empty()) {
        position = {};
        return;
    }
    position.line = std::min(position.line, static_cast<qsizetype>(lines_.size()) - 1);
    position.offset = std::min(position.offset, lineSize(position.line));
}

void CodeView::setLines(std::vector<std::u16string> lines) {
    const Position oldTop = topPosition();
    std::swap(lines_, lines);  // lines now holds the old lines
    // More lines may widen the line numbers and so narrow the rows.
    const bool rewrapAll = wrapWidth() != laidOutWidth_;

    // A changed line keeps its rows and checkpoints before its first change;
    // one that follows a change keeps its checkpoints only where each line
    // starts afresh.
    rowStarts_.resize(lines_.size());
    rowDecided_.resize(lines_.size());
    scans_.resize(lines_.size());
    std::optional<Position> firstChange;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::u16string& now = lines_[i];
        const std::u16string* before = i < lines.size() ? &lines[i] : nullptr;
        const auto kept =
            before ? static_cast<qsizetype>(
                         std::mismatch(now.begin(), now.end(), before->begin(), before->end()).first - now.begin())
                   : 0;
        const bool same = before && kept == static_cast<qsizetype>(now.size()) && now.size() == before->size();
        LineScan& scan = scans_[i];
        if (!same || (firstChange && !highlighter_.linesIndependent())) {
            // A checkpoint's state may hang on a few units after it (a word's end, "<!--").
            std::erase_if(scan.points, [&](const Checkpoint& c) { return c.pos + 8 > kept || firstChange; });
            scan.endKnown = false;
        }
        auto& starts = rowStarts_[i];
        auto& decided = rowDecided_[i];
        if (rewrapAll || !before || starts.empty()) {
            starts.assign(1, 0);
            decided.assign(1, 0);
            wrap(now, starts, decided);
        } else if (!same) {
            // A row's end hangs on every unit up to the first that did not
            // fit, which may lie rows further on: the rows whose ends were
            // decided at or after the change are wrapped again.
            const auto from = std::lower_bound(decided.begin() + 1, decided.end(), kept) - decided.begin();
            starts.erase(starts.begin() + from, starts.end());
            decided.erase(decided.begin() + from, decided.end());
            wrap(now, starts, decided);
        }
        if (!same && !firstChange) {
            firstChange = Position{static_cast<qsizetype>(i), kept};
        }
    }
    if (lines_.size() != lines.size() && !firstChange) {
        firstChange = Position{static_cast<qsizetype>(lines_.size()), 0};
    }
    laidOutWidth_ = wrapWidth();
    updateRowGeometry();

    clampToText(anchor_);
    clampToText(cursor_);
    Position top = oldTop;
    clampToText(top);
    const int topRow = verticalScrollBar()->value();
    verticalScrollBar()->setValue(static_cast<int>(rowOf(top)));
    // Rows above the first change look as before: only those from it down are painted.
    if (rewrapAll || (firstChange && *firstChange <= oldTop) || topRow != verticalScrollBar()->value()) {
        viewport()->update();
    } else if (firstChange) {
        const qsizetype changedRow =
            firstChange->line < static_cast<qsizetype>(lines_.size()) ? rowOf(*firstChange) : rowCount();
        const auto y = (changedRow - verticalScrollBar()->value()) * lineHeight_;
        if (y < viewport()->height()) {
            viewport()->update(QRect(0, static_cast<int>(y), viewport()->width(), viewport()->height()));
        }
    }
}

void CodeView::relayoutAll() {
    Position top = topPosition();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        rowStarts_[i].assign(1, 0);
        rowDecided_[i].assign(1, 0);
        wrap(lines_[i], rowStarts_[i], rowDecided_[i]);
    }
    laidOutWidth_ = wrapWidth();
    updateRowGeometry();
    verticalScrollBar()->setValue(static_cast<int>(rowOf(top)));
    viewport()->update();
}

void CodeView::updateRowGeometry() {
    firstRow_.assign(1, 0);
    for (const auto& rows : rowStarts_) {
        firstRow_.push_back(firstRow_.back() + static_cast<qsizetype>(rows.size()));
    }
    const int inSight = std::max(1, viewport()->height() / lineHeight_);
    verticalScrollBar()->setPageStep(inSight);
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setRange(0, static_cast<int>(std::max<qsizetype>(0, rowCount() - inSight)));
}

qsizetype CodeView::lineSize(qsizetype line) const {
    return static_cast<qsizetype>(lines_[static_cast<std::size_t>(line)].size());
}

std::pair<qsizetype, qsizetype> CodeView::rowAt(qsizetype row) const {
    // firstRow_ has one entry for each line and a last one for the total.
    const auto it = std::upper_bound(firstRow_.begin(), firstRow_.end() - 1, row);
    const auto line = static_cast<qsizetype>(it - firstRow_.begin()) - 1;
    return {line, row - firstRow_[static_cast<std::size_t>(line)]};
}

qsizetype CodeView::rowOf(Position position) const {
    if (lines_.empty()) {
        return 0;
    }
    const auto& starts = rowStarts_[static_cast<std::size_t>(position.line)];
    const auto it = std::upper_bound(starts.begin(), starts.end(), position.offset);
    return firstRow_[static_cast<std::size_t>(position.line)] + static_cast<qsizetype>(it - starts.begin()) - 1;
}

qsizetype CodeView::rowEnd(qsizetype line, qsizetype row) const {
    const auto& starts = rowStarts_[static_cast<std::size_t>(line)];
    const auto next = static_cast<std::size_t>(row) + 1;
    return next < starts.size() ? starts[next] : lineSize(line);
}

// Scans tokens from a checkpoint until a token ends at or after `until`.
CodeView::Checkpoint CodeView::scanOn(QStringView text, Checkpoint from, qsizetype until) const {
    while (from.pos < until && from.pos < text.size()) {
        from.pos = highlighter_.next(text, from.pos, from.state, (from.pos / kStride + 1) * kStride).end;
    }
    return from;
}

CodeView::Checkpoint CodeView::scanStart(qsizetype line, qsizetype offset) {
    LineScan& scan = scans_[static_cast<std::size_t>(line)];
    if (scan.points.empty()) {
        scan.points.push_back({0, lineStartState(line)});
    }
    const QStringView text(lines_[static_cast<std::size_t>(line)]);
    while (scan.points.back().pos + kStride <= offset && scan.points.back().pos < text.size()) {
        const Checkpoint last = scan.points.back();
        scan.points.push_back(scanOn(text, last, (last.pos / kStride + 1) * kStride));
    }
    const auto it = std::upper_bound(scan.points.begin(), scan.points.end(), offset,
                                     [](qsizetype o, const Checkpoint& c) { return o < c.pos; });
    return *(it - 1);
}

int CodeView::lineStartState(qsizetype line) {
    if (line == 0 || highlighter_.linesIndependent()) {
        return 0;
    }
    return highlighter_.nextLineState(lineEndState(line - 1));
}

int CodeView::lineEndState(qsizetype line) {
    LineScan& scan = scans_[static_cast<std::size_t>(line)];
    if (!scan.endKnown) {
        const qsizetype size = lineSize(line);
        const Checkpoint from = scanStart(line, size);
        scan.endState = scanOn(lines_[static_cast<std::size_t>(line)], from, size).state;
        scan.endKnown = true;
    }
    return scan.endState;
}

QColor CodeView::colourOf(TokenKind kind) const {
    const bool dark = palette().color(QPalette::Base).lightness() < 128;
    switch (kind) {
        case TokenKind::Keyword:
            return dark ? QColor(0x86, 0xB6, 0xF6) : QColor(0x00, 0x33, 0xB3);
        case TokenKind::String:
            return dark ? QColor(0xE6, 0xA0, 0x7A) : QColor(0xA3, 0x15, 0x15);
        case TokenKind::Comment:
            return dark ? QColor(0x7C, 0xC4, 0x7C) : QColor(0x00, 0x80, 0x00);
        case TokenKind::Tag:
            return dark ? QColor(0xD6, 0x8F, 0xD6) : QColor(0x80, 0x00, 0x80);
        case TokenKind::Plain:
            break;
    }
    return palette().color(QPalette::Text);
}

void CodeView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setFont(font());
    painter.fillRect(QRect(0, 0, gutterWidth(), viewport()->height()), palette().color(QPalette::Window));
    if (lines_.empty()) {
        return;
    }
    auto [line, row] = rowAt(verticalScrollBar()->value());
    for (int y = 0; y < viewport()->height() && line < static_cast<qsizetype>(lines_.size()); y += lineHeight_) {
        paintRow(painter, line, row, y);
        if (++row == static_cast<qsizetype>(rowStarts_[static_cast<std::size_t>(line)].size())) {
            ++line;
            row = 0;
        }
    }
}

void CodeView::paintRow(QPainter& painter, qsizetype line, qsizetype row, int y) {
    const QStringView text(lines_[static_cast<std::size_t>(line)]);
    const qsizetype start = rowStarts_[static_cast<std::size_t>(line)][static_cast<std::size_t>(row)];
    const qsizetype end = rowEnd(line, row);
    const qreal baseline = y + metrics_.ascent();
    if (row == 0) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(QRectF(0, y, gutterWidth() - kMargin, lineHeight_), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(line + 1));
    }

    // The pieces of the tokens that lie in this row.
    std::vector<Piece> pieces;
    qreal x = textLeft();
    Checkpoint at = scanStart(line, start);
    while (at.pos < end) {
        const qsizetype from = at.pos;
        const ScriptToken token = highlighter_.next(text, at.pos, at.state, (at.pos / kStride + 1) * kStride);
        at.pos = token.end;
        if (token.end > start) {
            const QStringView piece =
                text.sliced(std::max(from, start), std::min(token.end, end) - std::max(from, start));
            pieces.push_back({x, paintedText(piece), token.kind});
            x += widthOf(piece);
        }
    }

    // The selected part of the row; a selection that goes on to the next line
    // also covers a blank after the row's last character.
    const Position first = std::min(anchor_, cursor_);
    const Position last = std::max(anchor_, cursor_);
    QRectF selected;
    if (first != last && first.line <= line && line <= last.line) {
        const qsizetype from = std::clamp(first.line == line ? first.offset : 0, start, end);
        const qsizetype to = std::clamp(last.line == line ? last.offset : end, start, end);
        const qreal left = textLeft() + widthOf(text.sliced(start, from - start));
        qreal right = left + widthOf(text.sliced(from, to - from));
        if (line < last.line && end == text.size()) {
            right += metrics_.horizontalAdvance(u' ');
        }
        selected = QRectF(left, y, right - left, lineHeight_);
    }

    const QRectF rowRect(textLeft(), y, viewport()->width() - textLeft(), lineHeight_);
    for (const Piece& p : pieces) {
        painter.setPen(colourOf(p.kind));
        painter.drawText(QPointF(p.x, baseline), p.text);
    }
    if (!selected.isEmpty()) {
        painter.save();
        painter.setClipRect(selected.intersected(rowRect));
        painter.fillRect(selected, palette().color(QPalette::Highlight));
        painter.setPen(palette().color(QPalette::HighlightedText));
        for (const Piece& p : pieces) {
            painter.drawText(QPointF(p.x, baseline), p.text);
        }
        painter.restore();
    }
}

void CodeView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (wrapWidth() != laidOutWidth_) {
        relayoutAll();
    } else {
        updateRowGeometry();
    }
}

void CodeView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        takeFontMetrics();
        relayoutAll();
    }
}

void CodeView::takeFontMetrics() {
    metrics_ = QFontMetricsF(font());
    lineHeight_ = std::max(1, static_cast<int>(std::ceil(metrics_.lineSpacing())));
    advances_.clear();
}

CodeView::Position CodeView::positionAt(QPoint point) const {
    if (lines_.empty()) {
        return {};
    }
    const qsizetype row = verticalScrollBar()->value() + (point.y() < 0 ? -1 : point.y() / lineHeight_);
    if (row < 0) {
        return {};
    }
    if (row >= rowCount()) {
        const auto lastLine = static_cast<qsizetype>(lines_.size()) - 1;
        return {lastLine, lineSize(lastLine)};
    }
    const auto [line, rowInLine] = rowAt(row);
    const QStringView text(lines_[static_cast<std::size_t>(line)]);
    const qsizetype end = rowEnd(line, rowInLine);
    qreal x = textLeft();
    qsizetype i = rowStarts_[static_cast<std::size_t>(line)][static_cast<std::size_t>(rowInLine)];
    qsizetype step = 1;
    while (i < end) {
        const qreal a = advance(text, i, step);
        if (x + a / 2 > point.x()) {
            break;
        }
        x += a;
        i += step;
    }
    return {line, i};
}

QString CodeView::selectedText() const {
    const Position first = std::min(anchor_, cursor_);
    const Position last = std::max(anchor_, cursor_);
    QString text;
    for (qsizetype line = first.line; line <= last.line && !lines_.empty(); ++line) {
        const QStringView whole(lines_[static_cast<std::size_t>(line)]);
        const qsizetype from = line == first.line ? first.offset : 0;
        const qsizetype to = line == last.line ? last.offset : whole.size();
        if (line != first.line) {
            text += QStringLiteral("\r\n");
        }
        text += whole.sliced(from, to - from);
    }
    return text;
}

void CodeView::selectAll() {
    anchor_ = {};
    cursor_ = {};
    if (!lines_.empty()) {
        cursor_ = {static_cast<qsizetype>(lines_.size()) - 1, lineSize(static_cast<qsizetype>(lines_.size()) - 1)};
    }
    viewport()->update();
}

void CodeView::copy() const {
    if (hasSelection()) {
        QGuiApplication::clipboard()->setText(selectedText());
    }
}

void CodeView::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Copy) {
        copy();
    } else if (event == QKeySequence::SelectAll) {
        selectAll();
    } else if (event == QKeySequence::MoveToStartOfDocument) {
        verticalScrollBar()->setValue(0);
    } else if (event == QKeySequence::MoveToEndOfDocument) {
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    } else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CodeView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    cursor_ = positionAt(event->position().toPoint());
    if (!(event->modifiers() & Qt::ShiftModifier)) {
        anchor_ = cursor_;
    }
    viewport()->update();
}

void CodeView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) {
        return;
    }
    const QPoint point = event->position().toPoint();
    // Dragging past the top or bottom edge scrolls a row at a time.
    if (point.y() < 0) {
        verticalScrollBar()->setValue(verticalScrollBar()->value() - 1);
    } else if (point.y() >= viewport()->height()) {
        verticalScrollBar()->setValue(verticalScrollBar()->value() + 1);
    }
    cursor_ = positionAt(point);
    viewport()->update();
}

void CodeView::mouseReleaseEvent(QMouseEvent* event) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::LeftButton && hasSelection() && clipboard->supportsSelection()) {
        clipboard->setText(selectedText(), QClipboard::Selection);
    }
}

void CodeView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyItem = menu.addAction(QStringLiteral("コピー(&C)"), this, &CodeView::copy);
    copyItem->setShortcut(QKeySequence::Copy);
    copyItem->setEnabled(hasSelection());
    menu.addAction(QStringLiteral("すべて選択(&A)"), this, &CodeView::selectAll)->setShortcut(QKeySequence::SelectAll);
    menu.exec(event->globalPos());
}

}  // namespace bw
