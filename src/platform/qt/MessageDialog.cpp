#include "MessageDialog.h"

#include "TextConversion.h"

#include "model/MessageBoxStyle.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <QVBoxLayout>
#include <chrono>

#include <algorithm>
#include <cmath>

namespace bw {

namespace {

// Room the window manager adds for the title bar and the borders, kept free
// when the box is sized to the screen; most draw 30 to 40 pixels.
constexpr int kWindowFrameAllowance = 48;
// Space between the text and the row of buttons.
constexpr int kTextToButtons = 8;

// The captions of a Japanese system's message box, with its access keys; OK
// and Cancel have none.
QString captionFor(int code) {
    switch (code) {
        case msgbox::ResultOk:
            return QStringLiteral("OK");
        case msgbox::ResultCancel:
            return QStringLiteral("キャンセル");
        case msgbox::ResultAbort:
            return QStringLiteral("中止(&A)");
        case msgbox::ResultRetry:
            return QStringLiteral("再試行(&R)");
        case msgbox::ResultIgnore:
            return QStringLiteral("無視(&I)");
        case msgbox::ResultYes:
            return QStringLiteral("はい(&Y)");
        case msgbox::ResultNo:
            return QStringLiteral("いいえ(&N)");
        default:
            return {};
    }
}

QStyle::StandardPixmap iconFor(int style) {
    switch (style & msgbox::IconMask) {
        case msgbox::Critical:
            return QStyle::SP_MessageBoxCritical;
        case msgbox::Question:
            return QStyle::SP_MessageBoxQuestion;
        case msgbox::Exclamation:
            return QStyle::SP_MessageBoxWarning;
        case msgbox::Information:
            return QStyle::SP_MessageBoxInformation;
        default:
            return QStyle::SP_CustomBase;
    }
}

// What a screen reader calls the icon.
QString iconName(int style) {
    switch (style & msgbox::IconMask) {
        case msgbox::Critical:
            return QStringLiteral("エラー");
        case msgbox::Question:
            return QStringLiteral("質問");
        case msgbox::Exclamation:
            return QStringLiteral("警告");
        case msgbox::Information:
            return QStringLiteral("情報");
        default:
            return {};
    }
}

// A message box is an alert to assistive technology, as the system's own
// boxes are: a screen reader reads it out when it opens.
QAccessibleInterface* alertInterface(const QString&, QObject* object) {
    if (auto* dialog = qobject_cast<MessageDialog*>(object)) {
        return new QAccessibleWidget(dialog, QAccessible::AlertMessage, dialog->windowTitle());
    }
    return nullptr;
}

}  // namespace

QList<int> MessageDialog::buttonCodes(int style) {
    switch (style & msgbox::ButtonMask) {
        case msgbox::OkCancel:
            return {msgbox::ResultOk, msgbox::ResultCancel};
        case msgbox::AbortRetryIgnore:
            return {msgbox::ResultAbort, msgbox::ResultRetry, msgbox::ResultIgnore};
        case msgbox::YesNoCancel:
            return {msgbox::ResultYes, msgbox::ResultNo, msgbox::ResultCancel};
        case msgbox::YesNo:
            return {msgbox::ResultYes, msgbox::ResultNo};
        case msgbox::RetryCancel:
            return {msgbox::ResultRetry, msgbox::ResultCancel};
        default:
            return {msgbox::ResultOk};
    }
}

int MessageDialog::escapeCode(int style) {
    const QList<int> codes = buttonCodes(style);
    if (codes.contains(msgbox::ResultCancel)) {
        return msgbox::ResultCancel;
    }
    return codes == QList<int>{msgbox::ResultOk} ? msgbox::ResultOk : 0;
}

namespace {

// The system box shows about the first 1,023 characters of a prompt; the
// preview shows more, up to what a box lays out without keeping the user
// waiting (wrapping a long line takes a text layout about a second for a
// hundred thousand characters). A longer prompt is cut there, and a last line
// says how much was left out.
constexpr qsizetype kLongestPromptShown = 32 * 1024;

QString shownPrompt(const QString& prompt) {
    if (prompt.size() <= kLongestPromptShown) {
        return prompt;
    }
    return prompt.left(kLongestPromptShown) + QStringLiteral("…\n（以下 %1 文字は表示していません）")
                                                  .arg(groupedNumber(prompt.size() - kLongestPromptShown));
}

}  // namespace

int MessageDialog::defaultIndex(int style) {
    const int index = (style & msgbox::DefaultButtonMask) / msgbox::DefaultButton2;
    return index < buttonCodes(style).size() ? index : 0;
}

MessageDialog::MessageDialog(const QString& prompt, int style, const QString& title, QWidget* parent)
    : QDialog(parent), escapeCode_(escapeCode(style)) {
    // Before anything that lets assistive technology ask for the box.
    static const bool alerts = [] {
        QAccessible::installFactory(alertInterface);
        return true;
    }();
    Q_UNUSED(alerts);
    // A script's MsgBox hands a title it was given to the system box as it is,
    // and an empty one leaves the title bar empty. Qt shows the application's
    // name for an empty window title, so an empty title is shown as a space.
    setWindowTitle(title.isEmpty() ? QStringLiteral(" ") : title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    // The system-modal flag keeps the box in front of every other window.
    if (style & msgbox::SystemModal) {
        setWindowFlag(Qt::WindowStaysOnTopHint);
    }

    // A read-only text edit rather than a label: it can wrap inside a word
    // that is too long for a line, and it scrolls a text taller than the screen.
    auto* text = new QTextEdit(this);
    text->setObjectName(QStringLiteral("prompt"));
    text->setReadOnly(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setFocusPolicy(Qt::NoFocus);
    text->setFrameShape(QFrame::NoFrame);
    text->viewport()->setAutoFillBackground(false);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const bool right = (style & msgbox::RightAligned) != 0;
    QTextDocument* document = text->document();
    document->setDocumentMargin(0);
    QTextOption option = document->defaultTextOption();
    option.setAlignment(right ? Qt::AlignRight : Qt::AlignLeft);
    document->setDefaultTextOption(option);
    text->setPlainText(shownPrompt(prompt));

    auto* body = new QHBoxLayout;
    body->setSpacing(16);
    int iconWidth = 0;
    const QStyle::StandardPixmap pixmap = iconFor(style);
    if (pixmap != QStyle::SP_CustomBase) {
        auto* icon = new QLabel(this);
        icon->setObjectName(QStringLiteral("icon"));
        icon->setAccessibleName(iconName(style));
        const int extent = this->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        icon->setPixmap(this->style()->standardIcon(pixmap, nullptr, this).pixmap(extent, extent));
        icon->setAlignment(Qt::AlignTop);
        body->addWidget(icon, 0, Qt::AlignTop);
        iconWidth = icon->sizeHint().width() + body->spacing();
    }
    // Right-aligned text ends at the box's right edge, as the system box's does.
    body->addWidget(text, 1, (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (const int code : buttonCodes(style)) {
        auto* button = new QPushButton(captionFor(code), this);
        button->setObjectName(QStringLiteral("button%1").arg(code));
        button->setMinimumWidth(88);
        connect(button, &QPushButton::clicked, this, [this, code] { answer(code); });
        row->addWidget(button);
        buttons_.append(button);
    }
    row->addStretch(1);
    QPushButton* initial = buttons_[defaultIndex(style)];
    initial->setDefault(true);
    initial->setFocus();

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(body);
    layout->addSpacing(kTextToButtons);
    layout->addLayout(row);

    const QMargins margins = layout->contentsMargins();
    fitPrompt(text, margins.left() + margins.right() + iconWidth,
              margins.top() + margins.bottom() + 2 * layout->spacing() + kTextToButtons + row->sizeHint().height());
}

// The text's width follows the system box. Windows 95 to XP took the first of
// the longest line, 5/8, 3/4 and 7/8 of the work area's width that let the box
// fit the work area (R. Chen, "Why doesn't my MessageBox wrap at the right
// location?", The Old New Thing, 24 June 2011); here the fractions bound the
// whole box. A text too tall even at 7/8 scrolls in the height that is left.
// The widest choice is laid out first, so a text that has to scroll anyway
// costs one layout: wrapping a very long word anywhere is slow.
void MessageDialog::fitPrompt(QTextEdit* text, int besideText, int belowText) {
    const QRect work = screen()->availableGeometry();
    const int maxHeight = std::max(fontMetrics().height(), work.height() - kWindowFrameAllowance - belowText);
    // Measured on a copy: the text edit sets its own document's width to its own.
    QTextDocument document;
    document.setDefaultFont(text->document()->defaultFont());
    document.setDefaultTextOption(text->document()->defaultTextOption());
    document.setDocumentMargin(0);
    document.setPlainText(text->toPlainText());
    const int natural = std::max(1, static_cast<int>(std::ceil(document.idealWidth())));
    auto widthAt = [&](int eighths) { return std::clamp(work.width() * eighths / 8 - besideText, 1, natural); };
    auto heightAt = [&document](int width) {
        document.setTextWidth(width);
        return static_cast<int>(std::ceil(document.size().height()));
    };
    const int widest = widthAt(7);
    const int widestHeight = heightAt(widest);
    if (widestHeight > maxHeight) {
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        const int scrollBar = text->verticalScrollBar()->sizeHint().width();
        text->setFixedSize(std::min(widest + scrollBar, work.width() * 7 / 8 - besideText), maxHeight);
        return;
    }
    for (const int eighths : {5, 6}) {
        const int width = widthAt(eighths);
        if (width == widest) {
            break;
        }
        const int height = heightAt(width);
        if (height <= maxHeight) {
            text->setFixedSize(width, height);
            return;
        }
    }
    text->setFixedSize(widest, widestHeight);
}

void MessageDialog::answer(int code) {
    result_ = code;
    done(code);
}

void MessageDialog::closeAfter(int seconds) {
    if (seconds > 0) {
        QTimer::singleShot(std::chrono::seconds(seconds), this, [this] { answer(msgbox::ResultTimedOut); });
    }
}

void MessageDialog::reject() {
    if (escapeCode_ != 0) {
        answer(escapeCode_);
    }
}

// A button's access key presses it with or without Alt, as in the system box;
// Qt's own mnemonic handling covers Alt and the letter.
void MessageDialog::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers others =
        event->modifiers() & ~(Qt::ShiftModifier | Qt::AltModifier | Qt::KeypadModifier);
    if (others == Qt::NoModifier) {
        for (QPushButton* button : buttons_) {
            const QKeySequence key = QKeySequence::mnemonic(button->text());
            if (!key.isEmpty() && key[0].key() == event->key()) {
                button->click();
                return;
            }
        }
    }
    QDialog::keyPressEvent(event);
}

void MessageDialog::closeEvent(QCloseEvent* event) {
    if (result_ != 0) {
        event->accept();
        return;
    }
    event->ignore();
    reject();
}

}  // namespace bw
