#include "app/CommandLine.h"
#include "gui/MainWindowFixture.h"
#include "model/EditorRules.h"
#include "platform/qt/TextConversion.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace bw {

class OpenFromOutsideTest : public QObject, test::MainWindowFixture {
    Q_OBJECT

    QAction* action(const QString& name) { return get<QAction>(name); }
    QWidget* widget(const QString& name) {
        if (name == "Form1") return form.get();
        auto* box = form->findChild<QPlainTextEdit*>(name);
        return box ? box->viewport() : form->findChild<QWidget*>(name);
    }

    // What the controls hold, and whether closing would ask to save.
    QString controls() {
        QString out;
        for (const TextBoxId id :
             {TextBoxId::Text1, TextBoxId::Text2, TextBoxId::Text4, TextBoxId::Text5, TextBoxId::Text6}) {
            out += toQString(form->text(id)) + u'|';
        }
        for (const CheckBoxId id :
             {CheckBoxId::Check1, CheckBoxId::Check3, CheckBoxId::Check5, CheckBoxId::Check6, CheckBoxId::Check7}) {
            out += QString::number(form->checkValue(id));
        }
        out += QStringLiteral("|%1|%2|").arg(form->selectedIconOption()).arg(form->selectedButtonOption());
        return out + (hasUnsavedChanges(*form) ? "changed" : "saved");
    }

