#include "model/MessageBoxStyle.h"
#include "platform/qt/MessageDialog.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtTranslations.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QtMath>

namespace bw {

class MessageDialogTest : public QObject {
    Q_OBJECT

private slots:
    void buttonsInTheScriptsOrder_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<int>>("codes");
        QTest::newRow("OK") << 0 << QStringList{"OK"} << QList<int>{1};
        QTest::newRow("OK Cancel") << 1 << QStringList{"OK", "キャンセル"} << QList<int>{1, 2};
        QTest::newRow("Abort Retry Ignore")
            << 2 << QStringList{"中止(&A)", "再試行(&R)", "無視(&I)"} << QList<int>{3, 4, 5};
        QTest::newRow("Yes No Cancel") << 35 << QStringList{"はい(&Y)", "いいえ(&N)", "キャンセル"}
                                       << QList<int>{6, 7, 2};
        QTest::newRow("Yes No right") << 4 + 64 + msgbox::RightAligned << QStringList{"はい(&Y)", "いいえ(&N)"}
                                      << QList<int>{6, 7};
        QTest::newRow("Retry Cancel") << 5 << QStringList{"再試行(&R)", "キャンセル"} << QList<int>{4, 2};
    }

    void buttonsInTheScriptsOrder() {
        QFETCH(int, style);
        QFETCH(QStringList, captions);
        QFETCH(QList<int>, codes);
        MessageDialog dialog(QStringLiteral("prompt"), style, QStringLiteral("title"));
        dialog.show();
        QStringList shown;
        int previousX = -1;
        for (QPushButton* button : dialog.buttons()) {
            shown << button->text();
            QVERIFY(button->x() > previousX);
            previousX = button->x();
        }
        QCOMPARE(shown, captions);
        QVERIFY(dialog.buttons().first()->isDefault());
        for (qsizetype i = 0; i < codes.size(); ++i) {
            MessageDialog each(QStringLiteral("p"), style, QStringLiteral("t"));
            each.show();
            QTest::mouseClick(each.buttons()[i], Qt::LeftButton);
            QCOMPARE(each.result(), codes[i]);
        }
    }

