#include "AboutDoubles.h"
#include "about/frmAbout.h"
#include "platform/qt/QtFileCheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace bw {

namespace {

const std::string kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::u16string kNoSysInfo = u"現時点ではｼｽﾃﾑ情報を使用できません";

std::string bytes(const char* text, std::size_t size) { return std::string(text, size); }

}  // namespace

// StartSysInfo and GetKeyValue of the About box, over registry, file,
// launcher and message-box doubles.
class SysInfoTest : public QObject, test::AboutDoubles {
    Q_OBJECT

    std::unique_ptr<frmAbout> box;

    void makeBox(FileCheck& fileCheck) { box = std::make_unique<frmAbout>(services(&fileCheck)); }

    void expectKeysClosed() const { QVERIFY2(registry->openKeys.empty(), "a key was left open"); }

    void expectMessageOnly() const {
        QCOMPARE(messages->calls.size(), 1u);
        QVERIFY(messages->calls[0].prompt == kNoSysInfo);
        QCOMPARE(messages->calls[0].style, 0);
        QVERIFY(!messages->calls[0].title.has_value());
    }

private slots:
    void init() {
        makeDoubles();
        makeBox(*files);
    }
    void cleanup() { box.reset(); }

    // ---- GetKeyValue

    void readsTheValueByItsBytes_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("expected");

