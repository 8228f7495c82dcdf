#include "Form3.h"

#include "model/MessageBoxStyle.h"
#include "platform/ProgramLauncher.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/TextConversion.h"
#include "platform/qt/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

namespace bw {

namespace {

constexpr int kClientWidthTwips = 4680;
constexpr int kClientHeightTwips = 4050;

}  // namespace

Form3::Form3(ProgramLauncher& launcher, MessageBoxService* messages, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      launcher_(launcher),
      messages_(messages) {
    if (messages_ == nullptr) {
        ownMessages_ = std::make_unique<QtMessageBox>(this);
        messages_ = ownMessages_.get();
    }
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("ダイアログ送信"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A secondary window: closing the main window ends the program even while this one is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(pixelsFromTwips(kClientWidthTwips), pixelsFromTwips(kClientHeightTwips));

    place(new QLabel(QStringLiteral("※相手がNT/2000/XPのときのみ有効です※"), this), "Label2",
          twipRect(480, 120, 3615, 255));
    place(new QLabel(QStringLiteral("相手のIPアドレス"), this), "Label1", twipRect(120, 480, 1575, 255));
    text1_ = place(new QLineEdit(QStringLiteral("127.0.0.1"), this), "Text1", twipRect(120, 720, 4455, 270));
    place(new QLabel(QStringLiteral("本文"), this), "Label3", twipRect(120, 1080, 1215, 255));
    text2_ = place(new QPlainTextEdit(QStringLiteral("Text2"), this), "Text2", twipRect(120, 1320, 4455, 2055));
    text2_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text2_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text2_->setTabChangesFocus(true);
    command1_ =
        place(new QPushButton(QStringLiteral("ダイアログ送信"), this), "Command1", twipRect(120, 3480, 4455, 495));
    connect(command1_, &QPushButton::clicked, this, &Form3::send);

    // Focus order: Text1, Text2, then the labels (which never take the focus), then Command1.
    setTabOrder(text1_, text2_);
    setTabOrder(text2_, command1_);
    text1_->setFocus();
}

Form3::~Form3() = default;

// The blocks' own text joined by line breaks: unlike toPlainText() this keeps
// non-breaking spaces as typed.
std::u16string Form3::message() const {
    QString text;
    for (QTextBlock block = text2_->document()->begin(); block.isValid(); block = block.next()) {
        if (block != text2_->document()->begin()) {
            text += QLatin1Char('\n');
        }
        text += block.text();
    }
    return fromEditText(text);
}

void Form3::setMessage(std::u16string_view text) { text2_->setPlainText(toEditText(text)); }

QString Form3::address() const { return text1_->text(); }

QString Form3::commandLine() const {
    return QStringLiteral("NET SEND ") + address() + QLatin1Char(' ') + toQString(message());
}

void Form3::send() {
    const LaunchResult result = launcher_.start(commandLine(), kWindowStyleMinimized);
    if (result.started) {
        return;
    }
    const QString prompt = QStringLiteral("送信のコマンドを起動できませんでした。\r\n%1").arg(result.error);
    messages_->show(toU16(prompt), msgbox::OkOnly | msgbox::Critical, u"ダイアログ送信");
}

}  // namespace bw
