#include "httptestserver.h"

#include <QTcpSocket>
#include <QTimer>

namespace quenbytest {

bool HttpTestServer::Request::hasHeader(const QByteArray &name) const
{
    for (const auto &[field, value] : headers) {
        if (field == name.toLower())
            return true;
    }
    return false;
}

QByteArray HttpTestServer::Request::header(const QByteArray &name) const
{
    for (const auto &[field, value] : headers) {
        if (field == name.toLower())
            return value;
    }
    return {};
}

HttpTestServer::HttpTestServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection())
            serve(socket);
    });
}

HttpTestServer::~HttpTestServer() = default;

bool HttpTestServer::start() { return m_server.listen(QHostAddress::LocalHost); }

quint16 HttpTestServer::port() const { return m_server.serverPort(); }

QString HttpTestServer::baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(port()); }

void HttpTestServer::route(const QByteArray &path, Answer answer) { m_routes.insert(path, std::move(answer)); }

void HttpTestServer::serve(QTcpSocket *socket)
{
    socket->setParent(this);
    auto buffer = std::make_shared<QByteArray>();
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
        buffer->append(socket->readAll());
        const qsizetype end = buffer->indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = buffer->left(end).split('\n');
        Request request;
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        request.method = first.value(0);
        request.target = first.value(1);
        qsizetype length = 0;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines.at(i).trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon <= 0)
                continue;
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            request.headers.append({ name, value });
            if (name == "content-length")
                length = value.toLongLong();
        }
        if (buffer->size() < end + 4 + length)
            return; // the body is still on its way
        request.body = buffer->mid(end + 4, length);
        buffer->clear();
        disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
        m_requests.append(request);

        const QByteArray path = request.target.split('?').value(0);
        const auto found = m_routes.constFind(path);
        Answer answer = found != m_routes.constEnd() ? *found : Answer { 404, "not found", {}, false, -1 };
        emit requestReceived();
        if (answer.silent)
            return;
        QByteArray response = "HTTP/1.1 " + QByteArray::number(answer.status) + " Scripted\r\n";
        if (answer.chunked)
            response += "Transfer-Encoding: chunked\r\n";
        else
            response += "Content-Length: "
                + QByteArray::number(answer.declaredLength >= 0 ? answer.declaredLength : answer.body.size()) + "\r\n";
        response += "Connection: close\r\n";
        for (const auto &[name, value] : answer.headers)
            response += name + ": " + value + "\r\n";
        response += "\r\n";
        QByteArray body = request.method == "HEAD" ? QByteArray() : answer.body;
        if (answer.chunked) {
            QByteArray chunks;
            for (qsizetype at = 0; at < body.size(); at += 100) {
                const QByteArray chunk = body.mid(at, 100);
                chunks += QByteArray::number(chunk.size(), 16) + "\r\n" + chunk + "\r\n";
            }
            body = chunks + "0\r\n\r\n";
        }
        if (answer.trickle.count() <= 0 || body.isEmpty()) {
            socket->write(response + body);
            socket->disconnectFromHost();
            return;
        }
        socket->write(response);
        auto *timer = new QTimer(socket);
        auto sent = std::make_shared<qsizetype>(0);
        connect(timer, &QTimer::timeout, socket, [socket, timer, body, sent] {
            socket->write(body.mid((*sent)++, 1));
            if (*sent == body.size()) {
                timer->stop();
                socket->disconnectFromHost();
            }
        });
        timer->start(answer.trickle);
    });
}

quint16 closedPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        return 0;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace quenbytest