    void escapeAndCloseBox_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("expected");
        QTest::newRow("OK only answers OK") << 0 << 1;
        QTest::newRow("OK Cancel answers Cancel") << 1 << 2;
        QTest::newRow("Abort Retry Ignore does nothing") << 2 << 0;
        QTest::newRow("Yes No Cancel answers Cancel") << 3 << 2;
        QTest::newRow("Yes No does nothing") << 4 << 0;
        QTest::newRow("Retry Cancel answers Cancel") << 5 << 2;
    }

    void escapeAndCloseBox() {
        QFETCH(int, style);
        QFETCH(int, expected);
        for (const bool viaClose : {false, true}) {
            MessageDialog dialog(QStringLiteral("p"), style, QStringLiteral("t"));
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            if (viaClose) {
                dialog.close();
            } else {
                QTest::keyClick(&dialog, Qt::Key_Escape);
            }
            QCOMPARE(dialog.result(), expected);
            QCOMPARE(dialog.isVisible(), expected == 0);
        }
    }

    void defaultButtonFromTheStyle_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("expected");
        QTest::newRow("first") << 3 << msgbox::ResultYes;
        QTest::newRow("second") << 3 + 32 + msgbox::DefaultButton2 << msgbox::ResultNo;
        QTest::newRow("third") << 3 + msgbox::DefaultButton3 << msgbox::ResultCancel;
        QTest::newRow("second of two") << 1 + msgbox::DefaultButton2 << msgbox::ResultCancel;
        QTest::newRow("third of two falls back") << 4 + msgbox::DefaultButton3 << msgbox::ResultYes;
        QTest::newRow("second of one falls back") << 0 + msgbox::DefaultButton2 << msgbox::ResultOk;
        QTest::newRow("fourth falls back") << 2 + 768 << msgbox::ResultAbort;
    }

    void defaultButtonFromTheStyle() {
        QFETCH(int, style);
        QFETCH(int, expected);
        MessageDialog dialog(QStringLiteral("p"), style, QStringLiteral("t"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* button = dialog.findChild<QPushButton*>(QStringLiteral("button%1").arg(expected));
        QVERIFY(button->isDefault());
        QCOMPARE(QApplication::focusWidget(), button);
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(dialog.result(), expected);
    }

    void accessKeysPressTheirButtons_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("Y") << 3 << int(Qt::Key_Y) << msgbox::ResultYes;
        QTest::newRow("N") << 3 << int(Qt::Key_N) << msgbox::ResultNo;
        QTest::newRow("A") << 2 << int(Qt::Key_A) << msgbox::ResultAbort;
        QTest::newRow("R") << 2 << int(Qt::Key_R) << msgbox::ResultRetry;
        QTest::newRow("I") << 2 << int(Qt::Key_I) << msgbox::ResultIgnore;
        QTest::newRow("no key for OK") << 1 << int(Qt::Key_O) << 0;
        QTest::newRow("Y without Yes") << 5 << int(Qt::Key_Y) << 0;
    }

    void accessKeysPressTheirButtons() {
        QFETCH(int, style);
        QFETCH(int, key);
        QFETCH(int, expected);
        for (const Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::ShiftModifier, Qt::AltModifier}) {
            MessageDialog dialog(QStringLiteral("p"), style, QStringLiteral("t"));
            dialog.show();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            // Every way a key presses a button starts within the key press:
            // the button is pressed at once, and a mnemonic's click (Alt and
            // the letter) completes a moment later.
            int presses = 0;
            for (QPushButton* button : dialog.buttons()) {
                QObject::connect(button, &QAbstractButton::pressed, &dialog, [&presses] { ++presses; });
            }
            QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
            if (expected == 0) {
                QCOMPARE(presses, 0);
                QCOMPARE(dialog.result(), 0);
            } else {
                QCOMPARE(presses, 1);
                QTRY_COMPARE_WITH_TIMEOUT(dialog.result(), expected, 30000);
            }
        }
    }

    // The system box wraps a long line and keeps its buttons on the screen.
    void longTextsKeepTheBoxOnTheScreen_data() {
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<int>("style");
        QTest::newRow("one line of 10,000") << QString(10000, QLatin1Char('x')) << 48;
        QTest::newRow("Japanese line") << QString(3000, QChar(0x3042)) << 3;
        QTest::newRow("words") << QStringLiteral("word ").repeated(2000) << 64 + msgbox::RightAligned;
        QTest::newRow("500 lines") << QStringLiteral("line\n").repeated(499) + QStringLiteral("end") << 16;
        QTest::newRow("a few words") << QStringLiteral("a few words ").repeated(20) << 2;
        QTest::newRow("short") << QStringLiteral("short") << 0;
    }

    void longTextsKeepTheBoxOnTheScreen() {
        QFETCH(QString, prompt);
        QFETCH(int, style);
        MessageDialog dialog(prompt, style, QStringLiteral("t"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QRect screen = dialog.screen()->availableGeometry();
        QVERIFY(screen.contains(dialog.frameGeometry()));
        QVERIFY2(dialog.width() <= screen.width() * 7 / 8, qPrintable(QString::number(dialog.width())));
        QCOMPARE(dialog.width() >= screen.width() * 5 / 8 - 1, prompt.size() > 200 && !prompt.contains('\n'));
        for (QPushButton* button : dialog.buttons()) {
            QVERIFY(dialog.rect().contains(button->geometry()));
        }
        auto* text = dialog.findChild<QTextEdit*>(QStringLiteral("prompt"));
        QVERIFY(dialog.rect().contains(text->geometry()));
        QCOMPARE(text->toPlainText(), prompt);
        // All of the text can be seen: in the box, or by scrolling it.
        const int textHeight = qCeil(text->document()->size().height());
        QCOMPARE(text->verticalScrollBar()->isVisible(), textHeight > text->viewport()->height());
        QVERIFY(text->document()->idealWidth() <= text->viewport()->width());
        // Lines break after a space where the text has spaces, anywhere where it has none.
        const QTextBlock first = text->document()->firstBlock();
        QTextLayout* layout = first.layout();
        QCOMPARE(layout->lineCount() > 1,
                 qCeil(layout->maximumWidth()) > text->viewport()->width() || first.length() > 1000);
        for (int i = 1; i < layout->lineCount(); ++i) {
            const int start = layout->lineAt(i).textStart();
            QVERIFY(!prompt.contains(QLatin1Char(' ')) || first.text().at(start - 1) == QLatin1Char(' '));
        }
    }

    // A prompt beyond what a box lays out at once is cut, and says so.
    void hugePromptIsCutWithANote() {
        const QString prompt = QString(40000, QLatin1Char('x')) + QStringLiteral("tail");
        MessageDialog dialog(prompt, 0, QStringLiteral("t"));
        const QString shown = dialog.findChild<QTextEdit*>(QStringLiteral("prompt"))->toPlainText();
        QVERIFY(shown.startsWith(prompt.left(32768) + QStringLiteral("…\n")));
        QVERIFY(shown.endsWith(QStringLiteral("（以下 7,236 文字は表示していません）")));
    }

    void textIconAndTitle() {
        MessageDialog right(QStringLiteral("line 1\nline 2"), 64 + msgbox::RightAligned, QStringLiteral("T"));
        auto* prompt = right.findChild<QTextEdit*>(QStringLiteral("prompt"));
        QVERIFY(prompt);
        QCOMPARE(prompt->toPlainText(), QStringLiteral("line 1\nline 2"));
        QVERIFY(prompt->document()->defaultTextOption().alignment() & Qt::AlignRight);
        QVERIFY(right.findChild<QLabel*>(QStringLiteral("icon")));
        QCOMPARE(right.windowTitle(), QStringLiteral("T"));
        // A script's MsgBox with "" shows an empty title bar, where Qt would put the program's name.
        MessageDialog untitled(QStringLiteral("p"), 0, QString());
        QVERIFY(!untitled.windowTitle().isEmpty() && untitled.windowTitle().trimmed().isEmpty());

        MessageDialog plain(QString(), 0, QStringLiteral("T"));
        QVERIFY(plain.findChild<QTextEdit*>(QStringLiteral("prompt"))->document()->defaultTextOption().alignment() &
                Qt::AlignLeft);
        QVERIFY(!plain.findChild<QLabel*>(QStringLiteral("icon")));
        QCOMPARE(plain.buttons().size(), 1);
    }

    void fileDialogFilters() {
        QCOMPARE(
            QtFileDialog::qtFilters(QStringLiteral("VisualBasicScriptFile(*.vbs)|*.vbs|すべてのファイル(*.*)|*.*")),
            (QStringList{"VisualBasicScriptFile(*.vbs)", "すべてのファイル(*.*)"}));
        QCOMPARE(QtFileDialog::qtFilters(QStringLiteral("Scripts|*.vbs;*.vb")), QStringList{"Scripts (*.vbs *.vb)"});
        QCOMPARE(QtFileDialog::qtFilters(QString()), QStringList{});
    }

    // Last: the texts stay installed for the rest of the process.
    void qtOwnTextsAreJapanese() {
        QCOMPARE(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("File &name:"));
        QVERIFY(installJapaneseQtTexts(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("ファイル名(&N):"));
        QCOMPARE(QCoreApplication::translate("QWidgetTextControl", "&Copy"), QStringLiteral("コピー(&C)"));
    }
};

}  // namespace bw

QTEST_MAIN(bw::MessageDialogTest)
#include "MessageDialogTest.moc"
