#include "editor/CodeView.h"
#include "editor/CodeWindow.h"
#include "gui/MainWindowFixture.h"
#include "codec/CodePage932.h"
#include "codec/Utf8.h"
#include "platform/qt/TextConversion.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace bw {

using test::childNamed;

class CodeWindowTest : public QObject, test::MainWindowFixture {
    Q_OBJECT

    CodeWindow* openCode() {
        get<QAction>("コードを表示")->trigger();
        auto* window = form->findChild<CodeWindow*>();
        if (!window || !QTest::qWaitForWindowExposed(window)) qFatal("no code window");
        return window;
    }
    void check(const char* name, bool on) {
        auto* box = get<QCheckBox>(name);
        if (box->isChecked() != on) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    void choose(const QString& option) { get<QRadioButton>(option)->click(); }
    // The current tab's text, once the window has taken in the last edit.
    QString shown(CodeWindow* window) {
        QCoreApplication::processEvents();
        QString text;
        for (const auto& line : window->currentView()->lines()) text += toQString(line) + "\r\n";
        return text;
    }
    QString savedText(const QString& name) {
        QFile file(path(name));
        if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("(missing)");
        const std::string bytes = file.readAll().toStdString();
        if (name.endsWith(QStringLiteral(".ps1"))) {
            return bytes.starts_with("\xEF\xBB\xBF") ? toQString(fromUtf8(bytes.substr(3)))
                                                     : QStringLiteral("(no byte-order mark)");
        }
        return toQString(decodeCodePage932(bytes));
    }

private slots:
    void init() { QVERIFY(openWindow()); }
    void cleanup() { form.reset(); }

    void createdOnFirstUse() {
        QVERIFY(!form->findChild<CodeWindow*>());
        QCOMPARE(get<QAction>("コードを表示")->shortcut(), QKeySequence(Qt::Key_F7));
    }

    void showsWhatASaveWrites_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("followUps");
        QTest::addColumn<QString>("slot2");
        QTest::newRow("plain") << "Title"
                               << "Hello"
                               << "Option1_0"
                               << "Option2_5" << false << false << "";
        QTest::newRow("quotes and lines") << "T \"q\""
                                          << "a\r\nb \"c\"\r\n"
                                          << "Option1_2"
                                          << "Option2_7" << false << true << "ignore";
        QTest::newRow("Japanese, right, slot off") << "確認"
                                                   << "保存しますか？"
                                                   << "Option1_1"
                                                   << "Option2_8" << true << true << "";
        QTest::newRow("outside the code page") << "€ 😀"
                                               << "〜～①\tx"
                                               << "Option1_3"
                                               << "Option2_9" << true << true << "Ω €";
        QTest::newRow("lone CR and LF") << "t"
                                        << "a\rb\nc"
                                        << "Option1_0"
                                        << "Option2_10" << false << true << "";
    }

    // The window's tabs hold what the VBS, HTML and PowerShell saves write, decoded.
    void showsWhatASaveWrites() {
        QFETCH(QString, title);
        QFETCH(QString, body);
        QFETCH(QString, icon);
        QFETCH(QString, buttons);
        QFETCH(bool, right);
        QFETCH(bool, followUps);
        QFETCH(QString, slot2);
        CodeWindow* window = openCode();
        form->setText(TextBoxId::Text2, toU16(title));
        form->setText(TextBoxId::Text1, toU16(body));
        choose(icon);
        choose(buttons);
        check("Check3", right);
        check("Check1", followUps);
        form->setText(TextBoxId::Text5, toU16(slot2));
        check("Check5", slot2.isEmpty());
        // Shown before the saves, which leave their marks in the window state.
        const QString vbs = shown(window);
        window->findChild<QTabWidget*>()->setCurrentIndex(1);
        const QString html = window->fileText();
        window->findChild<QTabWidget*>()->setCurrentIndex(2);
        const QString ps1 = window->fileText();
        dialog->answers = {toU16(path("s.vbs")), toU16(path("s.htm")), toU16(path("s.ps1"))};
        get<QAction>("VBSとして保存")->trigger();
        QTest::mouseClick(get<QPushButton>("Command3"), Qt::LeftButton);
        get<QAction>("PowerShellとして保存")->trigger();
        QCOMPARE(vbs, savedText("s.vbs"));
        QCOMPARE(html, savedText("s.htm"));
        QCOMPARE(ps1, savedText("s.ps1"));
    }

