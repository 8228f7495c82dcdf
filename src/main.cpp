#include "editor/Form1.h"
#include "platform/QtFileDialog.h"
#include "platform/QtMessageBox.h"
#include "platform/SystemTextFileStore.h"
#include "platform/TextConversion.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QIcon>

namespace {

// The sample scripts lie next to the executable in the build tree, and under
// share/boxwright once installed.
QString sampleFolder() {
    const QDir exe(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {QStringLiteral("samples"), QStringLiteral("../share/boxwright/samples")}) {
        if (exe.exists(candidate)) {
            return QDir::cleanPath(exe.absoluteFilePath(candidate));
        }
    }
    return {};
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Boxwright"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/boxwright.png")));
    // The windows are laid out for a 9-point interface font.
    QFont font = QApplication::font();
    font.setPointSize(9);
    QApplication::setFont(font);

    bw::QtFileDialog fileDialog(nullptr);
    bw::QtMessageBox messages(nullptr);
    const auto files = bw::makeSystemTextFileStore();

    bw::Form1 window(bw::Form1Services{fileDialog, messages, *files, bw::toU16(sampleFolder()), {}, {}, {}});
    fileDialog.setParentWidget(&window);
    messages.setParentWidget(&window);
    QObject::connect(&window, &bw::Form1::programEnding, &app, [] { QCoreApplication::exit(0); });
    window.show();
    return QApplication::exec();
}
