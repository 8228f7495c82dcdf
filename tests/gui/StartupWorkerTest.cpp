#include "app/StartupWorker.h"

#include <QFontDatabase>
#include <QTest>

namespace bw {

// The start-up worker must always let the program go on: whether or not the
// application object was announced, waiting for it returns, and it can be
// finished more than once.
class StartupWorkerTest : public QObject {
    Q_OBJECT

private slots:
    void alwaysFinishes_data() {
        QTest::addColumn<bool>("announced");
        QTest::newRow("application announced") << true;
        QTest::newRow("never announced (refused command line)") << false;
    }

    void alwaysFinishes() {
        QFETCH(bool, announced);
        StartupWorker worker;
        if (announced) {
            worker.applicationReady();
        }
        worker.japaneseFontFamily();
        worker.finish();
        worker.finish();
        QVERIFY(!QFontDatabase::families().isEmpty());
    }
};

}  // namespace bw

QTEST_MAIN(bw::StartupWorkerTest)
#include "StartupWorkerTest.moc"
