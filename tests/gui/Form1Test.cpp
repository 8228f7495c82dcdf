#include "core/WorkedExample.h"
#include "gui/MainWindowFixture.h"
#include "model/EditorRules.h"
#include "model/LargeText.h"
#include "model/MessageBoxStyle.h"
#include "platform/qt/MessageDialog.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/TextConversion.h"
#include "platform/qt/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace bw {

class Form1Test : public QObject, test::MainWindowFixture {
    Q_OBJECT

    std::vector<std::u16string> sent;
    int uploads = 0;
    int abouts = 0;

    QAction* action(const QString& name) { return get<QAction>(name); }
    void click(const QString& name) { QTest::mouseClick(get<QAbstractButton>(name), Qt::LeftButton); }
    void choose(const QString& option) {
        auto* button = get<QRadioButton>(option);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    void toggle(const QString& check) {
        auto* box = get<QCheckBox>(check);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    void type(const QString& name, const QString& text) {
        if (auto* line = form->findChild<QLineEdit*>(name)) {
            line->setText(text);
        } else {
            get<QPlainTextEdit>(name)->setPlainText(text);
        }
    }
    // The next widget in the focus chain that Tab can reach.
    static QWidget* nextTabStop(QWidget* widget) {
        QWidget* next = widget->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus)) {
            next = next->nextInFocusChain();
        }
        return next;
    }
    static QByteArray bytes(const QString& file) {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private slots:
    void init() {
        sent.clear();
        uploads = abouts = 0;
        QVERIFY(openWindow(
            u"/opt/samples", [this] { ++uploads; }, [this] { ++abouts; },
            [this](const std::u16string& body) { sent.push_back(body); }));
    }

    void cleanup() { form.reset(); }

    void startState() {
        QCOMPARE(form->windowTitle(), QStringLiteral("無題[*] - Boxwright"));
        QVERIFY(!form->isWindowModified());
        QCOMPARE(form->outerWidthTwips(), 5130);
        QCOMPARE(get<QLineEdit>("Text2")->text(), QString());
        QCOMPARE(get<QPlainTextEdit>("Text1")->toPlainText(), QString());
        for (const char* name : {"Text4", "Text5", "Text6"}) {
            QCOMPARE(get<QPlainTextEdit>(name)->toPlainText(), QStringLiteral("本文"));
            QVERIFY(get<QPlainTextEdit>(name)->isEnabled());
        }
        for (const char* name : {"Check5", "Check6", "Check7"}) {
            QVERIFY(get<QCheckBox>(name)->isChecked());
        }
        QVERIFY(!get<QCheckBox>("Check1")->isChecked());
        QVERIFY(!get<QCheckBox>("Check3")->isChecked());
        QVERIFY(get<QRadioButton>("Option1_0")->isChecked());
        QVERIFY(get<QRadioButton>("Option2_5")->isChecked());
        QCOMPARE(form->state().iconValue, u"16");
        QCOMPARE(form->state().buttonValue, u"0");
        QVERIFY(!get<QGroupBox>("Frame3")->isHidden());
        QVERIFY(get<QGroupBox>("Frame4")->isHidden());
        QVERIFY(get<QGroupBox>("Frame5")->isHidden());
        QCOMPARE(get<QCheckBox>("Check5")->text(), QStringLiteral("OKを押したとき"));
        QCOMPARE(get<QCheckBox>("Check6")->text(), QStringLiteral("チェック1"));
        QVERIFY(!get<QPlainTextEdit>("Text3")->isVisible());
        QCOMPARE(get<QPlainTextEdit>("Text3")->toPlainText(), QStringLiteral("Text3"));
        QVERIFY(!get<QLabel>("Label1")->isVisible());
        QCOMPARE(get<QLabel>("Label1")->text(), QStringLiteral("0"));
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form->windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(form->minimumSize(), form->maximumSize());
    }

    void focusStartsInTitleAndFollowsTheTabOrder() {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(QApplication::focusWidget(), get<QWidget>("Text2"));
        toggle("Check1");  // the wide window, where every slot can be seen
        const QStringList order = {"Text2",     "Text1",     "Option1_0", "Option1_1", "Option1_2", "Option1_3",
                                   "Option2_5", "Option2_6", "Option2_9", "Option2_8", "Option2_7", "Option2_10",
                                   "Text4",     "Text5",     "Text6",     "Command1",  "Command2",  "Command5",
                                   "Check5",    "Check6",    "Check7",    "Check3",    "Check1",    "Command6"};
        for (qsizetype i = 1; i < order.size(); ++i) {
            QCOMPARE(nextTabStop(get<QWidget>(order[i - 1]))->objectName(), order[i]);
        }
    }

    // Tab walks the whole window round; in the narrow one it never lands in a slot.
    void tabReachesTheSlotsOnlyInTheWideWindow_data() {
        QTest::addColumn<bool>("wide");
        QTest::newRow("narrow") << false;
        QTest::newRow("wide") << true;
    }

    void tabReachesTheSlotsOnlyInTheWideWindow() {
        QFETCH(bool, wide);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        if (wide) {
            toggle("Check1");
        }
        get<QWidget>("Text2")->setFocus();
        QSet<QString> reached;
        for (int i = 0; i < 60; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget()->objectName();
        }
        QVERIFY(reached.contains("Command6") && reached.contains("Text2"));
        for (const char* slot : {"Text4", "Check5"}) {
            QCOMPARE(reached.contains(slot), wide);
        }
        if (wide) {  // narrowing moves the focus out of a slot
            get<QWidget>("Text4")->setFocus();
            form->setCheckValue(CheckBoxId::Check1, 0);
            QCOMPARE(QApplication::focusWidget(), get<QWidget>("Check1"));
        }
    }

    void controlsAtTheirDesignedPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("Text2") << "Text2" << QRect(8, 24, 321, 18);
        QTest::newRow("Text1") << "Text1" << QRect(8, 64, 321, 169);
        QTest::newRow("Command1") << "Command1" << QRect(8, 240, 121, 25);
        QTest::newRow("Command6") << "Command6" << QRect(248, 240, 81, 25);
        QTest::newRow("Frame1") << "Frame1" << QRect(8, 328, 321, 41);
        QTest::newRow("Frame2") << "Frame2" << QRect(8, 376, 321, 89);
        QTest::newRow("Frame3") << "Frame3" << QRect(344, 24, 257, 137);
        QTest::newRow("Frame5") << "Frame5" << QRect(344, 328, 257, 137);
        QTest::newRow("Text4") << "Text4" << QRect(8, 24, 241, 105);
    }

