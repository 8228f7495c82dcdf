#include "MappedLibraries.h"
#include "sharing/SendWindowHost.h"
#include "sharing/UploadWindowHost.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QTest>

using bw::test::anyContains;
using bw::test::mappedFiles;
using bw::test::webEngineFiles;

// Starting the program and opening only the main window must not load any
// part of the web engine: it is loaded when the upload window is first opened.
class StartupMapsTest : public QObject {
    Q_OBJECT

private slots:
    void theSharingWindowsLoadNoEngineUntilUsed() {
        bw::UploadWindowHost upload;
        bw::SendWindowHost send;
        QMainWindow window;
        window.resize(342, 468);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        send.show(u"body");
        QTest::qWait(50);
        const QSet<QString> files = mappedFiles();
        QVERIFY(anyContains(files, QStringLiteral("libQt6Widgets")));
        QCOMPARE(webEngineFiles(files), QStringList{});
    }

    void theProgramsMainWindowLoadsNoEngine() {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("BOXWRIGHT_EXIT_AFTER_FIRST_FRAME"), QStringLiteral("1"));
        program.setProcessEnvironment(env);
        program.setProgram(QStringLiteral(BW_PROGRAM));
        program.start();
        QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));
        const QString pid = QString::number(program.processId());

        // Gather every file the process maps until it has shown its window
        // and left (it leaves after the first frame when it has the probe),
        // or for three seconds.
        QSet<QString> files;
        QElapsedTimer clock;
        clock.start();
        while (program.state() != QProcess::NotRunning && clock.elapsed() < 3000) {
            files.unite(mappedFiles(pid));
            program.waitForFinished(5);
        }
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished();
        }
        QVERIFY2(anyContains(files, QStringLiteral("libQt6Widgets")), "the program did not get as far as Qt Widgets");
        QCOMPARE(webEngineFiles(files), QStringList{});
    }
};

QTEST_MAIN(StartupMapsTest)
#include "StartupMapsTest.moc"
