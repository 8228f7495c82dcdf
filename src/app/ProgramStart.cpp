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

#include <vector>

namespace bw {

int runProgram(int argc, char* argv[], const ProgramShown& shown) {
    // The whole command line is read before any QApplication exists, so the
    // modes without a window, and mistakes in the arguments, need no display.
    const CommandLine commandLine = parseCommandLine(programArguments(argc, argv));
    if (!commandLine.ok() || commandLine.mode != CommandLine::Mode::Window) {
        return runConsoleCommand(commandLine);
    }
    // Qt gets its own options only: a file name (after "--" too) is never
    // taken for one of them.
    std::vector<char*> qtArgv;
    if (argc > 0) {
        qtArgv.push_back(argv[0]);
        for (const int at : commandLine.qtArguments) {
            qtArgv.push_back(argv[at]);
        }
    }
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(qtArgv.size()) - 1;
    StartupWorker worker;
    // The menus stay in the window, where its fixed layout has room for them,
    // even on desktops that gather menus into a bar of their own; asking the
    // desktop for that bar is also a D-Bus round trip at start.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(qtArgc, qtArgv.data());
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
