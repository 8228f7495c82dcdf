#include "AboutDoubles.h"
#include "BuildSettings.h"
#include "about/AboutWindowHost.h"
#include "about/frmAbout.h"
#include "gui/ChildNamed.h"
#include "platform/qt/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRawFont>
#include <QTest>
#include <QWindow>

#include <memory>

namespace bw {

// Every window's designed lengths round to the nearest pixel; cut off, 23 and
// 8 twips would be 1 and 0 pixels.
static_assert(pixelsFromTwips(7) == 0 && pixelsFromTwips(8) == 1 && pixelsFromTwips(22) == 1 &&
              pixelsFromTwips(23) == 2);

// The About box as the main window opens it, driven by its controls' names.
class AboutWindowTest : public QObject, test::AboutDoubles {
    Q_OBJECT

    std::unique_ptr<AboutWindowHost> host;

    frmAbout* box() const { return host->window(); }

    template <typename T>
    T* get(const QString& name) const {
        return test::childNamed<T>(box(), name);
    }

    // Shows the box and waits until it has the keyboard.
    bool open() {
        host->show();
        lastBox = box();
        return QTest::qWaitForWindowActive(box());
    }

    // Moves the mouse to a point of the box's client area, as the window system would.
    void moveTo(QPoint point) { QTest::mouseMove(box()->windowHandle(), point); }
    void moveOnto(const QString& control) {
        auto* widget = get<QWidget>(control);
        moveTo(widget->geometry().center());
    }

    void setRegisteredTool() {
        registry->setString("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", std::string("/usr/bin/tool\0", 14));
    }

