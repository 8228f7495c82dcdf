#include "SharingDoubles.h"
#include "doubles/RecordingMessageBox.h"
#include "platform/qt/TextConversion.h"
#include "sharing/Form3.h"
#include "sharing/SendWindowHost.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using bw::Form3;
using bw::SendWindowHost;
using bw::test::RecordingLauncher;
using bw::test::RecordingMessageBox;

namespace {

QRect twips(int left, int top, int width, int height) {
    auto px = [](int t) { return (t + 7) / 15; };
    return {px(left), px(top), px(width), px(height)};
}

}  // namespace

class Form3Test : public QObject {
    Q_OBJECT

private:
    RecordingLauncher* launcher_ = nullptr;
    RecordingMessageBox* messages_ = nullptr;
    SendWindowHost* host_ = nullptr;

    Form3* open(std::u16string_view body) {
        host_->show(body);
        return host_->window();
    }
    QLineEdit* address() { return host_->window()->findChild<QLineEdit*>(QStringLiteral("Text1")); }
    QPlainTextEdit* message() { return host_->window()->findChild<QPlainTextEdit*>(QStringLiteral("Text2")); }
    QPushButton* sendButton() { return host_->window()->findChild<QPushButton*>(QStringLiteral("Command1")); }

private slots:
    void init() {
        launcher_ = new RecordingLauncher;
        messages_ = new RecordingMessageBox;
        host_ = new SendWindowHost(*launcher_, messages_);
    }
    void cleanup() {
        delete host_;
        delete messages_;
        delete launcher_;
    }

