#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QTcpServer>

#include <chrono>
#include <memory>

namespace quenbytest {

/// A loopback HTTP/1.1 server for tests: answers each path as scripted and records every request.
/// Runs on the test's event loop; one answer per connection, then the connection closes.
class HttpTestServer : public QObject {
    Q_OBJECT
public:
    struct Answer {
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
        /// Accept the request and never answer.
        bool silent = false;
        /// Announce this many body bytes instead of the real count (a body cut short when larger).
        qsizetype declaredLength = -1;
        /// Send the body a byte at a time, this far apart (none: all at once).
        std::chrono::milliseconds trickle {};
        /// Send the body in chunks of 100 bytes without announcing its length.
        bool chunked = false;
    };

    struct Request {
        QByteArray method;
        /// The request target exactly as sent (path and query, still percent-encoded).
        QByteArray target;
        /// Header fields in order, names lower-cased.
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;

        bool hasHeader(const QByteArray &name) const;
        QByteArray header(const QByteArray &name) const;
    };

    explicit HttpTestServer(QObject *parent = nullptr);
    ~HttpTestServer() override;

    /// Listens on 127.0.0.1 at a free port; false when it cannot.
    bool start();
    quint16 port() const;
    /// "http://127.0.0.1:<port>"
    QString baseUrl() const;

    /// The answer for a path (the target without its query); unknown paths get 404.
    void route(const QByteArray &path, Answer answer);
    const QList<Request> &requests() const { return m_requests; }

signals:
    void requestReceived();

private:
    void serve(QTcpSocket *socket);

    QTcpServer m_server;
    QMap<QByteArray, Answer> m_routes;
    QList<Request> m_requests;
};

/// A port on 127.0.0.1 where nothing listens (taken from a server that was then closed).
quint16 closedPort();

} // namespace quenbytest