    void controlsAtTheirDesignedPlaces() {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        QCOMPARE(get<QWidget>(name)->geometry(), pixels);
    }

    void widthFollowsContinuation() {
        get<QPlainTextEdit>("Text5")->setPlainText(QStringLiteral("kept"));
        const int narrowClient = form->centralWidget()->width();
        QVERIFY(get<QGroupBox>("Frame3")->x() >= narrowClient);
        toggle("Check1");
        QCOMPARE(form->outerWidthTwips(), 9180);
        const QGroupBox* frame = get<QGroupBox>("Frame3");
        QVERIFY(frame->geometry().right() < form->centralWidget()->width());
        QCOMPARE(form->centralWidget()->width(), 606);
        toggle("Check1");
        QCOMPARE(form->outerWidthTwips(), 5130);
        QCOMPARE(form->centralWidget()->width(), 336);
        QCOMPARE(get<QPlainTextEdit>("Text5")->toPlainText(), QStringLiteral("kept"));
    }

    void buttonSetChoices_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QList<bool>>("visible");
        QTest::newRow("OKとキャンセル") << "Option2_6"
                                        << QStringList{"OKを押したとき", "キャンセルを押したとき", "無視を押したとき"}
                                        << QStringList{"1", "2", "3"} << QList<bool>{true, true, false};
        QTest::newRow("はい、いいえ、キャンセル")
            << "Option2_8" << QStringList{"はいを押したとき", "いいえを押したとき", "キャンセルを押したとき"}
            << QStringList{"6", "7", "2"} << QList<bool>{true, true, true};
        QTest::newRow("はい、いいえ") << "Option2_9"
                                      << QStringList{"はいを押したとき", "いいえを押したとき", "無視を押したとき"}
                                      << QStringList{"6", "7", "2"} << QList<bool>{true, true, false};
        QTest::newRow("再試行、キャンセル")
            << "Option2_10" << QStringList{"再試行を押したとき", "キャンセルを押したとき", "無視を押したとき"}
            << QStringList{"4", "2", "1"} << QList<bool>{true, true, false};
        QTest::newRow("OKのみ") << "Option2_5"
                                << QStringList{"OKを押したとき", "再試行を押したとき", "無視を押したとき"}
                                << QStringList{"1", "2", "3"} << QList<bool>{true, false, false};
    }

    // Each set is chosen after Abort/Retry/Ignore with two slots unchecked.
    void buttonSetChoices() {
        QFETCH(QString, option);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, codes);
        QFETCH(QList<bool>, visible);
        choose("Option2_7");
        toggle("Check6");
        toggle("Check7");
        QVERIFY(!get<QPlainTextEdit>("Text6")->isEnabled());
        choose(option);
        const char* checks[] = {"Check5", "Check6", "Check7"};
        const char* texts[] = {"Text4", "Text5", "Text6"};
        const char* frames[] = {"Frame3", "Frame4", "Frame5"};
        for (int slot = 0; slot < 3; ++slot) {
            QCOMPARE(get<QCheckBox>(checks[slot])->text(), captions[slot]);
            QVERIFY(get<QCheckBox>(checks[slot])->isChecked());
            QVERIFY(get<QPlainTextEdit>(texts[slot])->isEnabled());
            QCOMPARE(!get<QGroupBox>(frames[slot])->isHidden(), visible[slot]);
            QCOMPARE(toQString(form->state().returnCode[static_cast<std::size_t>(slot)]), codes[slot]);
        }
    }

    void iconChoices() {
        const QStringList values = {"16", "32", "48", "64"};
        for (int i : {2, 1, 3, 0}) {
            choose(QStringLiteral("Option1_%1").arg(i));
            QCOMPARE(toQString(form->state().iconValue), values[i]);
        }
    }

    void uncheckingASlotDisablesItsText() {
        type("Text4", "stays");
        toggle("Check5");
        QVERIFY(!get<QPlainTextEdit>("Text4")->isEnabled());
        QCOMPARE(get<QPlainTextEdit>("Text4")->toPlainText(), QStringLiteral("stays"));
        toggle("Check5");
        QVERIFY(get<QPlainTextEdit>("Text4")->isEnabled());
    }

    void newEmptiesTheEditorAndKeepsTheSnapshot() {
        type("Text1", "body");
        type("Text2", "title");
        toggle("Check1");
        toggle("Check3");
        choose("Option1_3");
        choose("Option2_8");
        messages->answers = {7};  // New asks first: no, let the work go
        action("新規作成")->trigger();
        QCOMPARE(messages->calls.size(), std::size_t{1});
        for (const char* name : {"Text1", "Text3", "Text4", "Text5", "Text6"}) {
            QCOMPARE(get<QPlainTextEdit>(name)->toPlainText(), QString());
        }
        QCOMPARE(get<QLineEdit>("Text2")->text(), QString());
        QVERIFY(!get<QCheckBox>("Check1")->isChecked());
        QVERIFY(!get<QCheckBox>("Check3")->isChecked());
        QCOMPARE(form->outerWidthTwips(), 5130);
        QVERIFY(get<QRadioButton>("Option1_0")->isChecked());
        QVERIFY(get<QRadioButton>("Option2_5")->isChecked());
        // The snapshot still holds the initial follow-up texts, so closing asks.
        messages->answers = {2};
        QVERIFY(!form->close());
        QCOMPARE(messages->calls.size(), std::size_t{2});
    }

    void saveButtonMenuAndHtmlWriteTheSameScript() {
        type("Text2", "Question");
        type("Text1", "Save the file?\nIt will be \"final\".");
        choose("Option1_1");
        choose("Option2_8");
        toggle("Check1");
        type("Text4", "Saved.");
        type("Text5", "Not saved.");
        toggle("Check7");
        const QByteArray script = QByteArray::fromStdString(test::workedExampleBytes());
        dialog->answers = {toU16(path("button.vbs")), toU16(path("menu.vbs")), toU16(path("page.htm"))};
        click("Command2");
        action("VBSとして保存")->trigger();
        click("Command3");
        QCOMPARE(bytes(path("button.vbs")), script);
        QCOMPARE(bytes(path("menu.vbs")), script);
        QCOMPARE(bytes(path("page.htm")), "<script language= VBScript><!--\r\n" + script + "--></script> \r\n");
        QCOMPARE(dialog->calls.size(), std::size_t{3});
        QCOMPARE(dialog->calls[2].filter, u"HTML(*.htm)|*.htm");
        // The texts are as typed and count as saved.
        QCOMPARE(get<QPlainTextEdit>("Text1")->toPlainText(), QStringLiteral("Save the file?\nIt will be \"final\"."));
        QVERIFY(form->close());
        QVERIFY(messages->calls.empty());
    }

    void openReadsASavedScriptBack() {
        type("Text2", "T \"q\"");
        type("Text1", "line 1\nline \"2\"");
        choose("Option1_2");
        choose("Option2_7");
        toggle("Check1");
        toggle("Check3");
        type("Text6", "ignore\nme");
        toggle("Check6");
        dialog->answers = {toU16(path("round.vbs"))};
        click("Command2");

        action("新規作成")->trigger();
        QVERIFY(messages->calls.empty());  // nothing unsaved to ask about
        choose("Option2_9");
        dialog->answers = {toU16(path("round.vbs"))};
        messages->answers = {7};
        click("Command6");
        QCOMPARE(messages->calls.size(), std::size_t{1});
        messages->calls.clear();
        QCOMPARE(dialog->calls.back().fileName, u"");
        QCOMPARE(dialog->calls.back().filter, u"VisualBasicScriptFile(*.vbs)|*.vbs");
        QVERIFY(!dialog->calls.back().save);
        QCOMPARE(get<QLineEdit>("Text2")->text(), QStringLiteral("T \"q\""));
        QCOMPARE(get<QPlainTextEdit>("Text1")->toPlainText(), QStringLiteral("line 1\nline \"2\""));
        QCOMPARE(get<QPlainTextEdit>("Text6")->toPlainText(), QStringLiteral("ignore\nme"));
        QVERIFY(get<QRadioButton>("Option1_2")->isChecked());
        QVERIFY(get<QRadioButton>("Option2_7")->isChecked());
        QVERIFY(get<QCheckBox>("Check1")->isChecked());
        QVERIFY(get<QCheckBox>("Check3")->isChecked());
        QVERIFY(get<QCheckBox>("Check5")->isChecked());
        QVERIFY(!get<QCheckBox>("Check6")->isChecked());
        QVERIFY(get<QCheckBox>("Check7")->isChecked());
        QCOMPARE(form->outerWidthTwips(), 9180);
        QVERIFY(form->close());
        QVERIFY(messages->calls.empty());
    }

    // The PowerShell save and open menu items: UTF-8 with a byte-order mark,
    // read back with the same reactions; a cancelled save takes no snapshot.
    void powerShellSaveAndOpen() {
        type("Text2", "It's");
        type("Text1", "a\nb");
        choose("Option2_9");
        toggle("Check1");
        toggle("Check6");
        dialog->answers = {std::nullopt, toU16(path("d.ps1"))};
        action("PowerShellとして保存")->trigger();
        action("PowerShellとして保存")->trigger();
        QCOMPARE(dialog->calls[0].fileName, u"dialog.ps1");
        QCOMPARE(dialog->calls[0].filter, u"PowerShell スクリプト(*.ps1)|*.ps1");
        const QByteArray file = bytes(path("d.ps1"));
        QVERIFY(file.startsWith("\xEF\xBB\xBF# Boxwright"));
        QVERIFY(file.contains("Show('a' + \"`r`n\" + 'b', 'It''s', [System.Windows.Forms.MessageBoxButtons]::YesNo, "));

        action("新規作成")->trigger();
        dialog->answers = {toU16(path("d.ps1"))};
        messages->answers = {7};  // the emptied texts differ from the saved ones
        action("PowerShellを開く")->trigger();
        QCOMPARE(messages->calls.size(), std::size_t{1});
        messages->calls.clear();
        QVERIFY(!dialog->calls.back().save);
        QCOMPARE(get<QPlainTextEdit>("Text1")->toPlainText(), QStringLiteral("a\nb"));
        QVERIFY(get<QRadioButton>("Option2_9")->isChecked());
        QVERIFY(get<QCheckBox>("Check1")->isChecked());
        QVERIFY(!get<QCheckBox>("Check6")->isChecked());
        QCOMPARE(form->outerWidthTwips(), 9180);
        QVERIFY(form->close());
        QVERIFY(messages->calls.empty());
    }

    // A body too long for a text box to lay out quickly is shown in part and
    // read-only; every character is kept, and a save writes the file again.
    // A title's line break from a file is kept too.
    void largeTextIsShownInPartAndKeptWhole() {
        const QByteArray script =
            "selectkey = MsgBox(\"" + QByteArray(100000, 'x') + "\"&vbLf&\"end\", 0 + 16, " + "\"a\"&vbCrLf&\"b\")\r\n";
        QFile file(path("big.vbs"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(script);
        file.close();
        form->openPath(toU16(path("big.vbs")));
        auto* body = get<QPlainTextEdit>("Text1");
        QVERIFY(body->isReadOnly());
        QVERIFY(body->toPlainText().size() < 2000);
        QVERIFY(!body->toolTip().isEmpty());
        QCOMPARE(form->text(TextBoxId::Text1).size(), std::size_t{100004});
        QCOMPARE(form->text(TextBoxId::Text2), u"a\r\nb");
        QCOMPARE(get<QLabel>("lengthStatus")->text(), QStringLiteral("本文が長すぎます：100,004 / 1,023 文字"));
        dialog->answers = {toU16(path("again.vbs"))};
        click("Command2");
        QCOMPARE(bytes(path("again.vbs")), script);
        action("新規作成")->trigger();
        QVERIFY(!body->isReadOnly());
        QVERIFY(body->toolTip().isEmpty());
        // A title beyond what a one-line box holds, though its lines are short.
        std::u16string title;
        while (title.size() <= 40000) title += std::u16string(98, u't') + u"\r\n";
        form->setText(TextBoxId::Text2, title);
        QVERIFY(get<QLineEdit>("Text2")->isReadOnly());
        QCOMPARE(form->text(TextBoxId::Text2), title);
    }

    void openStartsInTheLastFolderAndSampleInTheSamples() {
        dialog->answers = {std::nullopt, std::nullopt, std::nullopt};
        type("Text1", "unchanged");
        action("サンプル")->trigger();
        QVERIFY(dialog->calls.back().initDir == std::u16string(u"/opt/samples"));
        action("VBSを開く")->trigger();
        QVERIFY(dialog->calls.back().initDir == std::u16string());
        click("Command6");
        QCOMPARE(dialog->calls.size(), std::size_t{3});
        QCOMPARE(get<QPlainTextEdit>("Text1")->toPlainText(), QStringLiteral("unchanged"));
    }

    void preview_data() {
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<bool>("followUps");
        QTest::addColumn<bool>("right");
        QTest::addColumn<QString>("uncheck");
        QTest::addColumn<int>("pressed");
        QTest::addColumn<QList<int>>("styles");
        QTest::addColumn<QStringList>("prompts");
        QTest::addColumn<QString>("label");
        QTest::newRow("one box") << "Option1_3"
                                 << "Option2_9" << false << false << "" << 6 << QList<int>{68} << QStringList{"body"}
                                 << "68";
        QTest::newRow("right aligned") << "Option1_3"
                                       << "Option2_9" << false << true << "" << 6 << QList<int>{524356}
                                       << QStringList{"body"} << "68";
        QTest::newRow("OK leads to slot 0")
            << "Option1_0"
            << "Option2_5" << true << false << "" << 1 << QList<int>{16, 16} << QStringList{"body", "f0"} << "16";
        QTest::newRow("Cancel leads to slot 2")
            << "Option1_1"
            << "Option2_8" << true << false << "" << 2 << QList<int>{35, 32} << QStringList{"body", "f2"} << "35";
        QTest::newRow("unchecked slot shows nothing more")
            << "Option1_1"
            << "Option2_8" << true << false << "Check6" << 7 << QList<int>{35} << QStringList{"body"} << "35";
        QTest::newRow("both boxes right aligned") << "Option1_0"
                                                  << "Option2_5" << true << true << "" << 1
                                                  << QList<int>{524304, 524304} << QStringList{"body", "f0"} << "16";
        QTest::newRow("no slot answers") << "Option1_0"
                                         << "Option2_5" << true << false << "" << 7 << QList<int>{16}
                                         << QStringList{"body"} << "16";
    }

    void preview() {
        QFETCH(QString, icon);
        QFETCH(QString, buttons);
        QFETCH(bool, followUps);
        QFETCH(bool, right);
        QFETCH(QString, uncheck);
        QFETCH(int, pressed);
        QFETCH(QList<int>, styles);
        QFETCH(QStringList, prompts);
        QFETCH(QString, label);
        type("Text1", "body");
        type("Text2", "");
        type("Text4", "f0");
        type("Text5", "f1");
        type("Text6", "f2");
        choose(icon);
        choose(buttons);
        if (followUps) toggle("Check1");
        if (right) toggle("Check3");
        if (!uncheck.isEmpty()) toggle(uncheck);
        messages->answers = {pressed};
        click("Command1");
        QCOMPARE(messages->calls.size(), static_cast<std::size_t>(styles.size()));
        for (qsizetype i = 0; i < styles.size(); ++i) {
            const auto& call = messages->calls[static_cast<std::size_t>(i)];
            QCOMPARE(call.style, styles[i]);
            QCOMPARE(toQString(call.prompt), prompts[i]);
            QVERIFY(call.title.has_value());
            QCOMPARE(*call.title, u"");
        }
        QCOMPARE(get<QLabel>("Label1")->text(), label);
        QCOMPARE(toQString(form->state().combinedStyle), label);
        QCOMPARE(form->state().rightSuffix, right ? u" + vbMsgBoxRight" : u"");
    }

    void previewShowsLineBreaksAsTyped() {
        type("Text1", "a\n\"b\"");
        type("Text2", "t");
        click("Command1");
        QCOMPARE(messages->calls.at(0).prompt, u"a\r\n\"b\"");
        QCOMPARE(*messages->calls.at(0).title, u"t");
    }

    // MsgBox shows 1,023 UTF-16 units of its prompt; a line break is CR LF, two.
    void lengthWarningAboveTheLimit_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const QString a(1021, QLatin1Char('a'));
        QTest::newRow("1,023") << "Text1" << a + "aa"
                               << "本文：1,023 / 1,023 文字";
        QTest::newRow("1,024") << "Text1" << a + "aaa"
                               << "本文が長すぎます：1,024 / 1,023 文字";
        QTest::newRow("1,023 with a break") << "Text1" << a + "\n"
                                            << "本文：1,023 / 1,023 文字";
        QTest::newRow("1,024 with a break") << "Text1" << a + "a\n"
                                            << "本文が長すぎます：1,024 / 1,023 文字";
        QTest::newRow("surrogate pairs") << "Text1" << QString::fromUtf8("😀").repeated(512)
                                         << "本文が長すぎます：1,024 / 1,023 文字";
        QTest::newRow("follow-up") << "Text4" << QString(1024, QChar(0x3042))
                                   << "「OKを押したとき」が長すぎます：1,024 / 1,023 文字";
        // With the follow-ups hidden, only what the user sees is named.
        QTest::newRow("hidden follow-up") << "hidden Text4" << QString(1024, QChar(0x3042)) << "本文：0 / 1,023 文字";
        QTest::newRow("short follow-up") << "Text4"
                                         << "abc"
                                         << "本文：0 / 1,023 文字";
    }

    void lengthWarningAboveTheLimit() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        auto* status = get<QLabel>("lengthStatus");
        QCOMPARE(status->text(), QString());  // nothing edited yet
        if (box.startsWith(QStringLiteral("hidden "))) {
            box.remove(0, 7);
        } else if (box != QStringLiteral("Text1")) {
            toggle("Check1");
        }
        type(box, text);
        QCOMPARE(status->text(), shown);
        QCOMPARE(status->palette().color(QPalette::WindowText) != form->palette().color(QPalette::WindowText),
                 shown.contains("長すぎます"));
        QVERIFY(status->isVisible());
        QVERIFY(status->geometry().translated(status->parentWidget()->pos()).top() >=
                form->centralWidget()->geometry().bottom());
    }

    void lengthFollowsTheFocusedText() {
        auto* status = get<QLabel>("lengthStatus");
        get<QWidget>("Text1")->setFocus();
        QCOMPARE(status->text(), QStringLiteral("本文：0 / 1,023 文字"));
        toggle("Check1");
        type("Text4", "12345");
        get<QWidget>("Text4")->setFocus();
        QCOMPARE(status->text(), QStringLiteral("「OKを押したとき」：5 / 1,023 文字"));
        choose("Option2_9");  // the slot's new caption names it
        QCOMPARE(status->text(), QStringLiteral("「はいを押したとき」：5 / 1,023 文字"));
        get<QWidget>("Text1")->setFocus();
        QCOMPARE(status->text(), QStringLiteral("本文：0 / 1,023 文字"));
    }

    // A text too large for a box to lay out quickly is protected the same way
    // however it came: pasted, typed past the limit, or opened. The box says
    // so in a bar over it, keeps every character, and a saved file reopens
    // the same way; 空にする makes the box editable again.
    void largeTextIsProtectedHoweverItCame_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("paste") << "paste";
        QTest::newRow("typing") << "typing";
        QTest::newRow("open") << "open";
    }

    void largeTextIsProtectedHoweverItCame() {
        QFETCH(QString, how);
        auto* body = get<QPlainTextEdit>("Text1");
        const QString line(20000, QLatin1Char('x'));
        if (how == "paste") {
            body->setPlainText(QStringLiteral("ab"));
            body->moveCursor(QTextCursor::End);
            body->moveCursor(QTextCursor::Left);
            QApplication::clipboard()->setText(line);
            body->paste();
            QCOMPARE(form->text(TextBoxId::Text1), u"a" + toU16(line) + u"b");
        } else if (how == "typing") {
            body->setPlainText(line.left(static_cast<qsizetype>(kLongestLaidOutLine) - 2));
            body->setFocus();
            body->moveCursor(QTextCursor::End);
            QTest::keyClicks(body, QStringLiteral("xyz"));
            QTRY_VERIFY(body->isReadOnly());
            QCOMPARE(form->text(TextBoxId::Text1).size(), kLongestLaidOutLine + 1);
        } else {
            QFile file(path("wide.vbs"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("selectkey = MsgBox(\"" + line.toLatin1() + "\", 0 + 16, \"t\")\r\n");
            file.close();
            form->openPath(toU16(path("wide.vbs")));
        }
        QVERIFY(body->isReadOnly());
        QVERIFY(body->toPlainText().size() < 2000);
        auto* bar = get<QFrame>("Text1_note");
        QVERIFY(bar->isVisible());
        const QString units = groupedNumber(static_cast<qint64>(form->text(TextBoxId::Text1).size()));
        QVERIFY2(bar->accessibleName().contains(units), qPrintable(bar->accessibleName()));

        // Saved and opened again: protected as before, and told.
        const std::u16string kept = form->text(TextBoxId::Text1);
        dialog->answers = {toU16(path("kept.vbs"))};
        click("Command2");
        messages->answers = {7};
        form->openPath(toU16(path("kept.vbs")));
        QCOMPARE(form->text(TextBoxId::Text1), kept);
        QVERIFY(body->isReadOnly());
        QVERIFY(bar->isVisible());

        click("Text1_empty");
        QVERIFY(!body->isReadOnly());
        QVERIFY(!bar->isVisible());
        QCOMPARE(form->text(TextBoxId::Text1), u"");
        QTest::keyClicks(body, QStringLiteral("ok"));
        QCOMPARE(form->text(TextBoxId::Text1), u"ok");
    }

    // A title too long for its box says so in the status bar.
    void largeTitleIsToldInTheStatusBar() {
        auto* note = get<QLabel>("titleNote");
        QVERIFY(!note->isVisible());
        form->setText(TextBoxId::Text2, std::u16string(40000, u't'));
        QVERIFY(get<QLineEdit>("Text2")->isReadOnly());
        QVERIFY(note->isVisible());
        QVERIFY(note->text().contains(QStringLiteral("40,000")));
        form->setText(TextBoxId::Text2, u"short");
        QVERIFY(!note->isVisible());
    }

    // A large paste keeps its line breaks as a small one does: CR LF, a lone
    // CR and a line separator each end a line.
    void largePasteKeepsItsLineBreaks() {
        auto* body = get<QPlainTextEdit>("Text1");
        const QString line(20000, QLatin1Char('x'));
        QApplication::clipboard()->setText(line + QStringLiteral("\r\ny\rz") + QChar(0x2028) + QStringLiteral("w"));
        body->paste();
        QVERIFY(body->isReadOnly());
        QCOMPARE(form->text(TextBoxId::Text1), toU16(line) + u"\r\ny\r\nz\r\nw");
    }

    // Typing hands a line over only once it is longer than a box lays out.
    void typingHandsOverPastTheLimitOnly() {
        auto* body = get<QPlainTextEdit>("Text1");
        body->setPlainText(QString(static_cast<qsizetype>(kLongestLaidOutLine) - 1, QLatin1Char('x')));
        body->setFocus();
        body->moveCursor(QTextCursor::End);
        QTest::keyClick(body, Qt::Key_Y);
        QCoreApplication::processEvents();
        QVERIFY(!body->isReadOnly());
        QCOMPARE(form->text(TextBoxId::Text1).size(), kLongestLaidOutLine);
        QTest::keyClick(body, Qt::Key_Z);
        QTRY_VERIFY(body->isReadOnly());
        QCOMPARE(form->text(TextBoxId::Text1).size(), kLongestLaidOutLine + 1);
    }

    // A paste that stays within the limits goes in as typed.
    void smallPasteIsInsertedAsUsual() {
        auto* body = get<QPlainTextEdit>("Text1");
        QApplication::clipboard()->setText(QStringLiteral("pasted\ntext"));
        body->paste();
        QVERIFY(!body->isReadOnly());
        QCOMPARE(form->text(TextBoxId::Text1), u"pasted\r\ntext");
        QVERIFY(!form->findChild<QFrame*>(QStringLiteral("Text1_note")));
    }

    // Only the width ever changes: not when the status bar first shows a
    // length, nor when the follow-ups widen the window.
    void heightNeverChanges() {
        QTRY_VERIFY(form->isVisible());
        const int height = form->height();
        type("Text1", "some body");
        QVERIFY(!get<QLabel>("lengthStatus")->text().isEmpty());
        toggle("Check1");
        toggle("Check1");
        toggle("Check1");
        QCoreApplication::processEvents();
        QCOMPARE(form->height(), height);
        QCOMPARE(form->outerWidthTwips(), 9180);
    }

    // No option's caption reaches its neighbour or the frame's edge.
    void buttonSetCaptionsKeepApart() {
        auto* frame = get<QGroupBox>("Frame2");
        const std::pair<const char*, const char*> rows[] = {
            {"Option2_5", "Option2_6"}, {"Option2_9", "Option2_8"}, {"Option2_7", "Option2_10"}};
        for (const auto& [left, right] : rows) {
            const QRect l = get<QRadioButton>(left)->geometry();
            const QRect r = get<QRadioButton>(right)->geometry();
            QVERIFY2(l.right() < r.left(), left);
            QVERIFY2(r.right() < frame->width() - 2, right);
            QVERIFY(l.left() > 2);
            QCOMPARE(get<QRadioButton>(right)->sizeHint().width() <= r.width(), true);
        }
    }

    // The timeout is set through its dialog; with follow-ups the window widens
    // to show the timeout's slot. Saved and opened again, the options come
    // back; stay-on-top is a checkable item. Each counts as a change.
    void timeoutAndStayOnTop() {
        toggle("Check1");
        QCOMPARE(form->outerWidthTwips(), 9180);
        QVERIFY(!get<QGroupBox>("Frame6")->isVisible());
        QTimer::singleShot(0, this, [] {
            auto* seconds = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            QVERIFY(seconds);
            QCOMPARE(seconds->objectName(), QStringLiteral("時間切れの設定"));
            seconds->setIntValue(45);
            seconds->accept();
        });
        action("時間切れ")->trigger();
        QCOMPARE(form->boxOptions().timeoutSeconds, 45);
        QCOMPARE(action("時間切れ")->text(), QStringLiteral("時間切れ: 45 秒(&T)..."));
        QCOMPARE(form->outerWidthTwips(), 13140);
        QVERIFY(get<QGroupBox>("Frame6")->isVisible());
        QTRY_VERIFY(form->isWindowModified());
        get<QPlainTextEdit>("Text7")->setPlainText(QStringLiteral("もう閉じました"));
        action("常に手前に表示")->trigger();
        QVERIFY(form->boxOptions().stayOnTop);

        type("Text1", "body");
        dialog->answers = {toU16(path("timed.vbs"))};
        click("Command2");
        const QByteArray written = bytes(path("timed.vbs"));
        QVERIFY(
            written.startsWith("selectkey = CreateObject(\"WScript.Shell\").Popup(\"body\", 45, \"\", 0 + 16 + "
                               "vbSystemModal)\r\n"));
        QVERIFY(written.contains("Case -1\r\n"));

        // Without follow-ups the slot goes; New takes the options away.
        toggle("Check1");
        QCOMPARE(form->outerWidthTwips(), 5130);
        QVERIFY(!get<QGroupBox>("Frame6")->isVisible());
        action("新規作成")->trigger();
        QCOMPARE(form->boxOptions().timeoutSeconds, 0);
        QVERIFY(!action("常に手前に表示")->isChecked());

        messages->answers = {7};
        form->openPath(toU16(path("timed.vbs")));
        const BoxOptions read = form->boxOptions();
        QCOMPARE(read.timeoutSeconds, 45);
        QVERIFY(read.stayOnTop);
        QCOMPARE(read.onTimeout.text, u"もう閉じました");
        QCOMPARE(form->outerWidthTwips(), 13140);
        QVERIFY(!form->isWindowModified());

        // An HTML page cannot time out: its save says so.
        messages->calls.clear();
        dialog->answers = {toU16(path("timed.htm"))};
        click("Command3");
        QCOMPARE(messages->calls.size(), std::size_t{1});
        QCOMPARE(*messages->calls[0].title, u"HTML と時間切れ");
    }

    // The preview closes a timed box by itself, and keeps a stay-on-top box
    // in front.
    void previewBoxClosesByItself() {
        QtMessageBox boxes(form.get());
        QElapsedTimer clock;
        clock.start();
        QTimer::singleShot(0, this, [] {
            auto* box = qobject_cast<MessageDialog*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QVERIFY(box->windowFlags() & Qt::WindowStaysOnTopHint);
        });
        QCOMPARE(boxes.showFor(u"closes", msgbox::YesNo + msgbox::SystemModal, u"t", 1), msgbox::ResultTimedOut);
        QVERIFY(clock.elapsed() >= 900);
    }

    void exitPrompt_data() {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("saveAnswered");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("fileWritten");
        QTest::newRow("unchanged closes without asking") << false << QList<int>{} << false << true << false;
        QTest::newRow("cancel keeps the window") << true << QList<int>{2} << false << false << false;
        QTest::newRow("no ends without saving") << true << QList<int>{7} << false << true << false;
        QTest::newRow("yes saves and ends") << true << QList<int>{6} << true << true << true;
        QTest::newRow("yes then cancelled dialog keeps the window") << true << QList<int>{6} << false << false << false;
    }

    void exitPrompt() {
        QFETCH(bool, edit);
        QFETCH(QList<int>, answers);
        QFETCH(bool, saveAnswered);
        QFETCH(bool, closes);
        QFETCH(bool, fileWritten);
        QSignalSpy ending(form.get(), &Form1::programEnding);
        if (edit) {
            choose("Option1_2");
            choose("Option2_9");
            toggle("Check3");
            toggle("Check5");
            type("Text2", "edited \"title\"");
        }
        messages->answers.assign(answers.begin(), answers.end());
        dialog->answers = {saveAnswered ? std::optional<std::u16string>(toU16(path("exit.vbs"))) : std::nullopt};
        QCOMPARE(form->close(), closes);
        QCOMPARE(ending.count(), closes ? 1 : 0);
        QCOMPARE(form->isVisible(), !closes);
        if (edit) {
            QCOMPARE(messages->calls.size(), std::size_t{1});
            QCOMPARE(messages->calls[0].prompt, u"変更を保存しますか？");
            QCOMPARE(messages->calls[0].style, 35);
            QCOMPARE(*messages->calls[0].title, u"保存の確認");
        } else {
            QVERIFY(messages->calls.empty());
        }
        QCOMPARE(QFile::exists(path("exit.vbs")), fileWritten);
        if (fileWritten) {
            QCOMPARE(bytes(path("exit.vbs")), QByteArray("selectkey = MsgBox(\"\", 4 + 48 + vbMsgBoxRight, \"edited "
                                                         "\"&Chr(34)&\"title\"&Chr(34)&\"\")\r\n"));
        }
        if (!closes) {
            QCOMPARE(get<QLineEdit>("Text2")->text(), QStringLiteral("edited \"title\""));
            messages->answers = {2};
            QVERIFY(!form->close());
            QCOMPARE(messages->calls.size(), std::size_t{2});
        }
    }

    // Every part of the definition counts as a change, for the modified mark
    // and for the question on closing; putting it back as it was counts as none.
    void everyChoiceCountsAsAChange_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("back");
        QTest::newRow("icon") << "Option1_2"
                              << "Option1_0";
        QTest::newRow("buttons") << "Option2_9"
                                 << "Option2_5";
        QTest::newRow("alignment") << "Check3"
                                   << "Check3";
        QTest::newRow("follow-ups") << "Check1"
                                    << "Check1";
        QTest::newRow("follow-up check mark") << "Check5"
                                              << "Check5";
        QTest::newRow("default button") << "既定のボタン2"
                                        << "既定のボタン1";
    }

    void everyChoiceCountsAsAChange() {
        QFETCH(QString, control);
        QFETCH(QString, back);
        const auto change = [this](const QString& name) {
            if (name.startsWith(QStringLiteral("既定"))) {
                action(name.toUtf8().constData())->trigger();
            } else if (name.startsWith(QStringLiteral("Option"))) {
                choose(name.toUtf8().constData());
            } else {
                toggle(name.toUtf8().constData());
            }
        };
        if (control.startsWith(QStringLiteral("既定"))) choose("Option2_8");  // a set with a second button
        form->state().savedChoices = currentChoices(*form);
        change(control);
        QTRY_VERIFY(form->isWindowModified());
        messages->answers = {2};
        QVERIFY(!form->close());
        QCOMPARE(messages->calls.size(), std::size_t{1});
        change(back);
        QTRY_VERIFY(!form->isWindowModified());
        QVERIFY(form->close());
        QCOMPARE(messages->calls.size(), std::size_t{1});
    }

    void exitSaveThatFailsKeepsTheWindowOpen() {
        type("Text1", "unsaved work");
        QDir(folder->path()).mkdir("taken.vbs");
        messages->answers = {6, 1};
        dialog->answers = {toU16(path("taken.vbs"))};
        QSignalSpy ending(form.get(), &Form1::programEnding);
        QVERIFY(!form->close());
        QCOMPARE(ending.count(), 0);
        QCOMPARE(messages->calls.size(), std::size_t{2});
        QVERIFY(messages->calls[1].prompt.find(toU16(path("taken.vbs"))) != std::u16string::npos);
        QCOMPARE(get<QPlainTextEdit>("Text1")->toPlainText(), QStringLiteral("unsaved work"));
    }

    void exitMenuEndsWithoutAsking() {
        type("Text1", "unsaved");
        QSignalSpy ending(form.get(), &Form1::programEnding);
        action("終了")->trigger();
        QCOMPARE(ending.count(), 1);
        QVERIFY(messages->calls.empty());
    }

    void menusAndTheirCaptions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("新規作成") << "新規作成"
                                  << "新規作成(&N)";
        QTest::newRow("VBSを開く") << "VBSを開く"
                                   << "VBSを開く(&V)";
        QTest::newRow("VBSとして保存") << "VBSとして保存"
                                       << "VBSとして保存(&B)";
        QTest::newRow("終了") << "終了"
                              << "終了(&E)";
        QTest::newRow("サンプル") << "サンプル"
                                  << "サンプル(&S)";
        QTest::newRow("アップロード") << "アップロード"
                                      << "アップロード(&U)";
        QTest::newRow("バージョン情報") << "バージョン情報"
                                        << "バージョン情報(&A)";
    }

    void menusAndTheirCaptions() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QCOMPARE(action(name)->text(), caption);
    }

    void menuBarOrder() {
        QStringList titles;
        for (QAction* menu : form->menuBar()->actions()) {
            titles << menu->text();
        }
        QCOMPARE(titles, (QStringList{"ファイル(&F)", "オプション(&O)", "ヘルプ(&H)"}));
        QVERIFY(action("ア")->isSeparator());
        const auto items = get<QMenu>("ファイル")->actions();
        QCOMPARE(items.indexOf(action("ア")), items.indexOf(action("終了")) - 1);
    }

    void secondaryWindowsAndSend() {
        action("アップロード")->trigger();
        action("バージョン情報")->trigger();
        action("アップロード")->trigger();
        QCOMPARE(uploads, 2);
        QCOMPARE(abouts, 1);
        type("Text1", "hello\nworld");
        click("Command5");
        QCOMPARE(sent, (std::vector<std::u16string>{u"hello\r\nworld"}));
    }

    void loneCrAndLfSurviveUntilTheUserEdits() {
        form->setText(TextBoxId::Text1, u"a\rb\nc\r\nd");
        QCOMPARE(form->text(TextBoxId::Text1), u"a\rb\nc\r\nd");
        get<QPlainTextEdit>("Text1")->moveCursor(QTextCursor::End);
        QTest::keyClicks(get<QPlainTextEdit>("Text1"), "e");
        QCOMPARE(form->text(TextBoxId::Text1), u"a\r\nb\r\nc\r\nde");
    }

    // The default-button menu offers the set's buttons by name; the choice goes
    // into the preview's style and the saved script.
    void defaultButtonMenu() {
        choose("Option2_8");
        const QStringList expected = {"はい(&1)", "いいえ(&2)", "キャンセル(&3)"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(action(QStringLiteral("既定のボタン%1").arg(i + 1))->text(), expected[i]);
        }
        action("既定のボタン3")->trigger();
        click("Command1");
        QCOMPARE(messages->calls.at(0).style, 3 + 16 + 512);
        choose("Option2_9");
        QVERIFY(!action("既定のボタン3")->isVisible());
        QVERIFY(action("既定のボタン1")->isChecked());
        action("既定のボタン2")->trigger();
        dialog->answers.push_back(path("d.vbs").toStdU16String());
        click("Command2");
        QCOMPARE(bytes(path("d.vbs")), QByteArray("selectkey = MsgBox(\"\", 4 + 16 + vbDefaultButton2, \"\")\r\n"));
        action("新規作成")->trigger();
        QVERIFY(action("既定のボタン1")->isChecked());
    }

    void textBoxLineBreaksAreCrLfPairs() {
        type("Text4", "a\nb");
        QCOMPARE(form->text(TextBoxId::Text4), u"a\r\nb");
        form->setText(TextBoxId::Text5, u"x\r\ny");
        QCOMPARE(get<QPlainTextEdit>("Text5")->toPlainText(), QStringLiteral("x\ny"));
    }
};

}  // namespace bw

QTEST_MAIN(bw::Form1Test)
#include "Form1Test.moc"
