#include "FirstFrameProbe.h"

#include <QCoreApplication>
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
