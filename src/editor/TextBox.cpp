#include "TextBox.h"

#include "model/LargeText.h"
#include "platform/qt/TextConversion.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

namespace bw {

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent) {
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { contentsChangedAt(position, added); });
}

void TextBox::insertFromMimeData(const QMimeData* source) {
    if (isReadOnly() || !source || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    // The line breaks a text cursor makes of a pasted text: CR LF, a lone CR
    // and the Unicode line and paragraph separators each end a line.
    QString pasted = source->text();
    pasted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QChar separator : {QChar(u'\r'), QChar(0x2028), QChar(0x2029)}) {
        pasted.replace(separator, QChar(u'\n'));
    }
    const QTextCursor cursor = textCursor();
    // Cheap first: a paste that stays far within both limits goes in as usual.
    const qsizetype after =
        document()->characterCount() - 1 - (cursor.selectionEnd() - cursor.selectionStart()) + pasted.size();
    if (static_cast<std::size_t>(pasted.size() + cursor.block().length()) <= kLongestLaidOutLine &&
        static_cast<std::size_t>(after) <= kLargeTextUnits) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QString whole = toPlainText();
    whole.replace(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart(), pasted);
    if (!isLargeText(fromEditText(whole))) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    emit largeText(whole);
}

// The block typed in has just grown; once it is longer than a box lays out
// quickly, the text is handed over after the keystroke.
void TextBox::contentsChangedAt(int position, int added) {
    if (added <= 0 || isReadOnly() || handing_) {
        return;
    }
    // A block's length and the document's count take in one separator more.
    const QTextBlock block = document()->findBlock(position);
    if (static_cast<std::size_t>(block.length() - 1) <= kLongestLaidOutLine &&
        static_cast<std::size_t>(document()->characterCount() - 1) <= kLargeTextUnits) {
        return;
    }
    handing_ = true;
    QTimer::singleShot(0, this, [this] {
        handing_ = false;
        const QString whole = toPlainText();
        if (!isReadOnly() && isLargeText(fromEditText(whole))) {
            emit largeText(whole);
        }
    });
}

void TextBox::setNote(const QString& note) {
    if (note.isEmpty() && !noteBar_) {
        return;
    }
    if (!noteBar_) {
        noteBar_ = new QFrame(this);
        noteBar_->setObjectName(objectName() + QStringLiteral("_note"));
        noteBar_->setFrameShape(QFrame::StyledPanel);
        noteBar_->setAutoFillBackground(true);
        QPalette palette = noteBar_->palette();
        palette.setColor(QPalette::Window, QColor(0xFF, 0xF4, 0xCE));
        palette.setColor(QPalette::WindowText, Qt::black);
        noteBar_->setPalette(palette);
        auto* layout = new QHBoxLayout(noteBar_);
        layout->setContentsMargins(4, 2, 4, 2);
        noteText_ = new QLabel(noteBar_);
        noteText_->setWordWrap(true);
        layout->addWidget(noteText_, 1);
        auto* empty = new QPushButton(QStringLiteral("空にする"), noteBar_);
        empty->setObjectName(objectName() + QStringLiteral("_empty"));
        empty->setAccessibleDescription(QStringLiteral("この欄の文章を消して、編集できるようにします"));
        layout->addWidget(empty, 0, Qt::AlignTop);
        connect(empty, &QPushButton::clicked, this, &TextBox::emptyingAsked);
    }
    noteText_->setText(note);
    noteBar_->setAccessibleName(note);
    noteBar_->setVisible(!note.isEmpty());
    placeNote();
}

QString TextBox::note() const { return noteBar_ && noteBar_->isVisibleTo(this) ? noteText_->text() : QString(); }

void TextBox::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    placeNote();
}

// The bar lies over the top of the box, and the text starts under it.
void TextBox::placeNote() {
    if (!noteBar_) {
        return;
    }
    if (!noteBar_->isVisibleTo(this)) {
        setViewportMargins(0, 0, 0, 0);
        return;
    }
    QRect inside = contentsRect();
    if (verticalScrollBar()->isVisibleTo(this)) {
        inside.setWidth(inside.width() - verticalScrollBar()->width());
    }
    const int height = std::min(noteBar_->layout()->heightForWidth(inside.width()), inside.height());
    noteBar_->setGeometry(inside.left(), inside.top(), inside.width(), height);
    setViewportMargins(0, height, 0, 0);
}

}  // namespace bw
