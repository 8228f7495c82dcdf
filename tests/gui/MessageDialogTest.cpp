#include "model/MessageBoxStyle.h"
#include "platform/MessageDialog.h"
#include "platform/QtFileDialog.h"
#include "platform/QtTranslations.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

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
        QTest::newRow("Abort Retry Ignore") << 2 << QStringList{"中止", "再試行", "無視"} << QList<int>{3, 4, 5};
        QTest::newRow("Yes No Cancel") << 35 << QStringList{"はい", "いいえ", "キャンセル"} << QList<int>{6, 7, 2};
        QTest::newRow("Yes No right") << 4 + 64 + msgbox::RightAligned << QStringList{"はい", "いいえ"}
                                      << QList<int>{6, 7};
        QTest::newRow("Retry Cancel") << 5 << QStringList{"再試行", "キャンセル"} << QList<int>{4, 2};
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

    void enterPressesTheDefaultButton() {
        MessageDialog dialog(QStringLiteral("p"), 3, QStringLiteral("t"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(dialog.result(), msgbox::ResultYes);
    }

    void textIconAndTitle() {
        MessageDialog right(QStringLiteral("line 1\nline 2"), 64 + msgbox::RightAligned, QString());
        auto* prompt = right.findChild<QLabel*>(QStringLiteral("prompt"));
        QVERIFY(prompt);
        QCOMPARE(prompt->text(), QStringLiteral("line 1\nline 2"));
        QVERIFY(prompt->alignment() & Qt::AlignRight);
        QVERIFY(right.findChild<QLabel*>(QStringLiteral("icon")));
        QCOMPARE(right.windowTitle(), QString());

        MessageDialog plain(QString(), 0, QStringLiteral("T"));
        QVERIFY(plain.findChild<QLabel*>(QStringLiteral("prompt"))->alignment() & Qt::AlignLeft);
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