        QTest::newRow("string with its NUL") << 1 << QByteArray("C:\\Tools", 9) << "C:\\Tools";
        QTest::newRow("string without a NUL loses nothing") << 1 << QByteArray("C:\\Tools", 8) << "C:\\Tools";
        QTest::newRow("empty string") << 1 << QByteArray() << "";
        QTest::newRow("only the NUL") << 1 << QByteArray("", 1) << "";
        QTest::newRow("only the last NUL is dropped")
            << 1 << QByteArray("a\0b\0", 4) << QString(reinterpret_cast<const QChar*>(u"a\0b"), 3);
        QTest::newRow("code page 932") << 1 << QByteArray("C:\\\x83\x63\x81\x5B\x83\x8B", 10) << "C:\\ツール";
        QTest::newRow("1024 bytes without a NUL") << 1 << QByteArray(1024, 'x') << QString(1024, u'x');
        QTest::newRow("1024 bytes with the NUL")
            << 1 << QByteArray(1023, 'x') + QByteArray(1, '\0') << QString(1023, u'x');
        QTest::newRow("number") << 4 << QByteArray("\x05\x00\x01\x00", 4) << "65541";
        QTest::newRow("number zero") << 4 << QByteArray(4, '\0') << "0";
        QTest::newRow("largest number") << 4 << QByteArray(4, '\xFF') << "4294967295";
        QTest::newRow("expandable string is another type") << 2 << QByteArray("%windir%", 9) << "as passed";
        QTest::newRow("binary is another type") << 3 << QByteArray("\x01\x02", 2) << "as passed";
        QTest::newRow("multi-string is another type") << 7 << QByteArray("a\0b\0\0", 5) << "as passed";
    }
    void readsTheValueByItsBytes() {
        QFETCH(int, type);
        QFETCH(QByteArray, stored);
        QFETCH(QString, expected);
        registry->setValue("Some\\Key", "Name", static_cast<std::uint32_t>(type),
                           std::string(stored.constData(), static_cast<std::size_t>(stored.size())));

        QString value = QStringLiteral("as passed");
        QVERIFY(box->GetKeyValue(0x80000002, QStringLiteral("Some\\Key"), QStringLiteral("Name"), value));
        QCOMPARE(value, expected);

        QCOMPARE(registry->opens.size(), 1u);
        QCOMPARE(registry->opens[0].root, 0x80000002u);
        QCOMPARE(registry->opens[0].access, 0x2003Fu);
        QCOMPARE(registry->queries.size(), 1u);
        QCOMPARE(registry->queries[0].bufferSize, 1024u);
        QCOMPARE(registry->closes.size(), 1u);
        expectKeysClosed();
    }

    void failsWithAnEmptyOutput_data() {
        QTest::addColumn<bool>("keyExists");
        QTest::addColumn<int>("valueSize");  // -1: no such value
        QTest::addColumn<int>("closes");

        QTest::newRow("no such key") << false << -1 << 0;
        QTest::newRow("no such value") << true << -1 << 1;
        QTest::newRow("value larger than the buffer") << true << 1025 << 1;
    }
    void failsWithAnEmptyOutput() {
        QFETCH(bool, keyExists);
        QFETCH(int, valueSize);
        QFETCH(int, closes);
        if (keyExists) {
            registry->keys[0x80000002]["Some\\Key"];
        }
        if (valueSize >= 0) {
            registry->setString("Some\\Key", "Name", std::string(static_cast<std::size_t>(valueSize), 'x'));
        }

        QString value = QStringLiteral("previous");
        QVERIFY(!box->GetKeyValue(0x80000002, QStringLiteral("Some\\Key"), QStringLiteral("Name"), value));
        QVERIFY(value.isEmpty());
        QCOMPARE(static_cast<int>(registry->closes.size()), closes);
        expectKeysClosed();
    }

    void passesNamesInTheCodePage() {
        registry->setString("\x83\x4C\x81\x5B", "\x92\x6C", bytes("v\0", 2));  // キー, 値
        QString value;
        QVERIFY(box->GetKeyValue(0x80000002, QStringLiteral("キー"), QStringLiteral("値"), value));
        QCOMPARE(value, QStringLiteral("v"));
    }

    // ---- StartSysInfo

    void startsTheToolOrSaysThereIsNone_data() {
        QTest::addColumn<QString>("pathValue");      // "-": no such value
        QTest::addColumn<QString>("locationValue");  // "-": no such value
        QTest::addColumn<QStringList>("existingFiles");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<QString>("started");  // "": nothing started
        QTest::addColumn<bool>("message");

        const QString tool = QStringLiteral("C:\\WINDOWS\\msinfo32.exe");
        const QString folder = QStringLiteral("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo");
        const QString inFolder = folder + QStringLiteral("\\MSINFO32.EXE");

        QTest::newRow("first key found") << tool << "-" << QStringList{} << true << tool << false;
        QTest::newRow("first key wins over the second")
            << tool << folder << QStringList{inFolder} << true << tool << false;
        QTest::newRow("first key, start fails") << tool << "-" << QStringList{} << false << tool << true;
        QTest::newRow("second key with MSINFO32.EXE")
            << "-" << folder << QStringList{inFolder} << true << inFolder << false;
        QTest::newRow("second key without MSINFO32.EXE") << "-" << folder << QStringList{} << true << "" << true;
        QTest::newRow("second key, start fails") << "-" << folder << QStringList{inFolder} << false << inFolder << true;
        QTest::newRow("neither key") << "-"
                                     << "-" << QStringList{} << true << "" << true;
    }
    void startsTheToolOrSaysThereIsNone() {
        QFETCH(QString, pathValue);
        QFETCH(QString, locationValue);
        QFETCH(QStringList, existingFiles);
        QFETCH(bool, starts);
        QFETCH(QString, started);
        QFETCH(bool, message);
        if (pathValue != QStringLiteral("-")) {
            registry->setString(kPathKey, "PATH", pathValue.toStdString() + '\0');
        }
        if (locationValue != QStringLiteral("-")) {
            registry->setString(kLocationKey, "MSINFO", locationValue.toStdString() + '\0');
        }
        files->files = existingFiles;
        launcher->starts = starts;

        box->StartSysInfo();

        if (started.isEmpty()) {
            QCOMPARE(launcher->calls.size(), 0);
        } else {
            QCOMPARE(launcher->calls.size(), 1);
            QCOMPARE(launcher->calls[0].commandLine, started);
            QCOMPARE(launcher->calls[0].windowStyle, 1);
        }
        if (message) {
            expectMessageOnly();
        } else {
            QCOMPARE(messages->calls.size(), 0u);
        }
        expectKeysClosed();
    }

    void firstKeysPathIsStartedWithoutLookingForIt() {
        registry->setString(kPathKey, "PATH", bytes("C:\\nowhere\\tool.exe\0", 20));
        box->StartSysInfo();
        QVERIFY(files->asked.isEmpty());
        QCOMPARE(launcher->calls.size(), 1);
    }

    void readsTheKeysInOrder() {
        box->StartSysInfo();
        QCOMPARE(registry->opens.size(), 2u);
        QCOMPARE(registry->opens[0].subKey, kPathKey);
        QCOMPARE(registry->opens[1].subKey, kLocationKey);
        QCOMPARE(registry->opens[0].root, 0x80000002u);
        QCOMPARE(registry->opens[1].root, 0x80000002u);

        registry->setString(kPathKey, "Other", bytes("x\0", 2));
        registry->setString(kLocationKey, "Other", bytes("x\0", 2));
        registry->queries.clear();
        box->StartSysInfo();
        QCOMPARE(registry->queries.size(), 2u);
        QCOMPARE(registry->queries[0].valueName, std::string("PATH"));
        QCOMPARE(registry->queries[1].valueName, std::string("MSINFO"));
    }

    void launcherThatThrowsLeadsToTheMessage() {
        registry->setString(kPathKey, "PATH", bytes("C:\\tool.exe\0", 12));
        launcher->throws = true;
        QTest::ignoreMessage(QtWarningMsg, "boxwright: starting the system-information tool failed: launcher broke");
        box->StartSysInfo();
        expectMessageOnly();
    }

    // With the real file check: only a plain file named MSINFO32.EXE counts.
    void secondKeyNeedsAPlainFile_data() {
        QTest::addColumn<QString>("entry");  // what lies at folder + "\MSINFO32.EXE"
        QTest::addColumn<bool>("startsTool");

        QTest::newRow("plain file") << "file" << true;
        QTest::newRow("folder of that name") << "folder" << false;
        QTest::newRow("nothing") << "none" << false;
    }
    void secondKeyNeedsAPlainFile() {
        QFETCH(QString, entry);
        QFETCH(bool, startsTool);
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        const QString folder = temp.filePath(QStringLiteral("MSInfo"));
        QVERIFY(QDir().mkpath(folder));
        // The exact path the box looks for, whatever the system makes of the backslash.
        const QString target = folder + QStringLiteral("\\MSINFO32.EXE");
        if (entry == QStringLiteral("file")) {
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else if (entry == QStringLiteral("folder")) {
            QVERIFY(QDir().mkpath(target));
        }
        registry->setString(kLocationKey, "MSINFO", folder.toStdString() + '\0');
        QtFileCheck realFiles;
        makeBox(realFiles);

        box->StartSysInfo();

        if (startsTool) {
            QCOMPARE(launcher->calls.size(), 1);
            QCOMPARE(launcher->calls[0].commandLine, target);
            QCOMPARE(messages->calls.size(), 0u);
        } else {
            QCOMPARE(launcher->calls.size(), 0);
            expectMessageOnly();
        }
    }
};

}  // namespace bw

QTEST_MAIN(bw::SysInfoTest)
#include "SysInfoTest.moc"
