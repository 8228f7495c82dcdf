#include "platform/qt/QtProgramLauncher.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using bw::QtProgramLauncher;

// The real launcher against a harmless program that records its arguments.
class LauncherTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString recorded_;

    QString markerPath(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    // The recorder's arguments once it has written them. It renames its file
    // into place as its last act, so the file appears whole; the bound only
    // matters when the recorder never runs.
    QStringList waitForArguments() {
        QFile file(recorded_);
        if (!QTest::qWaitFor([&] { return file.exists(); }, 60000)) {
            return {QStringLiteral("<the recorder did not run>")};
        }
        if (!file.open(QIODevice::ReadOnly)) {
            return {QStringLiteral("<unreadable>")};
        }
        QStringList args;
        const QByteArray data = file.readAll();
        for (const QByteArray& part : data.split('\0')) {
            args << QString::fromUtf8(part);
        }
        args.removeLast();  // after the last NUL
        return args;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        // The recorder under a name of our own, found through the search path.
        const QString recorder = dir_.filePath(QStringLiteral("bw-argv-recorder"));
        QVERIFY(QFile::copy(QStringLiteral(BW_ARGV_RECORDER), recorder));
        QVERIFY(QFile::setPermissions(recorder, QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner));
        qputenv("PATH", (dir_.path() + QLatin1Char(':') + qEnvironmentVariable("PATH")).toLocal8Bit());
    }

    void init() {
        recorded_ = dir_.filePath(QStringLiteral("argv-%1").arg(QTest::currentTestFunction()));
        QFile::remove(recorded_);
        qputenv("BW_ARGV_OUT", recorded_.toLocal8Bit());
    }

    void splitsAtBlanksOnly() {
        QCOMPARE(QtProgramLauncher::splitCommandLine(QStringLiteral("NET SEND 127.0.0.1 hello")),
                 (QStringList{"NET", "SEND", "127.0.0.1", "hello"}));
        QCOMPARE(QtProgramLauncher::splitCommandLine(QStringLiteral("  NET SEND  \t two  blanks ")),
                 (QStringList{"NET", "SEND", "two", "blanks"}));
        QCOMPARE(QtProgramLauncher::splitCommandLine(QStringLiteral("a \"b c\" 'd e' f\\ g")),
                 (QStringList{"a", "\"b", "c\"", "'d", "e'", "f\\", "g"}));
        QCOMPARE(QtProgramLauncher::splitCommandLine(QStringLiteral("a x\r\ny\r\n z")),
                 (QStringList{"a", "x\r\ny\r\n", "z"}));
        QCOMPARE(QtProgramLauncher::splitCommandLine(QStringLiteral("  ")), QStringList{});
    }

    void shellCharactersArePassedLiterallyAndRunNothing() {
        const QString touch = QStringLiteral("touch ") + markerPath("m");
        const QString commandLine = QStringLiteral(
                                        "bw-argv-recorder SEND a;%1-semicolon |%1-pipe $(%1-subst) `%1-backtick` "
                                        "\"quoted text\" 'single' x&&%1-and >%2 line1\r\nline2\r\n%PATH% $HOME \\n")
                                        .arg(touch, markerPath("redirect"));
        QtProgramLauncher launcher;
        const bw::LaunchResult result = launcher.start(commandLine, 2);
        QVERIFY2(result.started, qPrintable(result.error));

        QCOMPARE(waitForArguments(), QtProgramLauncher::splitCommandLine(commandLine).mid(1));
        const QStringList args = QtProgramLauncher::splitCommandLine(commandLine).mid(1);
        QVERIFY(args.contains(QStringLiteral("a;touch")));
        QVERIFY(args.contains(QStringLiteral("$(touch")));
        QVERIFY(args.contains(QStringLiteral("line1\r\nline2\r\n%PATH%")));
        QVERIFY(args.contains(QStringLiteral("$HOME")));
        // Nothing else ran: no marker and no redirection target exist. There is
        // nothing to wait for: a shell would have run the substitutions before
        // the recorder and kept `;`, `|`, `&&` and `>` from reaching it, and the
        // recorder got every word exactly as written.
        const QStringList left = QDir(dir_.path()).entryList(QDir::Files);
        for (const QString& name : left) {
            QVERIFY2(!name.startsWith(QLatin1Char('m')) && name != QStringLiteral("redirect"), qPrintable(name));
        }
    }

    void aMessageOfManyLinesArrivesAsOneArgumentPerWord() {
        QtProgramLauncher launcher;
        const QString commandLine = QStringLiteral("bw-argv-recorder SEND 127.0.0.1 最初の行\r\n次の行");
        QVERIFY(launcher.start(commandLine, 2).started);
        QCOMPARE(waitForArguments(), (QStringList{"SEND", "127.0.0.1", QStringLiteral("最初の行\r\n次の行")}));
    }

    void aMissingProgramIsReportedNotIgnored() {
        QtProgramLauncher launcher;
        const bw::LaunchResult result = launcher.start(QStringLiteral("NET SEND 127.0.0.1 hello"), 2);
        if (!QStandardPaths::findExecutable(QStringLiteral("NET")).isEmpty()) {
            QSKIP("this system has a NET program");
        }
        QVERIFY(!result.started);
        QVERIFY(result.error.contains(QStringLiteral("NET")));
        QVERIFY(result.error.contains(QStringLiteral("見つかりません")));
    }

    void aProgramThatCannotRunIsReported() {
        QtProgramLauncher launcher;
        const QString notExecutable = dir_.filePath(QStringLiteral("plain.txt"));
        QFile file(notExecutable);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const bw::LaunchResult result = launcher.start(notExecutable + QStringLiteral(" arg"), 2);
        QVERIFY(!result.started);
        QVERIFY(result.error.contains(QStringLiteral("plain.txt")));
    }

    void aShellWordAsTheProgramIsJustAMissingProgram() {
        QtProgramLauncher launcher;
        const bw::LaunchResult result = launcher.start(QStringLiteral("$(touch%1) x").arg(markerPath("m-program")), 1);
        // Nothing was started, so nothing can make the marker later.
        QVERIFY(!result.started);
        QVERIFY(!QFile::exists(markerPath("m-program")));
    }

    void anEmptyCommandLineIsReported() {
        QtProgramLauncher launcher;
        const bw::LaunchResult result = launcher.start(QStringLiteral("   "), 1);
        QVERIFY(!result.started);
        QVERIFY(!result.error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(LauncherTest)
#include "LauncherTest.moc"
