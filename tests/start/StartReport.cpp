// The program's start, watched, for the tests that start the program: it
// starts as the program does (runProgram, the start the program's main()
// runs), and once the main window has painted its first frame it prints what
// the start found, and leaves with exit code 0:
//     samples <folder>
//     web-view-module <file>  |  web-view-module none: <why>
//     interface-font <file>   |  interface-font none
// Placed beside a program (the package test puts it beside the installed
// one), it looks for what comes with the program in the same places.
#include "app/ProgramStart.h"
#include "sharing/WebViewModuleLoader.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <utility>

namespace {

class ReportAfterFirstFrame : public QObject {
public:
    ReportAfterFirstFrame(QWidget& window, bw::ProgramFindings found) : QObject(&window), found_(std::move(found)) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, this, [this] { report(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void report() const {
        QString why;
        const QString module = bw::findWebViewModule(&why);
        std::printf("samples %s\n", qPrintable(found_.samples));
        std::printf("web-view-module %s\n", qPrintable(module.isEmpty() ? QStringLiteral("none: ") + why : module));
        std::printf("interface-font %s\n",
                    qPrintable(found_.interfaceFont.isEmpty() ? QStringLiteral("none") : found_.interfaceFont));
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    bw::ProgramFindings found_;
    bool seen_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    return bw::runProgram(argc, argv, [](QWidget& window, const bw::ProgramFindings& found) {
        new ReportAfterFirstFrame(window, found);
    });
}