    // A drag of these URLs onto the widget and, when it is taken, its drop. As
    // from a file manager, the URLs also come as text.
    bool drop(QWidget* target, const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        data.setText(urls.constFirst().toString());
        QDragEnterEvent enter(QPoint(4, 4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent dropped(QPointF(4, 4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        QCoreApplication::processEvents();
        return dropped.isAccepted();
    }

    // A script saved through the menu, then New.
    QString savedScript() {
        form->setText(TextBoxId::Text2, u"Title \"t\"");
        form->setText(TextBoxId::Text1, u"Body\r\nline 2");
        form->selectIconOption(2);
        form->selectButtonOption(8);
        form->setCheckValue(CheckBoxId::Check1, 1);
        form->setCheckValue(CheckBoxId::Check6, 0);
        form->setText(TextBoxId::Text4, u"yes");
        dialog->answers = {toU16(path("saved.vbs"))};
        action("VBSとして保存")->trigger();
        action("新規作成")->trigger();
        return path("saved.vbs");
    }

private slots:
    void init() { QVERIFY(openWindow()); }
    void cleanup() { form.reset(); }

    void shortcuts_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("new") << "新規作成" << QKeySequence(Qt::CTRL | Qt::Key_N);
        QTest::newRow("open") << "VBSを開く" << QKeySequence(Qt::CTRL | Qt::Key_O);
        QTest::newRow("save") << "上書き保存" << QKeySequence(Qt::CTRL | Qt::Key_S);
        QTest::newRow("save as") << "名前を付けて保存" << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
        QTest::newRow("code") << "コードを表示" << QKeySequence(Qt::Key_F7);
    }

    // Each key triggers its item once, also while a text box has the focus.
    void shortcuts() {
        QFETCH(QString, item);
        QFETCH(QKeySequence, keys);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text2"));
        QSignalSpy triggered(action(item), &QAction::triggered);
        QTest::keySequence(QApplication::focusWidget(), keys);
        QCOMPARE(triggered.count(), 1);
    }

    // The quit key closes the window as its close box does: unsaved work is
    // asked about, and Cancel keeps it. 終了 itself is not triggered.
    void quitKeyAsksFirst() {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("unsaved"));
        QSignalSpy exitItem(action("終了"), &QAction::triggered);
        QSignalSpy ending(form.get(), &Form1::programEnding);
        messages->answers = {2};
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_Q));
        QCOMPARE(messages->calls.size(), std::size_t{1});
        QCOMPARE(messages->calls[0].prompt, u"変更を保存しますか？");
        QCOMPARE(exitItem.count(), 0);
        QCOMPARE(ending.count(), 0);
        QVERIFY(form->isVisible());
        messages->answers = {7};
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_Q));
        QCOMPARE(ending.count(), 1);
    }

    void opensLikeTheMenu_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("command line") << "";
        QTest::newRow("drop on the window") << "Form1";
        QTest::newRow("drop on the body") << "Text1";
        QTest::newRow("drop on the title") << "Text2";
        QTest::newRow("drop on a follow-up") << "Text4";
    }

    // The controls and the snapshot come out as after the open command.
    void opensLikeTheMenu() {
        QFETCH(QString, how);
        const QString file = savedScript();
        const QString fresh = controls();
        dialog->answers = {toU16(file)};
        messages->answers = {7};
        action("VBSを開く")->trigger();
        messages->calls.clear();
        const QString byMenu = controls();
        QVERIFY(byMenu != fresh);
        action("新規作成")->trigger();
        QVERIFY(messages->calls.empty());
        // New emptied texts the snapshot holds: the open asks first.
        messages->answers = {7};
        if (how.isEmpty()) {
            form->openPath(toU16(file));
        } else {
            QVERIFY(drop(widget(how), {QUrl::fromLocalFile(path("notes.txt")), QUrl::fromLocalFile(file)}));
        }
        QCOMPARE(controls(), byMenu);
        QCOMPARE(messages->calls.size(), std::size_t{1});
        QCOMPARE(messages->calls[0].prompt, u"変更を保存しますか？");
    }

    void otherDropsDoNothing_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QList<QUrl>>("urls");
        const QList<QUrl> text = {QUrl::fromLocalFile("/tmp/notes.txt")};
        const QList<QUrl> remote = {QUrl("https://example.org/a.vbs")};
        QTest::newRow("text file on the window") << "Form1" << text;
        QTest::newRow("text file on the body") << "Text1" << text;
        QTest::newRow("text file on the title") << "Text2" << text;
        QTest::newRow("remote script on the window") << "Form1" << remote;
    }

    void otherDropsDoNothing() {
        QFETCH(QString, target);
        QFETCH(QList<QUrl>, urls);
        const QString before = controls();
        QVERIFY(!drop(widget(target), urls));
        QCOMPARE(controls(), before);
        QVERIFY(messages->calls.empty());
    }

    // A file that cannot be read: the usual message, the same from both ways in.
    void unreadableFileIsReported() {
        const QString missing = path("missing.vbs");
        form->openPath(toU16(missing));
        QVERIFY(drop(form.get(), {QUrl::fromLocalFile(missing)}));
        QCOMPARE(messages->calls.size(), std::size_t{2});
        QCOMPARE(messages->calls[0].prompt, messages->calls[1].prompt);
        // Built in steps: GCC 12 at -O3 takes u"「" + a temporary for an overlapping copy (-Wrestrict).
        std::u16string expected = u"「";
        expected += toU16(missing);
        expected += u"」を開けませんでした。";
        QVERIFY(messages->calls[0].prompt.starts_with(expected));
        QVERIFY(form->isVisible());
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("ok");
        QTest::newRow("nothing") << QStringList{"boxwright"} << "" << true;
        QTest::newRow("a file") << QStringList{"boxwright", "a b.vbs"} << "a b.vbs" << true;
        QTest::newRow("a file after --") << QStringList{"boxwright", "--", "-x.ps1"} << "-x.ps1" << true;
        QTest::newRow("unknown option") << QStringList{"boxwright", "--what", "a.vbs"} << "" << false;
        QTest::newRow("two files") << QStringList{"boxwright", "a.vbs", "b.vbs"} << "" << false;
        QTest::newRow("force alone") << QStringList{"boxwright", "--force", "a.vbs"} << "" << false;
    }

    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QFETCH(bool, ok);
        const CommandLine parsed = parseCommandLine(arguments);
        QCOMPARE(parsed.ok(), ok);
        QCOMPARE(parsed.file, file);
        QCOMPARE(asksForNoWindow(arguments), false);
    }

    void commandLineWithoutAWindow() {
        const QStringList convert = {"boxwright", "--to-ps1", "--force", "a.vbs", "b.VBS"};
        QVERIFY(asksForNoWindow(convert));
        const CommandLine parsed = parseCommandLine(convert);
        QVERIFY(parsed.ok());
        QCOMPARE(parsed.mode, CommandLine::Mode::Convert);
        QCOMPARE(parsed.scripts, (QStringList{"a.vbs", "b.VBS"}));
        QVERIFY(parsed.force);
        QCOMPARE(parseCommandLine({"boxwright", "-h"}).mode, CommandLine::Mode::Help);
        QVERIFY(!asksForNoWindow({"boxwright", "--", "--help"}));
    }
};

}  // namespace bw

QTEST_MAIN(bw::OpenFromOutsideTest)
#include "OpenFromOutsideTest.moc"
