#include "httptestserver.h"
#include "tavrin/webrequest.h"

#include <QElapsedTimer>
#include <QNetworkRequest>
#include <QTest>

using namespace std::chrono_literals;
using quenbytest::HttpTestServer;
using tavrin::PingResult;
using tavrin::WebError;
using tavrin::WebRequest;
using tavrin::WebResponse;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {
template <typename T> bool settle(const QFuture<T> &future)
{
    return QTest::qWaitFor([&] { return future.isFinished(); }, 10000);
}

// The error a finished future failed with; empty when it holds a result.
template <typename T> std::optional<WebError> failureOf(QFuture<T> future)
{
    try {
        future.result();
    } catch (const WebError &error) {
        return error;
    }
    return std::nullopt;
}

HttpTestServer::Answer answer(int status, QByteArray body, QList<QPair<QByteArray, QByteArray>> headers = {})
{
    return { status, std::move(body), std::move(headers), false, -1 };
}
}

class WebRequestTest : public QObject {
    Q_OBJECT

    std::unique_ptr<HttpTestServer> m_server;

    QString url(const char *path) const { return m_server->baseUrl() + QLatin1String(path); }

private slots:
    void init()
    {
        m_server = std::make_unique<HttpTestServer>();
        QVERIFY(m_server->start());
    }

