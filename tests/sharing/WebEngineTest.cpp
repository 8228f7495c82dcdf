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

}  // namespace

// The real web engine, offscreen, loading a page from a server the test runs.
class WebEngineTest : public QObject {
    Q_OBJECT

private slots:
    void uploadWindowLoadsThePageFromTheServer() {
        QVERIFY2(webEngineFiles(mappedFiles()).isEmpty(), "the engine was loaded before the window opened");

        LoopbackServer server;
        QVERIFY(server.listen());

        bw::UploadServices services;
        services.address = server.address("/upload.html");
        services.loadModule = [](QString* why) { return bw::loadWebViewModule(why, {QStringLiteral(BW_MODULE_DIR)}); };
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
        QWidget* view = window->browser()->widget();
        QSignalSpy finished(view, SIGNAL(loadFinished(bool)));
        QVERIFY(finished.isValid());

        QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 60000);
        qInfo("page loaded %lld ms after Upload", static_cast<long long>(clock.elapsed()));
        QCOMPARE(finished.first().first().toBool(), true);
        QVERIFY(server.requestLines.contains(QStringLiteral("GET /upload.html HTTP/1.1")));
        QCOMPARE(view->property("title").toString(), QStringLiteral("Boxwright upload test"));
        QVERIFY(!webEngineFiles(mappedFiles()).isEmpty());

        // Bring to front: the same page, no second request.
        const qsizetype requests = server.requestLines.count(QStringLiteral("GET /upload.html HTTP/1.1"));
        host.show();
        QCOMPARE(host.window(), window);
        QTest::qWait(200);
        QCOMPARE(server.requestLines.count(QStringLiteral("GET /upload.html HTTP/1.1")), requests);

        // Closing discards the page; the next Upload asks the server again.
        QPointer<bw::Form2> closed = window;
        window->close();
        QTRY_VERIFY(closed.isNull());
        host.show();
        QVERIFY(host.window() != nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(server.requestLines.count(QStringLiteral("GET /upload.html HTTP/1.1")), requests + 1,
                                  30000);
        QSignalSpy again(host.window()->browser()->widget(), SIGNAL(loadFinished(bool)));
        QTRY_VERIFY_WITH_TIMEOUT(!again.isEmpty(), 30000);
        QCOMPARE(again.first().first().toBool(), true);
    }
};

QTEST_MAIN(WebEngineTest)
#include "WebEngineTest.moc"
