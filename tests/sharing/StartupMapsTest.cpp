#include "MappedLibraries.h"
#include "sharing/Form3.h"
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
        QVERIFY(send.window() != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(send.window()));
        const QSet<QString> files = mappedFiles();
        QVERIFY(anyContains(files, QStringLiteral("libQt6Widgets")));
        QCOMPARE(webEngineFiles(files), QStringList{});
    }

    void theProgramsMainWindowLoadsNoEngine() {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.setProgram(QStringLiteral(BW_PROGRAM));
        program.start();
        QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));
        const QString pid = QString::number(program.processId());

        // Gather every file the process maps until it has shown its window
        // and left, which it does after its first frame. The bound is for a
        // program that never gets there, not for a slow start.
        QSet<QString> files;
        QElapsedTimer clock;
        clock.start();
        while (program.state() != QProcess::NotRunning && clock.elapsed() < 60000) {
            files.unite(mappedFiles(pid));
            program.waitForFinished(5);
        }
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished();
            QFAIL("the program did not leave after its first frame within a minute");
        }
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY2(anyContains(files, QStringLiteral("libQt6Widgets")), "the program did not get as far as Qt Widgets");
        QCOMPARE(webEngineFiles(files), QStringList{});
    }
};

QTEST_MAIN(StartupMapsTest)
#include "StartupMapsTest.moc"
