// Opening a script with a large body into the main window: the time from the
// open to the window painted with the body in its box, then the time of one
// keystroke typed at the end of the body, and the peak memory. The script is
// written by a run of its own, so that the peak is the open's:
//
//   open_window_bench --write FILE UNITS [oneline]
//   open_window_bench FILE      (QT_QPA_PLATFORM defaults to offscreen)
//
// The body is the benchmarks' mixed text (one character in ten a quote or a
// line break), or one line without breaks. A body that makes the window ask
// before loading it is loaded (the question is answered Yes).
#include "BenchTexts.h"
#include "doubles/RecordingMessageBox.h"
#include "doubles/ScriptedFileDialog.h"
#include "editor/Form1.h"
#include "model/MessageBoxStyle.h"
#include "support/ProcessInfo.h"
#include "platform/SystemFileStore.h"
#include "codec/ScriptCodec.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTest>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const auto files = bw::makeSystemFileStore();
    if (argc >= 4 && std::string(argv[1]) == "--write") {
        const std::size_t units = std::strtoul(argv[3], nullptr, 10);
        bw::DialogDefinition def;
        def.body =
            argc > 4 && std::string(argv[4]) == "oneline" ? std::u16string(units, u'本') : bw::bench::mixedBody(units);
        const std::u16string path = QString::fromLocal8Bit(argv[2]).toStdU16String();
        return files->write(path, bw::encodeScript(bw::ScriptFormat::Vbs, def, bw::WindowState{})).ok ? 0 : 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: open_window_bench --write FILE UNITS [oneline] | open_window_bench FILE\n");
        return 2;
    }
    QApplication app(argc, argv);
    const std::u16string path = QString::fromLocal8Bit(argv[1]).toStdU16String();

    bw::test::ScriptedFileDialog dialog;
    bw::test::RecordingMessageBox messages;
    messages.answers = {bw::msgbox::ResultYes};
    bw::Form1 form(bw::Form1Services{dialog, messages, *files, u"", {}, {}, {}});
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        return 1;
    }
    const long before = bw::peakResidentKb();

    QElapsedTimer clock;
    clock.start();
    form.openPath(path);
    QCoreApplication::processEvents();
    form.repaint();
    const double openMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    const std::size_t opened = form.text(bw::TextBoxId::Text1).size();

    auto* body = form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    body->setFocus();
    body->moveCursor(QTextCursor::End);
    clock.restart();
    QTest::keyClick(body, Qt::Key_A);
    QCoreApplication::processEvents();
    form.repaint();
    const double keyMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;

    std::printf("body %zu units: open %.1f ms, keystroke %.1f ms, peak %.1f MB (%.1f MB before the open)%s\n", opened,
                openMs, keyMs, static_cast<double>(bw::peakResidentKb()) / 1024.0, static_cast<double>(before) / 1024.0,
                messages.calls.empty() ? "" : ", asked first");
    return 0;
}