    void encodedUrl_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("encoded"); // empty: no URL
        QTest::newRow("an escape is escaped again") << "http://h/a%20b" << QByteArray("http://h/a%2520b");
        QTest::newRow("the fragment joins the path") << "http://h/p#frag" << QByteArray("http://h/p%23frag");
        QTest::newRow("space and non-ASCII by UTF-8 byte")
            << "http://h/Grüße x" << QByteArray("http://h/Gr%C3%BC%C3%9Fe%20x");
        QTest::newRow("query characters stay")
            << "http://h/a?b=1&c=$'()*+,;:@~_-.!" << QByteArray("http://h/a?b=1&c=$'()*+,;:@~_-.!");
        QTest::newRow("brackets and braces are escaped") << "http://h/[x]{y}" << QByteArray("http://h/%5Bx%5D%7By%7D");
        QTest::newRow("empty text") << "" << QByteArray();
    }

    void encodedUrl()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, encoded);
        const std::optional<QUrl> url = WebRequest::encodedUrl(text);
        if (encoded.isEmpty()) {
            QVERIFY(!url);
            return;
        }
        QVERIFY(url);
        QCOMPARE(url->toEncoded(), encoded);
    }

    void encodedTargetReachesTheServerAsIs()
    {
        auto future = WebRequest::fetch(url("/a%20b?q=x y"));
        QVERIFY(settle(future));
        QCOMPARE(m_server->requests().size(), 1);
        QCOMPARE(m_server->requests().first().target, QByteArray("/a%2520b?q=x%20y"));
    }

    void anyStatusIsAResponse_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("200") << 200;
        QTest::newRow("404") << 404;
        QTest::newRow("500") << 500;
        QTest::newRow("503") << 503;
    }

    void anyStatusIsAResponse()
    {
        QFETCH(int, status);
        m_server->route("/files/helper.json", answer(status, "{\"version\": \"2.1\"}", { { "X-Probe", "yes" } }));
        auto future = WebRequest::fetch(url("/files/helper.json"));
        QVERIFY(settle(future));
        QCOMPARE(failureOf(future), std::nullopt);
        const WebResponse response = future.result();
        QCOMPARE(response.statusCode, std::optional<int>(status));
        QCOMPARE(response.data, QByteArray("{\"version\": \"2.1\"}"));
        QCOMPARE(response.header("x-probe"), QByteArray("yes"));
        QCOMPARE(response.isSuccessful(), status == 200);
        QCOMPARE(m_server->requests().first().method, QByteArray("GET"));
    }

    void closedPortIsATransportError()
    {
        const quint16 port = quenbytest::closedPort();
        QVERIFY(port);
        auto future = WebRequest::fetch(QStringLiteral("http://127.0.0.1:%1/files/helper.json").arg(port));
        QVERIFY(settle(future));
        const auto error = failureOf(future);
        QVERIFY(error);
        QCOMPARE(error->code(), WebError::Code::CannotConnectToHost);
    }

    void silentServerTimesOut()
    {
        m_server->route("/slow", { 200, {}, {}, true, -1 });
        tavrin::ScopedWebRequestTimeout shortly(300ms);
        QElapsedTimer clock;
        clock.start();
        auto future = WebRequest::fetch(url("/slow"));
        QVERIFY(settle(future));
        const auto error = failureOf(future);
        QVERIFY(error);
        QCOMPARE(error->code(), WebError::Code::TimedOut);
        QVERIFY2(clock.elapsed() >= 250, "gave up before the time-out");
    }

    void bodyCutShortIsATransportError()
    {
        // Handing back the part that came as if it were the whole file would pass off a failure as success.
        m_server->route("/files/helper.json", { 200, "{\"vers", {}, false, 100 });
        auto future = WebRequest::fetch(url("/files/helper.json"));
        QVERIFY(settle(future));
        const auto error = failureOf(future);
        QVERIFY(error);
        QCOMPARE(error->code(), WebError::Code::NetworkConnectionLost);
    }

    // A server that keeps sending a byte now and then must not hold a request past its time-out.
    void tricklingAnswerMeetsTheDeadline()
    {
        HttpTestServer::Answer slow = answer(200, QByteArray(40, 'x'));
        slow.trickle = 50ms; // two seconds for the whole body, never 300 ms without a byte
        m_server->route("/trickle", slow);
        const tavrin::ScopedWebRequestTimeout shortly(300ms);
        QElapsedTimer clock;
        clock.start();
        auto future = WebRequest::fetch(url("/trickle"));
        QVERIFY(settle(future));
        const auto error = failureOf(future);
        QVERIFY2(error, "the trickled answer was taken whole");
        QCOMPARE(error->code(), WebError::Code::TimedOut);
        QVERIFY2(clock.elapsed() < 1500, "waited for the trickle");
    }

    void answersLargerThanTheLimitFail_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("chunked");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("at the limit") << 1000 << false << true;
        QTest::newRow("one byte over") << 1001 << false << false;
        QTest::newRow("far over") << 200000 << false << false;
        QTest::newRow("at the limit, no length announced") << 1000 << true << true;
        QTest::newRow("over, no length announced") << 1001 << true << false;
    }
    void answersLargerThanTheLimitFail()
    {
        QFETCH(int, size);
        QFETCH(bool, chunked);
        QFETCH(bool, accepted);
        HttpTestServer::Answer big = answer(200, QByteArray(size, 'x'));
        big.chunked = chunked;
        m_server->route("/big", big);
        const tavrin::ScopedWebResponseSizeLimit limit(1000);
        auto future = WebRequest::fetch(url("/big"));
        QVERIFY(settle(future));
        const auto error = failureOf(future);
        if (accepted) {
            QCOMPARE(error, std::nullopt);
            QCOMPARE(future.result().data.size(), size);
        } else {
            QVERIFY2(error, "the whole answer was taken");
            QCOMPARE(error->code(), WebError::Code::DataLengthExceedsMaximum);
        }
    }

    // Every form of request that is not given a time-out of its own gives up after the default.
    void requestsWithoutATimeoutUseTheDefault_data()
    {
        QTest::addColumn<QString>("form");
        for (const char *form : { "fetch", "get", "post", "perform", "ping without time-out" })
            QTest::newRow(form) << QString::fromLatin1(form);
    }
    void requestsWithoutATimeoutUseTheDefault()
    {
        QFETCH(QString, form);
        m_server->route("/slow", { 200, {}, {}, true, -1 });
        const tavrin::ScopedWebRequestTimeout shortly(300ms);
        QCOMPARE(WebRequest::defaultTimeout(), 300ms);
        QElapsedTimer clock;
        clock.start();
        std::optional<WebError> error;
        if (form == QLatin1String("ping without time-out")) {
            auto future = WebRequest::ping(url("/slow"), 0);
            QVERIFY(settle(future));
            error = failureOf(future);
        } else {
            QFuture<WebResponse> future;
            if (form == QLatin1String("fetch"))
                future = WebRequest::fetch(url("/slow"));
            else if (form == QLatin1String("get"))
                future = WebRequest::get(url("/slow"));
            else if (form == QLatin1String("post"))
                future = WebRequest::post(url("/slow"), QStringLiteral("a=1"));
            else
                future = WebRequest::perform(QNetworkRequest(QUrl(url("/slow"))));
            QVERIFY(settle(future));
            error = failureOf(future);
        }
        const qint64 elapsed = clock.elapsed();
        QVERIFY(error);
        QCOMPARE(error->code(), WebError::Code::TimedOut);
        QVERIFY2(elapsed >= 250, "gave up before the default time-out");
        QVERIFY2(elapsed < 5000, "did not give up at the default time-out");
    }

    // A time-out of the request's own wins over the default.
    void aRequestsOwnTimeoutWins()
    {
        m_server->route("/slow", { 200, {}, {}, true, -1 });
        const tavrin::ScopedWebRequestTimeout generous(8s);
        QNetworkRequest request { QUrl(url("/slow")) };
        request.setTransferTimeout(300);
        QElapsedTimer clock;
        clock.start();
        auto future = WebRequest::perform(request);
        QVERIFY(settle(future));
        const auto error = failureOf(future);
        QVERIFY(error);
        QCOMPARE(error->code(), WebError::Code::TimedOut);
        QVERIFY(clock.elapsed() < 5000);
    }

    void requestsShareNoCookiesAndAskForFreshAnswers()
    {
        m_server->route("/page",
            answer(200, "cached?", { { "Set-Cookie", "session=1; Path=/" }, { "Cache-Control", "max-age=3600" } }));
        for (int i = 0; i < 2; ++i) {
            auto future = WebRequest::fetch(url("/page"));
            QVERIFY(settle(future));
            QCOMPARE(future.result().data, QByteArray("cached?"));
        }
        QCOMPARE(m_server->requests().size(), 2);
        for (const HttpTestServer::Request &request : m_server->requests()) {
            QVERIFY2(!request.hasHeader("cookie"), request.header("cookie").constData());
            QCOMPARE(request.header("cache-control"), QByteArray("no-cache"));
        }
    }

    void unbuildableUrlFailsAtOnce_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("unknown scheme") << "gopherx://127.0.0.1/";
        QTest::newRow("no scheme") << "files/helper.json";
    }

    void unbuildableUrlFailsAtOnce()
    {
        QFETCH(QString, text);
        auto future = WebRequest::fetch(text);
        QVERIFY(settle(future));
        const auto error = failureOf(future);
        QVERIFY(error);
        QCOMPARE(error->code(), WebError::Code::UnsupportedUrl);
    }

    void requestShape_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<std::optional<QString>>("body");
        QTest::addColumn<WebRequest::Headers>("headers");
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QByteArray>("contentType"); // empty: no such header
        QTest::addColumn<QByteArray>("sentBody");
        const std::optional<QString> none;
        const auto text = [](const char *s) { return std::optional<QString>(QString::fromUtf8(s)); };
        const WebRequest::Headers noHeaders;
        const WebRequest::Headers textPlain { { "Content-Type", "text/plain" } };
        QTest::newRow("post without body")
            << "post" << none << noHeaders << QByteArray("POST") << QByteArray() << QByteArray();
        QTest::newRow("post with form body")
            << "post" << text("a=1&b=%C3%BC") << noHeaders << QByteArray("POST")
            << QByteArray("application/x-www-form-urlencoded") << QByteArray("a=1&b=%C3%BC");
        QTest::newRow("post with an empty body") << "post" << text("") << noHeaders << QByteArray("POST")
                                                 << QByteArray("application/x-www-form-urlencoded") << QByteArray();
        QTest::newRow("post header adds to the form type")
            << "post" << text("a=1") << textPlain << QByteArray("POST")
            << QByteArray("application/x-www-form-urlencoded,text/plain") << QByteArray("a=1");
        QTest::newRow("put with a header")
            << "put" << none << textPlain << QByteArray("PUT") << QByteArray("text/plain") << QByteArray();
        QTest::newRow("delete") << "delete" << none << noHeaders << QByteArray("DELETE") << QByteArray()
                                << QByteArray();
        QTest::newRow("custom method") << "PATCH" << none << noHeaders << QByteArray("PATCH") << QByteArray()
                                       << QByteArray();
    }

    void requestShape()
    {
        QFETCH(QString, kind);
        QFETCH(std::optional<QString>, body);
        QFETCH(WebRequest::Headers, headers);
        QFETCH(QByteArray, method);
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, sentBody);
        m_server->route("/r", answer(201, "ok"));
        const QString target = url("/r");
        QFuture<WebResponse> future;
        if (kind == QLatin1String("post"))
            future = WebRequest::post(target, body, headers);
        else if (kind == QLatin1String("put"))
            future = WebRequest::put(target, headers);
        else if (kind == QLatin1String("delete"))
            future = WebRequest::delete_(target, headers);
        else
            future = WebRequest::request(kind, target, headers);
        QVERIFY(settle(future));
        QCOMPARE(future.result().statusCode, std::optional<int>(201));
        const HttpTestServer::Request &seen = m_server->requests().first();
        QCOMPARE(seen.method, method);
        QCOMPARE(seen.hasHeader("content-type"), !contentType.isEmpty());
        QCOMPARE(seen.header("content-type"), contentType);
        QCOMPARE(seen.body, sentBody);
    }

    void repeatedHeaderKeepsBothValues()
    {
        auto future = WebRequest::get(url("/h"), { { "X-Tag", "one" }, { "X-Other", "x" }, { "X-Tag", "two" } });
        QVERIFY(settle(future));
        QCOMPARE(m_server->requests().first().header("x-tag"), QByteArray("one,two"));
    }

    void performSendsTheRequestAsGiven()
    {
        m_server->route("/ready", answer(200, "fine"));
        QNetworkRequest request(QUrl(url("/ready")));
        request.setRawHeader("X-Ready", "1");
        auto future = WebRequest::perform(request, "OPTIONS");
        QVERIFY(settle(future));
        QCOMPARE(future.result().data, QByteArray("fine"));
        QCOMPARE(m_server->requests().first().method, QByteArray("OPTIONS"));
        QCOMPARE(m_server->requests().first().header("x-ready"), QByteArray("1"));
    }

    void ping_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("success");
        QTest::newRow("200") << 200 << true;
        QTest::newRow("299") << 299 << true;
        QTest::newRow("300") << 300 << false;
        QTest::newRow("404") << 404 << false;
    }

    void ping()
    {
        QFETCH(int, status);
        QFETCH(bool, success);
        m_server->route("/", answer(status, "body"));
        auto future = WebRequest::ping(url("/"), 5);
        QVERIFY(settle(future));
        const PingResult result = future.result();
        QCOMPARE(result.isSuccess, success);
        QVERIFY(result.responseTime >= 0 && result.responseTime < 10);
        QCOMPARE(m_server->requests().first().method, QByteArray("HEAD"));
    }

    void pingOfAClosedPortFails()
    {
        auto future = WebRequest::ping(QStringLiteral("http://127.0.0.1:%1/").arg(quenbytest::closedPort()), 5);
        QVERIFY(settle(future));
        QVERIFY(failureOf(future));
    }

    void isReachable_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("reachable");
        QTest::newRow("200") << "/ok" << true;
        QTest::newRow("500") << "/broken" << false;
        QTest::newRow("closed port") << "closed" << false;
        QTest::newRow("unbuildable") << "" << false;
    }

    void isReachable()
    {
        QFETCH(QString, path);
        QFETCH(bool, reachable);
        m_server->route("/ok", answer(200, "ok"));
        m_server->route("/broken", answer(500, "no"));
        QString target = path;
        if (path.startsWith(QLatin1Char('/')))
            target = m_server->baseUrl() + path;
        else if (path == QLatin1String("closed"))
            target = QStringLiteral("http://127.0.0.1:%1/").arg(quenbytest::closedPort());
        auto future = WebRequest::isReachable(target, 5);
        QVERIFY(settle(future));
        QCOMPARE(future.result(), reachable);
    }
};

QTEST_GUILESS_MAIN(WebRequestTest)
#include "webrequest_test.moc"
