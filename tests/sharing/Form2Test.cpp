#include "SharingDoubles.h"
#include "doubles/RecordingMessageBox.h"
#include "platform/qt/TextConversion.h"
#include "sharing/Form2.h"
#include "sharing/UploadWindowHost.h"

#include <QSignalSpy>
#include <QTest>
#include <QWindow>

using bw::Form2;
using bw::UploadServices;
using bw::UploadWindowHost;
using bw::test::FakeWebViewModule;
using bw::test::RecordingMessageBox;

namespace {

const QString kAddress = QStringLiteral("https://upload.test/form?kind=vbs");

// Counts the window system's reports of a window's state: they come to the
// window's QWindow after the window system has applied the change, and after
// the moves and resizes the change brought.
class StateReports : public QObject {
public:
    explicit StateReports(QWindow* window) { window->installEventFilter(this); }

    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange) {
            ++count;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

class Form2Test : public QObject {
    Q_OBJECT

private:
    FakeWebViewModule* module_ = nullptr;
    RecordingMessageBox* messages_ = nullptr;
    UploadWindowHost* host_ = nullptr;
    int moduleLoads_ = 0;
    std::vector<QString> opened_;
    bool openerWorks_ = true;

    UploadServices services(bool withModule) {
        UploadServices s;
        s.address = kAddress;
        s.loadModule = [this, withModule](QString* why) -> bw::WebViewModule* {
            ++moduleLoads_;
            if (!withModule) {
                *why = QStringLiteral("no module in this test");
                return nullptr;
            }
            return module_;
        };
        s.openInBrowser = [this](const QString& address) {
            opened_.push_back(address);
            return openerWorks_;
        };
        s.messages = messages_;
        return s;
    }

    // The size rule's results for the window's current outer size.
    static int expectedHeight(const Form2* w) { return w->frameGeometry().height() * 15 - 400; }
    static int expectedWidth(const Form2* w) { return w->frameGeometry().width() * 15 - 80; }

private slots:
    void init() {
        module_ = new FakeWebViewModule;
        messages_ = new RecordingMessageBox;
        moduleLoads_ = 0;
        opened_.clear();
        openerWorks_ = true;
        host_ = new UploadWindowHost(services(true));
    }
    void cleanup() {
        delete host_;
        delete messages_;
        delete module_;
    }

    void firstUploadLoadsThePageOnce() {
        host_->show();
        Form2* w = host_->window();
        QVERIFY(w != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->windowTitle(), QStringLiteral("ZMRソース、VBSファイルアップ"));
        QCOMPARE(w->size(), QSize(602, 351));
        QVERIFY(w->parentWidget() == nullptr);
        QVERIFY(!w->testAttribute(Qt::WA_QuitOnClose));
        QVERIFY(w->minimumSize() != w->maximumSize());
        QVERIFY(!w->windowFlags().testFlag(Qt::CustomizeWindowHint));  // the usual boxes
        QCOMPARE(module_->log.viewsCreated, 1);
        QCOMPARE(module_->log.navigations, std::vector<QString>{kAddress});
        QWidget* browser = w->browser()->widget();
        QCOMPARE(browser->objectName(), QStringLiteral("WebBrowser1"));
        QCOMPARE(browser->parentWidget(), w);
        QCOMPARE(browser->pos(), QPoint(0, 0));
        QCOMPARE(moduleLoads_, 1);
        QVERIFY(opened_.empty());
    }

    void sizeRuleRunsAtFirstShowHeightThenWidth() {
        host_->show();
        Form2* w = host_->window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY(module_->log.sizeRequests.size() >= 2);
        const auto& requests = module_->log.sizeRequests;
        const auto last = requests.size() - 1;
        QCOMPARE(requests[last - 1], std::make_pair('H', expectedHeight(w)));
        QCOMPARE(requests[last], std::make_pair('W', expectedWidth(w)));
        QCOMPARE(w->browser()->heightTwips(), expectedHeight(w));
        QCOMPARE(w->browser()->widthTwips(), expectedWidth(w));
    }

    void uploadWhileOpenBringsToFrontWithoutReload() {
        host_->show();
        Form2* w = host_->window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->showMinimized();
        host_->show();
        QCOMPARE(host_->window(), w);
        QVERIFY(w->isVisible());
        QVERIFY(!w->isMinimized());
        QCOMPARE(module_->log.viewsCreated, 1);
        QCOMPARE(module_->log.navigations.size(), 1u);
        int windows = 0;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            windows += top->objectName() == QStringLiteral("Form2") ? 1 : 0;
        }
        QCOMPARE(windows, 1);
    }

    void closingUnloadsAndTheNextUploadReloads() {
        host_->show();
        QPointer<Form2> first = host_->window();
        QPointer<QWidget> firstBrowser = first->browser()->widget();
        first->close();
        QTRY_VERIFY(first.isNull());
        QVERIFY(firstBrowser.isNull());
        QVERIFY(host_->window() == nullptr);

        host_->show();
        QVERIFY(host_->window() != nullptr);
        QCOMPARE(module_->log.viewsCreated, 2);
        QCOMPARE(module_->log.navigations, (std::vector<QString>{kAddress, kAddress}));
        QCOMPARE(moduleLoads_, 1);  // the module is loaded once for the process
    }

    void growingFitsTheBrowser() {
        host_->show();
        Form2* w = host_->window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->resize(800, 600);
        QCOMPARE(w->browser()->heightTwips(), expectedHeight(w));
        QCOMPARE(w->browser()->widthTwips(), expectedWidth(w));
        QCOMPARE(w->browser()->widget()->pos(), QPoint(0, 0));
    }

    void shrinkingBelow400TwipsKeepsTheLastHeightAndStillSetsTheWidth() {
        host_->show();
        Form2* w = host_->window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->resize(500, 300);
        const int lastHeight = w->browser()->heightTwips();
        QCOMPARE(lastHeight, expectedHeight(w));

        module_->log.sizeRequests.clear();
        w->resize(400, 20);  // 300 twips high: the height would be negative
        QCOMPARE(w->frameGeometry().height() * 15 < 400, true);
        QCOMPARE(module_->log.sizeRequests.size(), 2u);
        QCOMPARE(module_->log.sizeRequests[0].first, 'H');
        QVERIFY(module_->log.sizeRequests[0].second < 0);
        QCOMPARE(w->browser()->heightTwips(), lastHeight);
        QCOMPARE(w->browser()->widthTwips(), expectedWidth(w));
        QCOMPARE(w->browser()->widget()->pos(), QPoint(0, 0));

        // And fits again when the window grows.
        w->resize(640, 480);
        QCOMPARE(w->browser()->heightTwips(), expectedHeight(w));
        QCOMPARE(w->browser()->widthTwips(), expectedWidth(w));
    }

    void minimizingShowsNoErrorAndKeepsTheBrowser() {
        host_->show();
        Form2* w = host_->window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const int height = w->browser()->heightTwips();
        const int width = w->browser()->widthTwips();
        // Each step waits until the window system has reported it, so that
        // every resize it brings has reached the window.
        StateReports reports(w->windowHandle());
        w->showMinimized();
        QTRY_COMPARE_WITH_TIMEOUT(reports.count, 1, 30000);
        QVERIFY(w->isMinimized());
        w->showNormal();
        QTRY_COMPARE_WITH_TIMEOUT(reports.count, 2, 30000);
        QVERIFY(!w->isMinimized());
        QCOMPARE(w->browser()->heightTwips(), height);
        QCOMPARE(w->browser()->widthTwips(), width);
        QVERIFY(messages_->calls.empty());
        QCOMPARE(module_->log.navigations.size(), 1u);
    }

    void withoutAWebViewTheDefaultBrowserOpensThePage() {
        delete host_;
        host_ = new UploadWindowHost(services(false));
        host_->show();
        host_->show();
        QVERIFY(host_->window() == nullptr);
        QCOMPARE(opened_, (std::vector<QString>{kAddress, kAddress}));
        QCOMPARE(moduleLoads_, 1);
        QVERIFY(messages_->calls.empty());
    }

    void whenNoBrowserOpensTheUserIsTold() {
        delete host_;
        openerWorks_ = false;
        host_ = new UploadWindowHost(services(false));
        host_->show();
        QCOMPARE(opened_.size(), 1u);
        QCOMPARE(messages_->calls.size(), 1u);
        QVERIFY(bw::toQString(messages_->calls[0].prompt).contains(kAddress));
    }
};

QTEST_MAIN(Form2Test)
#include "Form2Test.moc"