    void windowHasTheDesignedControls() {
        Form3* w = open(u"本文");
        QCOMPARE(w->windowTitle(), QStringLiteral("ダイアログ送信"));
        QCOMPARE(w->size(), QSize(312, 270));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        const Qt::WindowFlags flags = w->windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(w->parentWidget() == nullptr);
        QVERIFY(!w->testAttribute(Qt::WA_QuitOnClose));

        struct Expected {
            const char* name;
            QString text;
            QRect where;
        };
        const Expected labels[] = {
            {"Label2", QStringLiteral("※相手がNT/2000/XPのときのみ有効です※"), twips(480, 120, 3615, 255)},
            {"Label1", QStringLiteral("相手のIPアドレス"), twips(120, 480, 1575, 255)},
            {"Label3", QStringLiteral("本文"), twips(120, 1080, 1215, 255)},
        };
        for (const Expected& e : labels) {
            auto* label = w->findChild<QLabel*>(QString::fromLatin1(e.name));
            QVERIFY2(label != nullptr, e.name);
            QCOMPARE(label->text(), e.text);
            QCOMPARE(label->geometry(), e.where);
        }
        QCOMPARE(address()->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(address()->geometry(), twips(120, 720, 4455, 270));
        QCOMPARE(message()->geometry(), twips(120, 1320, 4455, 2055));
        QCOMPARE(message()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(message()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(sendButton()->text(), QStringLiteral("ダイアログ送信"));
        QCOMPARE(sendButton()->geometry(), twips(120, 3480, 4455, 495));
    }

    void messageStartsAsText2BeforeItIsReplaced() {
        RecordingLauncher launcher;
        Form3 w(launcher, nullptr);
        QCOMPARE(w.message(), std::u16string(u"Text2"));
        QCOMPARE(w.address(), QStringLiteral("127.0.0.1"));
    }

    void focusGoesAddressMessageButton() {
        Form3* w = open(u"x");
        QList<QWidget*> chain;
        QWidget* next = address();
        do {
            if (next->focusPolicy() & Qt::TabFocus) {
                chain << next;
            }
            next = next->nextInFocusChain();
        } while (next != address());
        QCOMPARE(chain.size(), 3);
        QCOMPARE(chain[0], address());
        QCOMPARE(chain[1], message());
        QCOMPARE(chain[2], static_cast<QWidget*>(sendButton()));
        QVERIFY(message()->tabChangesFocus());
        (void)w;
    }

    void sendWithInitialAddress() {
        open(u"こんにちは");
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QCOMPARE(launcher_->calls.size(), 1u);
        QCOMPARE(launcher_->calls[0].commandLine, QStringLiteral("NET SEND 127.0.0.1 こんにちは"));
        QCOMPARE(launcher_->calls[0].windowStyle, 2);
        QVERIFY(messages_->calls.empty());
    }

    void emptyAddressKeepsBothBlanks() {
        open(u"hello world");
        address()->clear();
        host_->window()->send();
        QCOMPARE(launcher_->calls.at(0).commandLine, QStringLiteral("NET SEND  hello world"));
    }

    void multiLineBodyKeepsItsCrLfPairs() {
        open(u"line 1\r\nline 2\r\n\r\nend");
        QCOMPARE(message()->toPlainText(), QStringLiteral("line 1\nline 2\n\nend"));
        host_->window()->send();
        QCOMPARE(launcher_->calls.at(0).commandLine, QStringLiteral("NET SEND 127.0.0.1 line 1\r\nline 2\r\n\r\nend"));
    }

    void nothingIsTrimmedQuotedOrEscaped() {
        open(u"  \"quoted\" 'single' $(touch x) `id` ; rm -rf / | cat && echo\t%PATH% ^& \\  ");
        address()->setText(QStringLiteral(" host;reboot|x $(id) "));
        host_->window()->send();
        QCOMPARE(launcher_->calls.at(0).commandLine,
                 QStringLiteral("NET SEND  host;reboot|x $(id)    \"quoted\" 'single' $(touch x) `id` ; rm -rf / | "
                                "cat && echo\t%PATH% ^& \\  "));
    }

    void sendingTwiceStartsTwiceAndKeepsTheFields() {
        open(u"body");
        address()->setText(QStringLiteral("PC01"));
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QCOMPARE(launcher_->calls.size(), 2u);
        QCOMPARE(launcher_->calls[0].commandLine, QStringLiteral("NET SEND PC01 body"));
        QCOMPARE(launcher_->calls[1].commandLine, QStringLiteral("NET SEND PC01 body"));
        QVERIFY(host_->window()->isVisible());
        QCOMPARE(address()->text(), QStringLiteral("PC01"));
        QCOMPARE(message()->toPlainText(), QStringLiteral("body"));
    }

    void command5ReplacesTheMessageAndKeepsTheAddress() {
        Form3* first = open(u"first");
        address()->setText(QStringLiteral("192.0.2.7"));
        message()->setPlainText(QStringLiteral("edited in the send window"));
        Form3* second = open(u"second\r\nbody");
        QCOMPARE(second, first);
        QCOMPARE(address()->text(), QStringLiteral("192.0.2.7"));
        QCOMPARE(second->message(), std::u16string(u"second\r\nbody"));
    }

    void editsInTheSendWindowAreSentAsTyped() {
        std::u16string body = u"from main";
        open(body);
        message()->moveCursor(QTextCursor::End);
        QTest::keyClicks(message(), QStringLiteral(" and more"));
        QTest::keyClick(message(), Qt::Key_Return);
        QTest::keyClicks(message(), QStringLiteral("x"));
        host_->window()->send();
        QCOMPARE(launcher_->calls.at(0).commandLine, QStringLiteral("NET SEND 127.0.0.1 from main and more\r\nx"));
        QCOMPARE(body, std::u16string(u"from main"));
    }

    void nonBreakingSpacesAreSentAsTyped() {
        open(u"a\u00a0b");
        host_->window()->send();
        QCOMPARE(launcher_->calls.at(0).commandLine,
                 QStringLiteral("NET SEND 127.0.0.1 a") + QChar(0x00a0) + QStringLiteral("b"));
    }

    void oneInstanceShownWithoutOwner() {
        Form3* w = open(u"a");
        QVERIFY(w->isVisible());
        QVERIFY(w->parentWidget() == nullptr);
        QCOMPARE(open(u"b"), w);
        int windows = 0;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            windows += top->objectName() == QStringLiteral("Form3") ? 1 : 0;
        }
        QCOMPARE(windows, 1);
    }

    void closingUnloadsAndTheNextOpeningStartsAfresh() {
        open(u"a");
        address()->setText(QStringLiteral("somebody"));
        QPointer<Form3> old = host_->window();
        old->close();
        QTRY_VERIFY(old.isNull());
        QVERIFY(host_->window() == nullptr);
        Form3* w = open(u"b");
        QCOMPARE(address()->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(w->message(), std::u16string(u"b"));
    }

    void launcherFailureIsToldInTheSendWindow() {
        launcher_->answer = {false, QStringLiteral("プログラム「NET」が見つかりません。")};
        open(u"body");
        host_->window()->send();
        QCOMPARE(launcher_->calls.size(), 1u);
        QCOMPARE(messages_->calls.size(), 1u);
        const auto& call = messages_->calls[0];
        QVERIFY(bw::toQString(call.prompt).contains(QStringLiteral("起動できませんでした")));
        QVERIFY(bw::toQString(call.prompt).contains(QStringLiteral("「NET」が見つかりません")));
        QCOMPARE(call.style, 16);
        QCOMPARE(call.title.value_or(u""), std::u16string(u"ダイアログ送信"));
        // The window stays, with its fields.
        QVERIFY(host_->window()->isVisible());
        QCOMPARE(message()->toPlainText(), QStringLiteral("body"));
        QCOMPARE(address()->text(), QStringLiteral("127.0.0.1"));
    }
};

QTEST_MAIN(Form3Test)
#include "Form3Test.moc"
