#include "MessageDialog.h"

#include "model/MessageBoxStyle.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace bw {

namespace {

QString captionFor(int code) {
    switch (code) {
        case msgbox::ResultOk:
            return QStringLiteral("OK");
        case msgbox::ResultCancel:
            return QStringLiteral("キャンセル");
        case msgbox::ResultAbort:
            return QStringLiteral("中止");
        case msgbox::ResultRetry:
            return QStringLiteral("再試行");
        case msgbox::ResultIgnore:
            return QStringLiteral("無視");
        case msgbox::ResultYes:
            return QStringLiteral("はい");
        case msgbox::ResultNo:
            return QStringLiteral("いいえ");
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

MessageDialog::MessageDialog(const QString& prompt, int style, const QString& title, QWidget* parent)
    : QDialog(parent), escapeCode_(escapeCode(style)) {
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    auto* text = new QLabel(prompt, this);
    text->setObjectName(QStringLiteral("prompt"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(false);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const bool right = (style & msgbox::RightAligned) != 0;
    text->setAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);

    auto* body = new QHBoxLayout;
    body->setSpacing(16);
    const QStyle::StandardPixmap pixmap = iconFor(style);
    if (pixmap != QStyle::SP_CustomBase) {
        auto* icon = new QLabel(this);
        icon->setObjectName(QStringLiteral("icon"));
        const int extent = this->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        icon->setPixmap(this->style()->standardIcon(pixmap, nullptr, this).pixmap(extent, extent));
        icon->setAlignment(Qt::AlignTop);
        body->addWidget(icon, 0, Qt::AlignTop);
    }
    body->addWidget(text, 1);

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
    buttons_.first()->setDefault(true);
    buttons_.first()->setFocus();

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(body);
    layout->addSpacing(8);
    layout->addLayout(row);
}

void MessageDialog::answer(int code) {
    result_ = code;
    done(code);
}

void MessageDialog::reject() {
    if (escapeCode_ != 0) {
        answer(escapeCode_);
    }
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
