#include "BuildSettings.h"
#include "about/AboutWindowHost.h"
#include "app/CommandLine.h"
#include "app/ConsoleCommands.h"
#include "editor/Form1.h"
#include "platform/SystemTextFileStore.h"
#include "platform/qt/FirstFrameProbe.h"
#include "platform/qt/InterfaceFont.h"
#include "platform/qt/ProgramData.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtProgramLauncher.h"
#include "platform/qt/QtTranslations.h"
#include "platform/qt/StartupWorker.h"
#include "platform/qt/TextConversion.h"
#include "sharing/SendWindowHost.h"
#include "sharing/UploadWindowHost.h"
#include "sharing/WebViewModuleLoader.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QTimer>

#include <cstdio>

namespace {

// What the start found, reported by the first-frame probe when asked.
QStringList startReport(const QString& samples, const QString& interfaceFont) {
    QString why;
    const QString module = bw::findWebViewModule(&why);
    return {QStringLiteral("samples ") + samples,
            QStringLiteral("web-view-module ") + (module.isEmpty() ? QStringLiteral("none: ") + why : module),
            QStringLiteral("interface-font ") + (interfaceFont.isEmpty() ? QStringLiteral("none") : interfaceFont)};
}

}  // namespace

int main(int argc, char* argv[]) {
    // The modes without a window run before any QApplication, so they need no display.
    QStringList raw;
    for (int i = 0; i < argc; ++i) {
        raw << QString::fromLocal8Bit(argv[i]);
    }
    if (bw::asksForNoWindow(raw)) {
        return bw::runConsoleCommand(bw::parseCommandLine(raw));
    }
    bw::StartupWorker worker;
    // The menus stay in the window, where its fixed layout has room for them,
    // even on desktops that gather menus into a bar of their own; asking the
    // desktop for that bar is also a D-Bus round trip at start.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    // The window reads its arguments after Qt has taken its own options.
    QApplication app(argc, argv);
    const bw::CommandLine commandLine = bw::parseCommandLine(QCoreApplication::arguments());
    if (!commandLine.ok()) {
        std::fprintf(stderr, "boxwright: %s\n%s\n", qPrintable(commandLine.error), qPrintable(bw::commandLineUsage()));
        return 2;
    }
    worker.applicationReady();
    QApplication::setApplicationName(QStringLiteral("Boxwright"));
    // The windows are laid out for a 9-point interface font.
    QFont font = QApplication::font();
    font.setPointSize(9);
    QApplication::setFont(font);
    bw::installJapaneseQtTexts(app);

    // Waits for the font configuration, which must be read before any text is laid out.
    const QString japaneseFont = QString::fromStdString(worker.japaneseFontFamily());
    const QString fontFile = bw::interfaceFontFile();
    const bool interfaceFont =
        bw::useInterfaceFont(fontFile, QString::fromUtf8(bw::build::kInterfaceFontSource), japaneseFont);
    const QString samples = bw::programDataPath(QStringLiteral("samples"));
    bw::QtFileDialog fileDialog(nullptr);
    bw::QtMessageBox messages(nullptr);
    const auto files = bw::makeSystemTextFileStore();
    bw::QtProgramLauncher launcher;
    bw::UploadWindowHost upload;
    bw::SendWindowHost send(launcher, nullptr);
    bw::AboutWindowHost about(messages, launcher);

    bw::Form1 window(bw::Form1Services{fileDialog, messages, *files, bw::toU16(samples), [&upload] { upload.show(); },
                                       [&about] { about.show(); },
                                       [&send](const std::u16string& body) { send.show(body); }});
    worker.finish();
    // Set once the worker has loaded the image plugins, before the window is shown.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/boxwright.png")));
    fileDialog.setParentWidget(&window);
    messages.setParentWidget(&window);
    QObject::connect(&window, &bw::Form1::programEnding, &app, [] { QCoreApplication::exit(0); });
    window.show();
    // Opened from the event loop, over the shown window, like the open command.
    if (!commandLine.file.isEmpty()) {
        QTimer::singleShot(0, &window, [&window, &commandLine] { window.openPath(bw::toU16(commandLine.file)); });
    }
    bw::exitAfterFirstFrameIfAsked(&window, [&samples, interfaceFont, &fontFile] {
        return startReport(samples, interfaceFont ? fontFile : QString());
    });
    return QApplication::exec();
}
