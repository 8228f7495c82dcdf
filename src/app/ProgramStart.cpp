#include "ProgramStart.h"

#include "BuildSettings.h"
#include "CommandLine.h"
#include "ConsoleCommands.h"
#include "StartupWorker.h"
#include "about/AboutWindowHost.h"
#include "editor/Form1.h"
#include "platform/SystemFileStore.h"
#include "platform/qt/InterfaceFont.h"
#include "platform/qt/ProgramData.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtProgramLauncher.h"
#include "platform/qt/QtTranslations.h"
#include "platform/qt/TextConversion.h"
#include "sharing/SendWindowHost.h"
#include "sharing/UploadWindowHost.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QTimer>

#include <cstdio>

namespace bw {

int runProgram(int argc, char* argv[], const ProgramShown& shown) {
    // The modes without a window run before any QApplication, so they need no display.
    QStringList raw;
    for (int i = 0; i < argc; ++i) {
        raw << QString::fromLocal8Bit(argv[i]);
    }
    if (asksForNoWindow(raw)) {
        return runConsoleCommand(parseCommandLine(raw));
    }
    StartupWorker worker;
    // The menus stay in the window, where its fixed layout has room for them,
    // even on desktops that gather menus into a bar of their own; asking the
    // desktop for that bar is also a D-Bus round trip at start.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    // The window reads its arguments after Qt has taken its own options.
    QApplication app(argc, argv);
    const CommandLine commandLine = parseCommandLine(QCoreApplication::arguments());
    if (!commandLine.ok()) {
        std::fprintf(stderr, "boxwright: %s\n%s\n", qPrintable(commandLine.error), qPrintable(commandLineUsage()));
        return 2;
    }
    worker.applicationReady();
    QApplication::setApplicationName(QStringLiteral("Boxwright"));
    // The windows are laid out for a 9-point interface font.
    QFont font = QApplication::font();
    font.setPointSize(9);
    QApplication::setFont(font);
    installJapaneseQtTexts(app);

    // Waits for the font configuration, which must be read before any text is laid out.
    const QString japaneseFont = QString::fromStdString(worker.japaneseFontFamily());
    const QString fontFile = interfaceFontFile();
    const bool interfaceFont = useInterfaceFont(fontFile, QString::fromUtf8(build::kInterfaceFontSource), japaneseFont);
    const QString samples = programDataPath(QStringLiteral("samples"));
    QtFileDialog fileDialog(nullptr);
    QtMessageBox messages(nullptr);
    const auto files = makeSystemFileStore();
    QtProgramLauncher launcher;
    UploadWindowHost upload;
    SendWindowHost send(launcher, nullptr);
    AboutWindowHost about(messages, launcher);

    Form1 window(Form1Services{fileDialog, messages, *files, toU16(samples), [&upload] { upload.show(); },
                               [&about] { about.show(); }, [&send](const std::u16string& body) { send.show(body); }});
    worker.finish();
    // Set once the worker has loaded the image plugins, before the window is shown.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/boxwright.png")));
    fileDialog.setParentWidget(&window);
    messages.setParentWidget(&window);
    QObject::connect(&window, &Form1::programEnding, &app, [] { QCoreApplication::exit(0); });
    window.show();
    // Opened from the event loop, over the shown window, like the open command.
    if (!commandLine.file.isEmpty()) {
        QTimer::singleShot(0, &window, [&window, &commandLine] { window.openPath(toU16(commandLine.file)); });
    }
    if (shown) {
        shown(window, ProgramFindings{samples, interfaceFont ? fontFile : QString()});
    }
    return QApplication::exec();
}

}  // namespace bw
