#include "FirstFrameProbe.h"

#include "platform/ProcessInfo.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <utility>

namespace bw {

namespace {

// Milliseconds since this process started: from the launcher's clock when it
// gave it, else from the system's record of the start.
double elapsedSinceStartMs() {
    bool ok = false;
    const qint64 launchNs = qgetenv("BOXWRIGHT_LAUNCH_EPOCH_NS").toLongLong(&ok);
    if (ok) {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        return std::chrono::duration<double, std::milli>(now).count() - static_cast<double>(launchNs) / 1.0e6;
    }
    return millisecondsSinceProcessStart();
}

class FirstFrameWatch : public QObject {
public:
    FirstFrameWatch(QWidget* window, std::function<QStringList()> report)
        : QObject(window), report_(std::move(report)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // The backing store is flushed to the screen when this paint's
            // update round ends; report right after it.
            QTimer::singleShot(0, this, [this] {
                std::printf("first-frame-ms %.1f peak-rss-kb %ld\n", elapsedSinceStartMs(), peakResidentKb());
                for (const QString& line : report_ ? report_() : QStringList()) {
                    std::printf("%s\n", qPrintable(line));
                }
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<QStringList()> report_;
    bool seen_ = false;
};

}  // namespace

void exitAfterFirstFrameIfAsked(QWidget* window, std::function<QStringList()> report) {
    if (window == nullptr || qgetenv("BOXWRIGHT_EXIT_AFTER_FIRST_FRAME") != "1") {
        return;
    }
    new FirstFrameWatch(window, std::move(report));
}

}  // namespace bw
