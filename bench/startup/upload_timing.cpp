// Times the Upload command the way the user meets it: a program whose main
// window is already on screen opens the upload window for the first time,
// which loads the web-view module and the engine, starts the engine's
// processes and loads the page from a loopback server. Prints one line:
//     upload-request-ms <Upload to the server seeing the request>
//     upload-loaded-ms <Upload to the page finished loading>
//     upload-shown-ms <Upload to the first frame painted after loading>
#include "platform/WebView.h"
#include "sharing/Form2.h"
#include "sharing/UploadWindowHost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

constexpr char kPage[] =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>upload</title></head>"
    "<body><h1>ZMRソース、VBSファイルアップ</h1><form method=\"post\" enctype=\"multipart/form-data\">"
    "<input type=\"file\" name=\"file\"><input type=\"submit\" value=\"送信\"></form></body></html>";

}  // namespace

// Follows the view through its load and its next painted frame. The view's
// class lives in the module, so its loadFinished signal is joined by name.
class LoadWatch : public QObject {
    Q_OBJECT

public:
    QElapsedTimer clock;
    qint64 requestMs = -1;
    qint64 loadedMs = -1;

    void follow(QWidget* view) {
        view_ = view;
        connect(view, SIGNAL(loadFinished(bool)), this, SLOT(loaded(bool)));
    }

public slots:
    void loaded(bool ok) {
        if (loadedMs >= 0) {
            return;
        }
        loadedMs = clock.elapsed();
        if (!ok) {
            std::fprintf(stderr, "the page did not load\n");
        }
        // The page is on screen with the next frame painted in the view.
        view_->installEventFilter(this);
        for (QWidget* child : view_->findChildren<QWidget*>()) {
            child->installEventFilter(this);
        }
        view_->update();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!reported_ && loadedMs >= 0 && (event->type() == QEvent::Paint || event->type() == QEvent::UpdateRequest)) {
            reported_ = true;
            QTimer::singleShot(0, this, [this] {
                std::printf("upload-request-ms %lld upload-loaded-ms %lld upload-shown-ms %lld\n",
                            static_cast<long long>(requestMs), static_cast<long long>(loadedMs),
                            static_cast<long long>(clock.elapsed()));
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* view_ = nullptr;
    bool reported_ = false;
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    LoadWatch watch;

    QTcpServer server;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [&watch, socket] {
                if (watch.requestMs < 0) {
                    watch.requestMs = watch.clock.elapsed();
                }
                socket->readAll();
                const QByteArray body(kPage);
                socket->write(
                    "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\n"
                    "Content-Length: " +
                    QByteArray::number(body.size()) + "\r\n\r\n" + body);
                socket->disconnectFromHost();
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    if (!server.listen(QHostAddress::LocalHost)) {
        std::fprintf(stderr, "cannot listen on the loopback address\n");
        return 1;
    }

    bw::UploadServices services = bw::UploadServices::defaults();
    services.address = QStringLiteral("http://127.0.0.1:%1/upload").arg(server.serverPort());
    bw::UploadWindowHost host(services);

    QWidget mainWindow;
    mainWindow.resize(342, 468);
    mainWindow.show();

    // Choose Upload once the main window has settled.
    QTimer::singleShot(300, &watch, [&] {
        watch.clock.start();
        host.show();
        if (host.window() == nullptr) {
            std::fprintf(stderr, "no embedded browser in this build\n");
            QCoreApplication::exit(1);
            return;
        }
        watch.follow(host.window()->browser()->widget());
    });
    QTimer::singleShot(60000, &watch, [] {
        std::fprintf(stderr, "timed out\n");
        QCoreApplication::exit(2);
    });
    return QApplication::exec();
}

#include "upload_timing.moc"
