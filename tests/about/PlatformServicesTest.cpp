#include "platform/posix/PosixRegistry.h"
#include "platform/qt/DesktopBrowserWindowService.h"
#include "platform/qt/QtFileCheck.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <array>

namespace bw {

namespace {

const std::string kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

bool makeProgram(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write("#!/bin/sh\n");
    file.close();
    return file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace

// The registry stand-in, the file check and the default browser.
class PlatformServicesTest : public QObject {
    Q_OBJECT

    QList<QUrl> openedUrls;

public slots:
    void openUrl(const QUrl& url) { openedUrls.append(url); }

private slots:
    // ---- PosixRegistry

    void findsTheFirstProgramOnTheSearchPath() {
        QTemporaryDir temp;
        const QString first = temp.filePath(QStringLiteral("a"));
        const QString second = temp.filePath(QStringLiteral("b"));
        QVERIFY(QDir().mkpath(first) && QDir().mkpath(second));
        QVERIFY(makeProgram(second + QStringLiteral("/hardinfo")));
        QVERIFY(makeProgram(second + QStringLiteral("/kinfocenter")));
        QVERIFY(makeProgram(first + QStringLiteral("/kinfocenter")));
        // Not executable, and a folder: neither counts.
        QFile plain(first + QStringLiteral("/hardinfo2"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QVERIFY(QDir().mkpath(second + QStringLiteral("/hardinfo2")));

        const PosixRegistry registry({first.toStdString(), "relative/bin", second.toStdString()},
                                     PosixRegistry::defaultPrograms());
        // The programs' order comes first, then the folders'.
        QCOMPARE(QString::fromStdString(registry.sysInfoProgram()), second + QStringLiteral("/hardinfo"));
    }

    void passesOverPathsTheCommandLineWouldCut() {
        QTemporaryDir temp;
        const QString spaced = temp.filePath(QStringLiteral("with blank"));
        const QString plain = temp.filePath(QStringLiteral("plain"));
        QVERIFY(QDir().mkpath(spaced) && QDir().mkpath(plain));
        QVERIFY(makeProgram(spaced + QStringLiteral("/hardinfo")));
        QVERIFY(makeProgram(plain + QStringLiteral("/hardinfo")));
        const PosixRegistry registry({spaced.toStdString(), plain.toStdString()}, {"hardinfo"});
        QCOMPARE(QString::fromStdString(registry.sysInfoProgram()), plain + QStringLiteral("/hardinfo"));
    }

    void answersOnlyTheSysInfoPath() {
        QTemporaryDir temp;
        QVERIFY(makeProgram(temp.filePath(QStringLiteral("kinfocenter"))));
        PosixRegistry registry({temp.path().toStdString()}, PosixRegistry::defaultPrograms());

        Registry::Key key = 0;
        QCOMPARE(registry.openKey(registry::kLocalMachine, "software\\microsoft\\shared tools\\msinfo", 0x2003F, key),
                 registry::kSuccess);
        std::array<unsigned char, 1024> buffer{};
        std::uint32_t type = 0;
        std::uint32_t size = 1024;
        QCOMPARE(registry.queryValue(key, "Path", type, buffer.data(), size), registry::kSuccess);
        QCOMPARE(type, registry::kString);
        const std::string expected = temp.filePath(QStringLiteral("kinfocenter")).toStdString();
        QCOMPARE(size, static_cast<std::uint32_t>(expected.size() + 1));
        QCOMPARE(std::string(reinterpret_cast<const char*>(buffer.data()), size), expected + '\0');

        // Too small a buffer.
        std::uint32_t small = 4;
        QCOMPARE(registry.queryValue(key, "PATH", type, buffer.data(), small), registry::kMoreData);
        QCOMPARE(small, size);
        // Another value of the same key.
        size = 1024;
        QCOMPARE(registry.queryValue(key, "Other", type, buffer.data(), size), registry::kNotFound);
        QCOMPARE(registry.closeKey(key), registry::kSuccess);
        QCOMPARE(registry.closeKey(key), registry::kInvalidHandle);
        size = 1024;
        QCOMPARE(registry.queryValue(key, "PATH", type, buffer.data(), size), registry::kInvalidHandle);
    }

    void everyOtherKeyIsMissing_data() {
        QTest::addColumn<quint32>("root");
        QTest::addColumn<QString>("subKey");
        QTest::newRow("location key") << quint32(registry::kLocalMachine)
                                      << "SOFTWARE\\Microsoft\\Shared Tools Location";
        QTest::newRow("current user") << quint32(0x80000001) << "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
        QTest::newRow("a sub key") << quint32(registry::kLocalMachine)
                                   << "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO\\More";
        QTest::newRow("empty") << quint32(registry::kLocalMachine) << "";
    }
    void everyOtherKeyIsMissing() {
        QFETCH(quint32, root);
        QFETCH(QString, subKey);
        PosixRegistry registry;
        Registry::Key key = 7;
        QCOMPARE(registry.openKey(root, subKey.toStdString(), 0x2003F, key), registry::kNotFound);
        QCOMPARE(key, Registry::Key{0});
    }

    void noProgramNoValue() {
        QTemporaryDir temp;
        PosixRegistry registry({temp.path().toStdString()}, PosixRegistry::defaultPrograms());
        Registry::Key key = 0;
        QCOMPARE(registry.openKey(registry::kLocalMachine, kSysInfoKey, 0x2003F, key), registry::kSuccess);
        std::array<unsigned char, 1024> buffer{};
        std::uint32_t type = 0;
        std::uint32_t size = 1024;
        QCOMPARE(registry.queryValue(key, "PATH", type, buffer.data(), size), registry::kNotFound);
        QCOMPARE(registry.closeKey(key), registry::kSuccess);
    }

    void textsAreInCodePage932() {
        PosixRegistry registry;
        QCOMPARE(registry.encode(u"ツール"), std::string("\x83\x63\x81\x5B\x83\x8B"));
        QVERIFY(registry.decode("\x83\x63\x81\x5B\x83\x8B") == u"ツール");
    }

    // ---- QtFileCheck

    void fileCheckFindsOnlyAPlainFile_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("exists");
        QTest::newRow("plain file") << "file" << true;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("missing") << "none" << false;
        QTest::newRow("hidden file") << "hidden" << false;
        QTest::newRow("empty path") << "empty" << false;
    }
    void fileCheckFindsOnlyAPlainFile() {
        QFETCH(QString, entry);
        QFETCH(bool, exists);
        QTemporaryDir temp;
        QString path = temp.filePath(entry == QStringLiteral("hidden") ? QStringLiteral(".MSINFO32.EXE")
                                                                       : QStringLiteral("MSINFO32.EXE"));
        if (entry == QStringLiteral("file") || entry == QStringLiteral("hidden")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else if (entry == QStringLiteral("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else if (entry == QStringLiteral("empty")) {
            path.clear();
        }
        QCOMPARE(QtFileCheck().plainFileExists(path), exists);
    }

    // ---- DesktopBrowserWindow, with the browser replaced by this test

    void browserWindowOpensItsPageWhenShown() {
        openedUrls.clear();
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
        DesktopBrowserWindowService service;
        auto first = service.createWindow();
        auto second = service.createWindow();
        QVERIFY(first && second);
        QVERIFY(first->navigate(QStringLiteral("https://boxwright.example.org/")));
        QVERIFY(openedUrls.isEmpty());
        QVERIFY(first->setVisible(true));
        QVERIFY(second->navigate(QStringLiteral("https://boxwright.example.org/")));
        QVERIFY(second->setVisible(true));
        first.reset();
        QCOMPARE(openedUrls.size(), 2);
        QCOMPARE(openedUrls[0], QUrl(QStringLiteral("https://boxwright.example.org/")));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }

    void browserWindowRejectsABadAddress() {
        DesktopBrowserWindowService service;
        auto window = service.createWindow();
        QVERIFY(!window->navigate(QStringLiteral("not an address")));
        QVERIFY(!window->navigate(QString()));
    }
};

}  // namespace bw

QTEST_MAIN(bw::PlatformServicesTest)
#include "PlatformServicesTest.moc"
