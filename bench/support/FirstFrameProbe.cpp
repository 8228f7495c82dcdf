#include "FirstFrameProbe.h"

#include "support/ProcessInfo.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

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
    explicit FirstFrameWatch(QWidget* window) : QObject(window), window_(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // The backing store is flushed to the screen when this paint's
            // update round ends; report right after it.
            QTimer::singleShot(0, this, [this] {
                std::printf("first-frame-ms %.1f peak-rss-kb %ld\n", elapsedSinceStartMs(), peakResidentKb());
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
    bool seen_ = false;
};

}  // namespace

void exitAfterFirstFrameIfAsked(QWidget* window) {
    if (window == nullptr || qgetenv("BOXWRIGHT_EXIT_AFTER_FIRST_FRAME") != "1") {
        return;
    }
    new FirstFrameWatch(window);
}

}  // namespace bw