    void followsEveryEdit() {
        CodeWindow* window = openCode();
        QCOMPARE(shown(window), QStringLiteral("selectkey = MsgBox(\"\", 0 + 16, \"\")\r\n"));
        QTest::keyClicks(get<QPlainTextEdit>("Text1"), "hi");
        QCOMPARE(shown(window), QStringLiteral("selectkey = MsgBox(\"hi\", 0 + 16, \"\")\r\n"));
        choose("Option1_1");
        choose("Option2_6");
        check("Check3", true);
        QCOMPARE(shown(window), QStringLiteral("selectkey = MsgBox(\"hi\", 1 + 32 + vbMsgBoxRight, \"\")\r\n"));
        check("Check1", true);
        QCOMPARE(shown(window).count(u'\n'), 9);
        // Hidden, it does nothing; shown again, it shows the edits since.
        window->close();
        QTest::keyClicks(get<QPlainTextEdit>("Text1"), "!");
        check("Check1", false);
        QCOMPARE(window->currentView()->lines().size(), std::size_t{9});
        openCode();
        QCOMPARE(shown(window), QStringLiteral("selectkey = MsgBox(\"hi!\", 1 + 32 + vbMsgBoxRight, \"\")\r\n"));
    }

    // A large script is rebuilt on a worker after a pause; edits made while it
    // runs follow in the next run.
    void largeScriptFollowsToo() {
        std::u16string body;
        while (body.size() <= static_cast<std::size_t>(CodeWindow::kLargeText)) body += u"本文 \"quoted\" text\r\n";
        // Pasted, so that the box holds it all for editing (an opened text
        // this large is shown only in part).
        auto* box = get<QPlainTextEdit>("Text1");
        box->setPlainText(toEditText(body));
        CodeWindow* window = openCode();
        box->moveCursor(QTextCursor::End);
        QTest::keyClicks(box, "Y");
        // The edit has started the pause, and no event has run since: the spy
        // hears the pause end, when the writer starts, however late that is.
        QTimer* pause = nullptr;
        for (QTimer* timer : window->findChildren<QTimer*>(Qt::FindDirectChildrenOnly)) {
            if (timer->isActive() && timer->interval() == CodeWindow::kPauseMs) pause = timer;
        }
        QVERIFY(pause != nullptr);
        QSignalSpy paused(pause, &QTimer::timeout);
        QVERIFY(paused.wait(60000));
        QTest::keyClicks(box, "ZW");  // once the writer has started: as a rule while it runs
        const auto endsWell = [window] {
            return window->currentView()->lines().at(0).ends_with(u"&vbCrLf&\"YZW\", 0 + 16, \"\")");
        };
        QTRY_VERIFY_WITH_TIMEOUT(endsWell(), 60000);
        dialog->answers = {toU16(path("large.vbs"))};
        get<QAction>("VBSとして保存")->trigger();
        QCOMPARE(window->fileText(), savedText("large.vbs"));
    }

    void copyPutsTheFileOnTheClipboard() {
        CodeWindow* window = openCode();
        form->setText(TextBoxId::Text1, u"two\r\nlines");
        check("Check1", true);
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(childNamed<QPushButton>(window, "copy"), Qt::LeftButton);
        const QString copied = QGuiApplication::clipboard()->text();
        QCOMPARE(copied, shown(window));
        QCOMPARE(copied.count(QStringLiteral("\r\n")), 9);
        QCOMPARE(copied.count(u'\n'), 9);
        QVERIFY(!childNamed<QLabel>(window, "note")->text().isEmpty());
    }

    void oneWindowThatKeepsItsTab() {
        CodeWindow* window = openCode();
        window->findChild<QTabWidget*>()->setCurrentIndex(1);
        window->close();
        QVERIFY(!window->isVisible());
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F7);
        QCOMPARE(form->findChildren<CodeWindow*>().size(), 1);
        QVERIFY(window->isVisible());
        QCOMPARE(window->findChild<QTabWidget*>()->currentIndex(), 1);
        QVERIFY(shown(window).startsWith(QStringLiteral("<script language= VBScript><!--\r\n")));
        // A minimized window comes back too.
        window->showMinimized();
        get<QAction>("コードを表示")->trigger();
        QVERIFY(!window->isMinimized());
    }
};

}  // namespace bw

QTEST_MAIN(bw::CodeWindowTest)
#include "CodeWindowTest.moc"
