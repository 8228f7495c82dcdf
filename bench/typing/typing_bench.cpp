// The time of one keystroke in each text box of the main window while the
// body holds 1 Mi characters on one line, for each way the body can get
// there: pasted, typed (the last keys of a line that outgrows what a box lays
// out quickly) and opened. A keystroke is timed from the key press until the
// window has handled everything it queued (the modified mark, the length in
// the status bar, the code window when it is open). Prints p50 and p95 in
// milliseconds; the target is 50 ms at p95.
//
//   bench_typing [KEYS]      (QT_QPA_PLATFORM defaults to offscreen)
#include "codec/ScriptCodec.h"
#include "doubles/RecordingMessageBox.h"
#include "doubles/ScriptedFileDialog.h"
#include "editor/Form1.h"
#include "model/LargeText.h"
#include "model/MessageBoxStyle.h"
#include "platform/SystemFileStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr std::size_t kBodyUnits = std::size_t{1} << 20;

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

// The body made large the given way; false when it could not be done.
bool fillBody(bw::Form1& form, const QString& how, const QString& folder, bw::test::RecordingMessageBox& messages) {
    auto* body = form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    const QString line(static_cast<qsizetype>(kBodyUnits), QLatin1Char('x'));
    if (how == QLatin1String("paste")) {
        QApplication::clipboard()->setText(line);
        body->setFocus();
        body->paste();
    } else if (how == QLatin1String("typing")) {
        body->setPlainText(line.left(static_cast<qsizetype>(bw::kLongestLaidOutLine) - 8));
        body->setFocus();
        body->moveCursor(QTextCursor::End);
        QTest::keyClicks(body, QStringLiteral("0123456789"));
    } else {
        const QString path = folder + QStringLiteral("/big.vbs");
        bw::DialogDefinition def;
        def.body = line.toStdU16String();
        const auto files = bw::makeSystemFileStore();
        if (!files->write(path.toStdU16String(), bw::encodeScript(bw::ScriptFormat::Vbs, def, bw::WindowState{})).ok) {
            return false;
        }
        // No to saving the work first, Yes to loading so large a body.
        messages.answers = {bw::msgbox::ResultNo, bw::msgbox::ResultYes};
        form.openPath(path.toStdU16String());
    }
    QCoreApplication::processEvents();
    return body->isReadOnly();
}

// The time of each of `keys` keystrokes typed into `box`, in milliseconds.
std::vector<double> timeKeys(QWidget* box, int keys) {
    std::vector<double> times;
    for (int i = 0; i < keys; ++i) {
        QElapsedTimer clock;
        clock.start();
        QTest::keyClick(box, static_cast<char>('a' + i % 26));
        QCoreApplication::processEvents();
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    return times;
}

// A main window of its own, shown, with the stand-ins it asks.
struct BenchWindow {
    bw::test::ScriptedFileDialog dialog;
    bw::test::RecordingMessageBox messages;
    bw::Form1 form;

    explicit BenchWindow(bw::FileStore& files) : form(bw::Form1Services{dialog, messages, files, u"", {}, {}, {}}) {
        form.show();
    }
    bool exposed() { return QTest::qWaitForWindowExposed(&form); }
};

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int keys = argc > 1 ? std::atoi(argv[1]) : 100;
    QTemporaryDir folder;
    const auto files = bw::makeSystemFileStore();
    std::printf("%-8s %-6s %-14s %8s %8s\n", "body", "code", "box", "p50 ms", "p95 ms");
    for (const QString& how : {QStringLiteral("paste"), QStringLiteral("typing"), QStringLiteral("open")}) {
        for (const bool codeWindow : {false, true}) {
            BenchWindow window(*files);
            if (!window.exposed()) {
                return 1;
            }
            bw::Form1& form = window.form;
            form.findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(true);
            if (!fillBody(form, how, folder.path(), window.messages)) {
                std::fprintf(stderr, "%s: the body was not protected\n", qPrintable(how));
                return 1;
            }
            if (codeWindow) {
                QTest::keyClick(&form, Qt::Key_F7);
                QCoreApplication::processEvents();
            }
            for (const char* name : {"Text2", "Text1", "Text4"}) {
                QWidget* box = form.findChild<QWidget*>(QString::fromLatin1(name));
                box->activateWindow();
                box->setFocus();
                const std::vector<double> times = timeKeys(box, keys);
                if (std::string(name) != "Text1" &&
                    form.text(std::string(name) == "Text2" ? bw::TextBoxId::Text2 : bw::TextBoxId::Text4).size() <
                        static_cast<std::size_t>(keys)) {
                    std::fprintf(stderr, "%s: the keys did not reach the box\n", name);
                    return 1;
                }
                std::printf("%-8s %-6s %-14s %8.2f %8.2f\n", qPrintable(how), codeWindow ? "open" : "closed", name,
                            percentile(times, 0.5), percentile(times, 0.95));
            }
        }
    }

    // The longest line a box still lays out, typed at its end: the limit
    // kLongestLaidOutLine sets for every box.
    for (const std::size_t units : {std::size_t{4096}, std::size_t{8192}, bw::kLongestLaidOutLine - 64}) {
        BenchWindow window(*files);
        if (!window.exposed()) {
            return 1;
        }
        auto* body = window.form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
        body->setPlainText(QString(static_cast<qsizetype>(units), QLatin1Char('x')));
        body->setFocus();
        body->moveCursor(QTextCursor::End);
        const std::vector<double> times = timeKeys(body, std::min(keys, 60));
        std::printf("%-8zu %-6s %-14s %8.2f %8.2f\n", units, "closed", "Text1", percentile(times, 0.5),
                    percentile(times, 0.95));
    }
    return 0;
}