    // The host has let go of the box, and the box is gone once its deferred delete has run.
    bool closed() {
        if (box() != nullptr) {
            return false;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return lastBox.isNull();
    }
    QPointer<frmAbout> lastBox;

private slots:
    void init() {
        makeDoubles();
        host = std::make_unique<AboutWindowHost>(services());
    }
    void cleanup() { host.reset(); }

    // ---- The window and its controls

    void isAFixedModelessBoxWithoutOwner() {
        QVERIFY(open());
        QVERIFY(box()->isVisible());
        QVERIFY(box()->parentWidget() == nullptr);
        QVERIFY(!box()->isModal());
        QCOMPARE(box()->windowModality(), Qt::NonModal);
        QCOMPARE(box()->size(), QSize(286, 107));
        QCOMPARE(box()->minimumSize(), box()->maximumSize());
        const Qt::WindowFlags flags = box()->windowFlags();
        QVERIFY(flags & Qt::Dialog);
        QVERIFY(flags & Qt::MSWindowsFixedSizeDialogHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(box()->testAttribute(Qt::WA_DeleteOnClose));
    }

    void controlsSitWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text");

        const QString home = QString::fromUtf8(build::kHomeUrl);
        QTest::newRow("cmdOK") << "cmdOK" << QRect(2640, 360, 1380, 345) << "OK";
        QTest::newRow("picIcon") << "picIcon" << QRect(240, 240, 540, 540) << "";
        QTest::newRow("lblTitle") << "lblTitle" << QRect(960, 240, 1485, 360) << "Boxwright";
        QTest::newRow("cmdSysInfo") << "cmdSysInfo" << QRect(4260, 3075, 1380, 345) << "ｼｽﾃﾑ情報(&S)...";
        QTest::newRow("Label1") << "Label1" << QRect(960, 840, 1935, 255) << QString::fromUtf8(build::kVersionLabel);
        QTest::newRow("Label2") << "Label2" << QRect(960, 1320, 2535, 255) << home;
    }
    void controlsSitWhereTheLayoutPutsThem() {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(QString, text);
        QVERIFY(open());
        auto* control = get<QWidget>(name);
        const QRect expected(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
        QCOMPARE(control->pos(), expected.topLeft());
        QCOMPARE(control->height(), expected.height());
        if (name == QStringLiteral("Label2")) {
            // The link may grow to show a longer address whole, never past the box.
            QVERIFY(control->width() >= expected.width());
            QVERIFY(control->geometry().right() < box()->width());
        } else {
            QCOMPARE(control->width(), expected.width());
        }
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            QCOMPARE(button->text(), text);
        } else if (!text.isEmpty()) {
            QCOMPARE(qobject_cast<QLabel*>(control)->text(), text);
        }
    }

    void sysInfoButtonLiesBelowTheClientArea() {
        QVERIFY(open());
        QVERIFY(get<QWidget>(QStringLiteral("cmdSysInfo"))->y() >= box()->height());
    }

    void iconShowsAPicture() {
        QVERIFY(open());
        const QPixmap picture = get<QLabel>(QStringLiteral("picIcon"))->pixmap();
        QVERIFY(!picture.isNull());
    }

    void fontsHaveTheJapaneseGlyphs_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("points");
        QTest::addColumn<bool>("underlined");

        QTest::newRow("lblTitle") << "lblTitle" << 12 << false;
        QTest::newRow("Label2") << "Label2" << 9 << true;
        QTest::newRow("Label1") << "Label1" << 9 << false;
        QTest::newRow("cmdSysInfo") << "cmdSysInfo" << 9 << false;
        QTest::newRow("cmdOK") << "cmdOK" << 9 << false;
    }
    void fontsHaveTheJapaneseGlyphs() {
        QFETCH(QString, name);
        QFETCH(int, points);
        QFETCH(bool, underlined);
        QVERIFY(open());
        const QFont font = get<QWidget>(name)->font();
        QCOMPARE(font.families().value(0), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(qRound(font.pointSizeF()), points);
        QCOMPARE(font.underline(), underlined);
        const QRawFont raw = QRawFont::fromFont(font);
        for (const char16_t c : u"ｼｽﾃﾑ情報のﾊﾞｰｼﾞｮﾝ") {
            if (c != 0) {
                QVERIFY2(raw.supportsCharacter(QChar(c)), qPrintable(raw.familyName()));
            }
        }
    }

    void tabOrderFollowsTheTable() {
        QVERIFY(open());
        QStringList chain;
        QWidget* widget = get<QWidget>(QStringLiteral("cmdOK"));
        for (int i = 0; i < 6; ++i) {
            chain << widget->objectName();
            widget = widget->nextInFocusChain();
        }
        QCOMPARE(chain, (QStringList{"cmdOK", "picIcon", "lblTitle", "cmdSysInfo", "Label1", "Label2"}));
        QCOMPARE(box()->focusWidget(), get<QWidget>(QStringLiteral("cmdOK")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), get<QWidget>(QStringLiteral("cmdSysInfo")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), get<QWidget>(QStringLiteral("cmdOK")));
    }

    // ---- Load, show again, close

    void captionAndTitleAreBuiltOnLoad() {
        QVERIFY(open());
        QCOMPARE(box()->windowTitle(), QStringLiteral("Boxwrightのﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(get<QLabel>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Boxwright"));
    }

    void aboutWhileOpenBringsTheSameBoxToTheFront() {
        QVERIFY(open());
        frmAbout* first = box();
        first->setWindowTitle(QStringLiteral("changed"));
        host->show();
        QCOMPARE(box(), first);
        QVERIFY(first->isVisible());
        QCOMPARE(first->windowTitle(), QStringLiteral("changed"));
    }

    void closingUnloadsAndReopeningBuildsAgain() {
        QVERIFY(open());
        box()->setWindowTitle(QStringLiteral("changed"));
        get<QLabel>(QStringLiteral("lblTitle"))->setText(QStringLiteral("changed"));
        QTest::mouseClick(get<QPushButton>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QVERIFY(closed());

        QVERIFY(open());
        QCOMPARE(box()->windowTitle(), QStringLiteral("Boxwrightのﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(get<QLabel>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Boxwright"));
    }

    void aboutRightAfterClosingBuildsANewBox() {
        QVERIFY(open());
        QPointer<frmAbout> first = box();
        first->setWindowTitle(QStringLiteral("changed"));
        first->close();
        // The closed box is not deleted yet.
        QVERIFY(!first.isNull());
        host->show();
        QVERIFY(box() != nullptr);
        QVERIFY(box() != first.data());
        QCOMPARE(box()->windowTitle(), QStringLiteral("Boxwrightのﾊﾞｰｼﾞｮﾝ情報"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QVERIFY(box() != nullptr && box()->isVisible());
    }

    void closeBoxUnloadsToo() {
        QVERIFY(open());
        box()->close();
        QVERIFY(closed());
    }

    // ---- Keys

    void escapeClosesWhateverHasTheFocus_data() {
        QTest::addColumn<QString>("focus");
        QTest::newRow("cmdOK") << "cmdOK";
        QTest::newRow("cmdSysInfo") << "cmdSysInfo";
    }
    void escapeClosesWhateverHasTheFocus() {
        QFETCH(QString, focus);
        QVERIFY(open());
        get<QWidget>(focus)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(closed());
        QCOMPARE(launcher->calls.size(), 0);
    }

    void enterClosesExceptOnSysInfo_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Return on cmdOK") << "cmdOK" << int(Qt::Key_Return) << true;
        QTest::newRow("Enter on cmdOK") << "cmdOK" << int(Qt::Key_Enter) << true;
        QTest::newRow("Return on cmdSysInfo") << "cmdSysInfo" << int(Qt::Key_Return) << false;
        QTest::newRow("Enter on cmdSysInfo") << "cmdSysInfo" << int(Qt::Key_Enter) << false;
    }
    void enterClosesExceptOnSysInfo() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, closes);
        setRegisteredTool();
        QVERIFY(open());
        get<QWidget>(focus)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
        QCOMPARE(closed(), closes);
        if (closes) {
            QCOMPARE(launcher->calls.size(), 0);
        } else {
            QCOMPARE(launcher->calls.size(), 1);
            QCOMPARE(launcher->calls[0].commandLine, QStringLiteral("/usr/bin/tool"));
            QVERIFY(box()->isVisible());
        }
    }

    void altSStartsSysInfoThoughItsButtonIsHidden() {
        setRegisteredTool();
        QVERIFY(open());
        QTest::keyClick(box(), Qt::Key_S, Qt::AltModifier);
        // The mnemonic's click completes on a timer of its own.
        QTRY_COMPARE_WITH_TIMEOUT(launcher->calls.size(), 1, 30000);
        QCOMPARE(launcher->calls[0].windowStyle, 1);
        QVERIFY(!closed());
    }

    void sysInfoWithoutToolShowsTheMessageAndStaysOpen() {
        QVERIFY(open());
        QTest::keyClick(box(), Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE_WITH_TIMEOUT(messages->calls.size(), 1u, 30000);
        QVERIFY(messages->calls[0].prompt == u"現時点ではｼｽﾃﾑ情報を使用できません");
        QCOMPARE(messages->calls[0].style, 0);
        QVERIFY(!messages->calls[0].title.has_value());
        QVERIFY(!closed());
    }

    // ---- The link

    void linkColourFollowsTheMouse_data() {
        QTest::addColumn<QStringList>("path");  // controls, "background", or "outside"
        QTest::addColumn<QColor>("colour");

        const QColor blue(0, 0, 255);
        const QColor black(0, 0, 0);
        QTest::newRow("starts black") << QStringList{} << black;
        QTest::newRow("over the link") << QStringList{"Label2"} << blue;
        QTest::newRow("link, then background") << QStringList{"Label2", "background"} << black;
        QTest::newRow("link, then title") << QStringList{"Label2", "lblTitle"} << blue;
        QTest::newRow("link, then version") << QStringList{"Label2", "Label1"} << blue;
        QTest::newRow("link, then icon") << QStringList{"Label2", "picIcon"} << blue;
        QTest::newRow("link, then OK") << QStringList{"Label2", "cmdOK"} << blue;
        QTest::newRow("link, then out of the box") << QStringList{"Label2", "outside"} << blue;
        QTest::newRow("link, controls, background")
            << QStringList{"Label2", "cmdOK", "lblTitle", "background"} << black;
        QTest::newRow("background, then link") << QStringList{"background", "Label2"} << blue;
        QTest::newRow("background only") << QStringList{"background"} << black;
    }
    void linkColourFollowsTheMouse() {
        QFETCH(QStringList, path);
        QFETCH(QColor, colour);
        QVERIFY(open());
        for (const QString& step : path) {
            if (step == QStringLiteral("background")) {
                moveTo(QPoint(box()->width() - 3, box()->height() - 3));
            } else if (step == QStringLiteral("outside")) {
                moveTo(QPoint(box()->width() + 40, box()->height() + 40));
            } else {
                moveOnto(step);
            }
        }
        QCOMPARE(box()->linkColor(), colour);
        QCOMPARE(get<QLabel>(QStringLiteral("Label2"))->palette().color(QPalette::WindowText), colour);
    }

    void eachClickOpensANewBrowserWindow() {
        QVERIFY(open());
        auto* link = get<QLabel>(QStringLiteral("Label2"));
        QTest::mouseClick(link, Qt::LeftButton);
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(browser->createCalls, 2);
        QCOMPARE(browser->windows.size(), 2);
        for (const auto& window : browser->windows) {
            QCOMPARE(window->addresses, QStringList{QString::fromUtf8(build::kHomeUrl)});
            QCOMPARE(window->visibility, QList<bool>{true});
        }
        QVERIFY(box()->isVisible());
        QCOMPARE(messages->calls.size(), 0u);
    }

    void failingBrowserStepsAreIgnored_data() {
        QTest::addColumn<bool>("createFails");
        QTest::addColumn<bool>("navigateFails");
        QTest::addColumn<bool>("showFails");
        QTest::newRow("no browser") << true << false << false;
        QTest::newRow("navigate fails") << false << true << false;
        QTest::newRow("show fails") << false << false << true;
        QTest::newRow("everything fails") << true << true << true;
    }
    void failingBrowserStepsAreIgnored() {
        QFETCH(bool, createFails);
        QFETCH(bool, navigateFails);
        QFETCH(bool, showFails);
        browser->createFails = createFails;
        browser->navigateFails = navigateFails;
        browser->showFails = showFails;
        QVERIFY(open());
        QTest::mouseClick(get<QLabel>(QStringLiteral("Label2")), Qt::LeftButton);
        QCOMPARE(browser->createCalls, 1);
        if (!createFails) {
            // Navigating failed or not, the window is still shown.
            QCOMPARE(browser->windows.size(), 1);
            QCOMPARE(browser->windows[0]->addresses.size(), 1);
            QCOMPARE(browser->windows[0]->visibility, QList<bool>{true});
        }
        QCOMPARE(messages->calls.size(), 0u);
        QVERIFY(box()->isVisible());
    }

    void aStepThatThrowsIsLoggedAndTheNextRuns() {
        browser->navigateThrows = true;
        QVERIFY(open());
        QTest::ignoreMessage(QtWarningMsg, "boxwright: sending the browser to the home page failed: no network");
        QTest::mouseClick(get<QLabel>(QStringLiteral("Label2")), Qt::LeftButton);
        QCOMPARE(browser->windows[0]->visibility, QList<bool>{true});
        QCOMPARE(messages->calls.size(), 0u);
    }

    void pressingOffTheLinkIsNoClick() {
        QVERIFY(open());
        auto* link = get<QLabel>(QStringLiteral("Label2"));
        QTest::mousePress(link, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(link->width() + 20, 2));
        QTest::mouseClick(link, Qt::RightButton);
        QCOMPARE(browser->createCalls, 0);
    }

    // ---- Host with the system's own services

    void hostBuildsWithTheSystemServices() {
        AboutWindowHost systemHost(*messages, *launcher);
        systemHost.show();
        QVERIFY(systemHost.window() != nullptr);
        QCOMPARE(systemHost.window()->windowTitle(), QStringLiteral("Boxwrightのﾊﾞｰｼﾞｮﾝ情報"));
        QString value = QStringLiteral("x");
        QVERIFY(!systemHost.window()->GetKeyValue(0x80000002, QStringLiteral("SOFTWARE\\Nothing"),
                                                  QStringLiteral("PATH"), value));
        QVERIFY(value.isEmpty());
    }
};

}  // namespace bw

QTEST_MAIN(bw::AboutWindowTest)
#include "AboutWindowTest.moc"
