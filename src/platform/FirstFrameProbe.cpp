#include "FirstFrameProbe.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <unistd.h>
#include <cstdio>
#include <ctime>
#include <utility>

namespace bw {

namespace {

double nowMs(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1.0e6;
}

// Milliseconds since this process started.
double elapsedSinceStartMs() {
    const QByteArray launch = qgetenv("BOXWRIGHT_LAUNCH_EPOCH_NS");
    bool ok = false;
    const qint64 launchNs = launch.toLongLong(&ok);
    if (ok) {
        return nowMs(CLOCK_REALTIME) - static_cast<double>(launchNs) / 1.0e6;
    }
    // Field 22 of /proc/self/stat: start time in clock ticks after boot.
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly)) {
        return -1.0;
    }
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    if (fields.size() < 20) {
        return -1.0;
    }
    const double startTicks = fields[19].toDouble();  // field 22, counted after "pid (comm)"
    const double ticksPerSecond = static_cast<double>(sysconf(_SC_CLK_TCK));
    return nowMs(CLOCK_BOOTTIME) - startTicks * 1000.0 / ticksPerSecond;
}

long peakResidentKb() {
    // Files under /proc have no size, so read them whole rather than by line.
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

// Clicks a button of the window and reports when the window that the click
// opens (a message box, a file dialog) has painted its first frame. The click
// returns only when a modal window closes; leaving the application's event
// loop closes every loop, the modal one included.
class ClickWatch : public QObject {
public:
    explicit ClickWatch(QWidget* window) : QObject(window), window_(window) {}

    void click(QAbstractButton* button) {
        QCoreApplication::instance()->installEventFilter(this);
        clock_.start();
        button->click();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_ && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() != window_) {
            seen_ = true;
            QTimer::singleShot(0, this, [this] {
                std::printf("after-click-ms %.1f shown-ms %.1f peak-rss-kb %ld\n",
                            static_cast<double>(clock_.nsecsElapsed()) / 1.0e6, elapsedSinceStartMs(),
                            peakResidentKb());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* window_;
    QElapsedTimer clock_;
    bool seen_ = false;
};

class FirstFrameWatch : public QObject {
public:
    FirstFrameWatch(QWidget* window, std::function<QStringList()> report)
        : QObject(window), window_(window), report_(std::move(report)) {
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
                clickIfAsked();
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void clickIfAsked() {
        const QString name = qEnvironmentVariable("BOXWRIGHT_CLICK_AFTER_FIRST_FRAME");
        if (name.isEmpty()) {
            return;
        }
        if (auto* button = window_->findChild<QAbstractButton*>(name)) {
            (new ClickWatch(window_))->click(button);
        } else {
            std::printf("no-button %s\n", qPrintable(name));
            std::fflush(stdout);
        }
    }

    QWidget* window_;
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
