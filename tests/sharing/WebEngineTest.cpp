#include "MappedLibraries.h"
#include "platform/WebView.h"
#include "sharing/Form2.h"
#include "sharing/UploadWindowHost.h"
#include "sharing/WebViewModuleLoader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>
#include <vector>

using bw::test::mappedFiles;
using bw::test::webEngineFiles;

namespace {

// A one-page HTTP server on the loopback address, for this test only.
class LoopbackServer : public QObject {
public:
    QStringList requestLines;

    bool listen() {
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        return server_.listen(QHostAddress::LocalHost);
    }
    QString address(const char* path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(QLatin1String(path));
    }

private:
    void serve(QTcpSocket* socket) {
        QByteArray& request = pending_[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n")) {
            return;
        }
        requestLines << QString::fromLatin1(request.left(request.indexOf("\r\n")));
        const bool page = request.startsWith("GET /upload.html ");
        const QByteArray body = page ? QByteArray(
                                           "<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
                                           "<title>Boxwright upload test</title></head>"
                                           "<body><form><input type=\"file\" name=\"f\"></form></body></html>")
                                     : QByteArray("not here");
        const QByteArray head = QByteArray(page ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") +
                                "Content-Type: text/html; charset=utf-8\r\nConnection: close\r\nContent-Length: " +
                                QByteArray::number(body.size()) + "\r\n\r\n";
        socket->write(head + body);
        socket->disconnectFromHost();
        pending_.remove(socket);
    }

    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> pending_;
};

// A view of the real module that listens to its page from the start: the spy
// on loadFinished is made as the window creates the view, before the window
// sends it to its address, so that no load can end unheard however soon it
// ends. Also counts what the window asks of each view.
class ListenedView : public bw::WebView {
public:
    explicit ListenedView(bw::WebView* view) : loads(view->widget(), SIGNAL(loadFinished(bool))), view_(view) {}

    QSignalSpy loads;
    int navigations = 0;

    QWidget* widget() override { return view_->widget(); }
    void navigate(const QString& address) override {
        ++navigations;
        view_->navigate(address);
    }
    int heightTwips() const override { return view_->heightTwips(); }
    int widthTwips() const override { return view_->widthTwips(); }
    bool setHeightTwips(int twips) override { return view_->setHeightTwips(twips); }
    bool setWidthTwips(int twips) override { return view_->setWidthTwips(twips); }

private:
    bw::WebView* view_;  // owned by its window, like any view
};

class ListeningModule : public bw::WebViewModule {
public:
    bw::WebViewModule* real = nullptr;
    // Every view made, in order; kept after their windows have gone.
    std::vector<std::unique_ptr<ListenedView>> views;

    bw::WebView* createView(QWidget* parent) override {
        views.push_back(std::make_unique<ListenedView>(real->createView(parent)));
        return views.back().get();
    }
};

}  // namespace

// The real web engine, offscreen, loading a page from a server the test runs.
class WebEngineTest : public QObject {
    Q_OBJECT

private slots:
    void uploadWindowLoadsThePageFromTheServer() {
        QVERIFY2(webEngineFiles(mappedFiles()).isEmpty(), "the engine was loaded before the window opened");

        LoopbackServer server;
        QVERIFY(server.listen());
        const QString pageRequest = QStringLiteral("GET /upload.html HTTP/1.1");

        ListeningModule module;
        bw::UploadServices services;
        services.address = server.address("/upload.html");
        services.loadModule = [&module](QString* why) -> bw::WebViewModule* {
            module.real = bw::loadWebViewModule(why, {QStringLiteral(BW_MODULE_DIR)});
            return module.real != nullptr ? &module : nullptr;
        };
        services.openInBrowser = [](const QString&) {
            qWarning("the default browser was asked instead of the embedded one");
            return false;
        };
        bw::UploadWindowHost host(services);

        QElapsedTimer clock;
        clock.start();
        host.show();
        bw::Form2* window = host.window();
        QVERIFY2(window != nullptr, "the web-view module did not load");
        QCOMPARE(module.views.size(), 1u);
        QCOMPARE(module.views[0]->navigations, 1);
        QSignalSpy& finished = module.views[0]->loads;
        QVERIFY(finished.isValid());

        // Generous bounds: Chromium's processes start slowly on a busy machine.
        QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 60000);
        qInfo("page loaded %lld ms after Upload", static_cast<long long>(clock.elapsed()));
        QCOMPARE(finished.first().first().toBool(), true);
        // The server took the request before it answered, so it is counted by now.
        QVERIFY(server.requestLines.contains(pageRequest));
        const qsizetype requests = server.requestLines.count(pageRequest);
        QWidget* view = window->browser()->widget();
        QCOMPARE(view->property("title").toString(), QStringLiteral("Boxwright upload test"));
        QVERIFY(!webEngineFiles(mappedFiles()).isEmpty());

        // Bring to front: the same window and page, not sent anywhere again
        // (a load starts only when the window tells its view to navigate).
        host.show();
        QCOMPARE(host.window(), window);
        QCOMPARE(module.views.size(), 1u);
        QCOMPARE(module.views[0]->navigations, 1);
        QCOMPARE(server.requestLines.count(pageRequest), requests);

        // Closing discards the page; the next Upload asks the server again.
        QPointer<bw::Form2> closed = window;
        window->close();
        QTRY_VERIFY(closed.isNull());
        host.show();
        QVERIFY(host.window() != nullptr);
        QCOMPARE(module.views.size(), 2u);
        QCOMPARE(module.views[1]->navigations, 1);
        const QSignalSpy& again = module.views[1]->loads;
        QTRY_VERIFY_WITH_TIMEOUT(!again.isEmpty(), 60000);
        QCOMPARE(again.first().first().toBool(), true);
        QCOMPARE(server.requestLines.count(pageRequest), requests + 1);
    }
};

QTEST_MAIN(WebEngineTest)
#include "WebEngineTest.moc"
