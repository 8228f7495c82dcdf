#include "BuildSettings.h"
#include "gui/MainWindowFixture.h"
#include "platform/qt/InterfaceFont.h"
#include "platform/qt/MessageDialog.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QMenu>
#include <QRawFont>
#include <QTemporaryFile>

namespace bw {

namespace {

const QString kFontFile = QStringLiteral(BOXWRIGHT_INTERFACE_FONT_FILE);

// Every text a person reads in `root` and its children.
QString textsOf(const QObject* root) {
    QString all;
    QList<const QObject*> objects{root};
    for (const QObject* child : root->findChildren<QObject*>()) {
        objects << child;
    }
    for (const QObject* object : objects) {
        for (const char* property : {"text", "title", "windowTitle", "toolTip", "plainText"}) {
            all += object->property(property).toString();
        }
    }
    return all;
}

}  // namespace

// The interface font is cut from the sources' texts when the program is built;
// the windows draw their Japanese captions from it, and the system's fonts
// only while the system's Japanese font is the one it was cut from.
class InterfaceFontTest : public QObject, private test::MainWindowFixture {
    Q_OBJECT

private slots:
    void holdsEveryCharacterTheWindowsShow() {
        if (kFontFile.isEmpty()) {
            QSKIP("this build made no interface font");
        }
        const QRawFont font(kFontFile, 12);
        QVERIFY(font.isValid());
        QVERIFY(openWindow());
        QString texts = textsOf(form.get());
        for (int style : {1, 2, 3}) {  // OK-cancel, abort-retry-ignore, yes-no-cancel: every caption
            const MessageDialog box(QStringLiteral("prompt"), style, QStringLiteral("title"));
            texts += textsOf(&box);
        }
        QString missing;
        for (const QChar c : texts) {
            if (c.unicode() > 0x7F && !c.isSurrogate() && !font.supportsCharacter(c) && !missing.contains(c)) {
                missing += c;
            }
        }
        QCOMPARE(missing, QString());
    }

    void usedOnlyWhileItMatchesTheSystemFont_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("madeFrom");
        QTest::addColumn<QString>("systemJapanese");
        QTest::addColumn<QString>("interfaceFamily");  // empty: the platform's default
        QTest::addColumn<bool>("used");
        const QString from = QString::fromUtf8(build::kInterfaceFontSource);
        QTest::newRow("made from the system's Japanese font") << kFontFile << from << from << "" << true;
        QTest::newRow("the interface family is that font (Japanese locale)")
            << kFontFile << from << from << from << true;
        QTest::newRow("the system now prefers another font") << kFontFile << from << "IPAexGothic"
                                                             << "" << false;
        QTest::newRow("the system names no Japanese font") << kFontFile << from << ""
                                                           << "" << false;
        QTest::newRow("no font was made") << ""
                                          << ""
                                          << ""
                                          << "" << false;
        QTest::newRow("the file is gone") << "/nonexistent/boxwright-ui-ja.otf" << from << from << "" << false;
    }

    void usedOnlyWhileItMatchesTheSystemFont() {
        QFETCH(QString, file);
        QFETCH(QString, madeFrom);
        QFETCH(QString, systemJapanese);
        QFETCH(QString, interfaceFamily);
        QFETCH(bool, used);
        if (kFontFile.isEmpty() && used) {
            QSKIP("this build made no interface font");
        }
        const QFont original = QApplication::font();
        if (!interfaceFamily.isEmpty()) {
            QApplication::setFont(QFont(interfaceFamily, original.pointSize()));
        }
        const QFont before = QApplication::font();
        const QString family = QFontInfo(before).family();
        QCOMPARE(useInterfaceFont(file, madeFrom, systemJapanese), used);
        const QStringList families = QApplication::font().families();
        if (!used) {
            QCOMPARE(QApplication::font(), before);
        } else if (family == madeFrom) {
            // The whole font stays for every character the cut-down copy lacks.
            QCOMPARE(families, (QStringList{QStringLiteral("Boxwright UI JP"), family}));
        } else {
            // The interface's own family stays first: Latin text and line
            // heights do not change.
            QCOMPARE(families, (QStringList{family, QStringLiteral("Boxwright UI JP")}));
        }
        QApplication::setFont(original);
    }

    void aFileThatIsNoFontChangesNothing() {
        QTemporaryFile notAFont;
        QVERIFY(notAFont.open());
        notAFont.write("MsgBox \"no font\"\r\n");
        notAFont.close();
        const QFont before = QApplication::font();
        QVERIFY(!useInterfaceFont(notAFont.fileName(), QStringLiteral("Noto Sans CJK JP"),
                                  QStringLiteral("Noto Sans CJK JP")));
        QCOMPARE(QApplication::font(), before);
    }
};

}  // namespace bw

QTEST_MAIN(bw::InterfaceFontTest)
#include "InterfaceFontTest.moc"
