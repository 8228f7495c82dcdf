// Shows the About box alone, with services that do nothing, until it is closed:
// for a look at it, and for its screenshot (docs/about.png). The services are
// the About tests' doubles. An optional argument names the picture to use as
// the program's icon.
#include "about/AboutWindowHost.h"
#include "about/FakeFileCheck.h"
#include "about/FakeRegistry.h"
#include "about/RecordingBrowser.h"
#include "about/RecordingLauncher.h"
#include "about/frmAbout.h"
#include "doubles/RecordingMessageBox.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc > 1) {
        QApplication::setWindowIcon(QIcon(QString::fromLocal8Bit(argv[1])));
    }
    bw::test::RecordingMessageBox messages;
    bw::test::RecordingLauncher launcher;
    bw::test::RecordingBrowser browser;
    bw::test::FakeRegistry registry;
    bw::test::FakeFileCheck files;
    bw::AboutWindowHost host(bw::AboutServices{messages, launcher, browser, registry, files});
    host.show();
    QObject::connect(host.window(), &QObject::destroyed, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
