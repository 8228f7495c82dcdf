// Code-window update benchmark: the time from an edit in the body to the code
// window showing it, painted, for bodies of growing size.
//
// Each edit types one character at the end of the body (out of sight in the
// view), and for small bodies also at its start (in sight). Below the window's
// large-text mark, the time runs from the keystroke through the event loop
// (where the window rebuilds its tab) to a synchronous repaint of the view;
// the budget is one frame, 16 ms. Above the mark, a keystroke only restarts
// the window's pause timer: its own time is printed, then, once the pause has
// passed, the longest single pass of the event loop (what typing would wait
// for, while the writer runs on a worker) and the time until the view is
// painted.
//
//   code_window_bench [EDITS [LARGEST_BODY_UNITS]]   (QT_QPA_PLATFORM defaults to offscreen)
#include "BenchTexts.h"
#include "doubles/RecordingMessageBox.h"
#include "doubles/ScriptedFileDialog.h"
#include "editor/CodeView.h"
#include "editor/CodeWindow.h"
#include "editor/Form1.h"
#include "model/EditorRules.h"
#include "platform/SystemFileStore.h"
#include "codec/ScriptWriter.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Stats {
    double median;
    double p95;
    double max;
};

Stats stats(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 95 / 100)], ms.back()};
}

double msSince(const QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

// Types one character at the end of the body, or at its start.
void typeOne(QPlainTextEdit* body, bool atStart = false) {
    QTextCursor cursor(body->document());
    cursor.movePosition(atStart ? QTextCursor::Start : QTextCursor::End);
    cursor.insertText(QStringLiteral("x"));
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int edits = argc > 1 ? std::atoi(argv[1]) : 60;
    const std::size_t largest = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : std::size_t{16} << 20;

    bw::test::ScriptedFileDialog dialog;
    bw::test::RecordingMessageBox messages;
    const auto files = bw::makeSystemFileStore();
    bw::Form1 form(bw::Form1Services{dialog, messages, *files, u"", {}, {}, {}});
    form.show();
    form.findChild<QAction*>(QStringLiteral("コードを表示"))->trigger();
    auto* window = form.findChild<bw::CodeWindow*>();
    auto* body = form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    bw::CodeView* view = window->currentView();
    QApplication::processEvents();

    std::printf("code window update, %d edits each, platform %s\n", edits, qPrintable(QApplication::platformName()));
    std::printf("%-12s %-28s %9s %9s %9s\n", "body units", "measure", "median ms", "p95 ms", "max ms");
    auto print = [](std::size_t units, const char* what, const Stats& s) {
        std::printf("%-12zu %-28s %9.2f %9.2f %9.2f\n", units, what, s.median, s.p95, s.max);
    };

    for (const std::size_t units : {std::size_t{64} << 10, std::size_t{1} << 20, std::size_t{16} << 20}) {
        if (units > largest) {
            break;
        }
        form.setText(bw::TextBoxId::Text1, bw::bench::mixedBody(units));
        QThread::msleep(bw::CodeWindow::kPauseMs + 50);
        QApplication::processEvents();
        const bool large = view->lines().at(0).size() > static_cast<std::size_t>(bw::CodeWindow::kLargeText);

        // The text box's own cost, with the window closed: the yardstick.
        window->hide();
        std::vector<double> alone;
        for (int i = 0; i < edits; ++i) {
            QElapsedTimer t;
            t.start();
            typeOne(body);
            QApplication::processEvents();
            alone.push_back(msSince(t));
        }
        print(units, "keystroke, window closed", stats(alone));
        window->show();
        QApplication::processEvents();

        // The parts of one update, each alone.
        std::vector<double> read, write, show;
        for (int i = 0; i < std::max(3, edits / 10); ++i) {
            QElapsedTimer t;
            t.start();
            const bw::DialogDefinition def = bw::readDefinition(form);
            read.push_back(msSince(t));
            t.restart();
            auto lines = bw::vbsLines(def, form.state());
            write.push_back(msSince(t));
            lines[0] += u'!';
            t.restart();
            view->setLines(std::move(lines));
            view->viewport()->repaint();
            show.push_back(msSince(t));
        }
        print(units, "read the controls", stats(read));
        print(units, "write the lines", stats(write));
        print(units, "lay out and paint", stats(show));

        std::vector<double> keystroke, update, stall;
        for (int i = 0; i < edits; ++i) {
            const std::size_t before = view->lines().at(0).size();
            QElapsedTimer t;
            t.start();
            typeOne(body);
            QApplication::processEvents();
            if (!large) {
                view->viewport()->repaint();
                update.push_back(msSince(t));
                continue;
            }
            keystroke.push_back(msSince(t));
            if (i % 10 != 9) {
                continue;
            }
            // After the pause: the longest pass of the event loop until the
            // view shows the edits, and the time until then.
            QThread::msleep(bw::CodeWindow::kPauseMs + 20);
            t.restart();
            double longest = 0;
            while (view->lines().at(0).size() == before) {
                QElapsedTimer pass;
                pass.start();
                QApplication::processEvents();
                longest = std::max(longest, msSince(pass));
                QThread::usleep(100);
            }
            view->viewport()->repaint();
            update.push_back(msSince(t));
            stall.push_back(longest);
        }
        if (large) {
            print(units, "keystroke (update waits)", stats(keystroke));
            print(units, "longest stall of the loop", stats(stall));
            print(units, "pause to painted update", stats(update));
        } else {
            print(units, "edit at the end to painted", stats(update));
            // At the start, the change is in sight and its rows are painted again.
            std::vector<double> atStart;
            for (int i = 0; i < edits; ++i) {
                QElapsedTimer t;
                t.start();
                typeOne(body, true);
                QApplication::processEvents();
                view->viewport()->repaint();
                atStart.push_back(msSince(t));
            }
            print(units, "edit at the start to painted", stats(atStart));
        }
        // The view follows: its first line ends as the body does.
        const std::u16string& first = view->lines().at(0);
        if (first.find(u"xxx\", 0 + 16") == std::u16string::npos) {
            std::fprintf(stderr, "the code window did not follow the edits\n");
            return 1;
        }
    }
    std::printf("budget: an edit in a 64 Ki-unit body painted within 16 ms\n");
    return 0;
}
