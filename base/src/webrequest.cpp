#include "tavrin/webrequest.h"

#include "platform/core/clock.h"

#include <QNetworkAccessManager>
#include <QPromise>
#include <QTimer>

#include <memory>

namespace tavrin {

namespace {
    using namespace std::chrono_literals;

    std::chrono::milliseconds s_defaultTimeout = 10s;
    qint64 s_maximumResponseSize = 8 * 1024 * 1024;

    bool staysUnescaped(char c)
    {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return true;
        static constexpr std::string_view kAllowed = "!$&'()*+,-./:;=?@_~";
        return kAllowed.find(c) != std::string_view::npos;
    }

    QByteArray percentEncoded(const QString &text)
    {
        static constexpr char kHex[] = "0123456789ABCDEF";
        const QByteArray utf8 = text.toUtf8();
        QByteArray out;
        out.reserve(utf8.size() * 3);
        for (char c : utf8) {
            if (staysUnescaped(c)) {
                out.append(c);
            } else {
                const auto byte = static_cast<unsigned char>(c);
                out.append('%');
                out.append(kHex[byte >> 4]);
                out.append(kHex[byte & 0xF]);
            }
        }
        return out;
    }

    std::optional<QUrl> parsedUrl(const QByteArray &encoded)
    {
        if (encoded.isEmpty())
            return std::nullopt;
        QUrl url = QUrl::fromEncoded(encoded, QUrl::StrictMode);
        if (!url.isValid() || url.isEmpty())
            return std::nullopt;
        return url;
    }

    std::optional<QUrl> unencodedUrl(const QString &text) { return parsedUrl(text.toUtf8()); }

    WebError::Code codeFor(QNetworkReply::NetworkError error)
    {
        switch (error) {
        case QNetworkReply::OperationCanceledError:
        case QNetworkReply::TimeoutError:
            return WebError::Code::TimedOut;
        case QNetworkReply::HostNotFoundError:
            return WebError::Code::CannotFindHost;
        case QNetworkReply::ConnectionRefusedError:
            return WebError::Code::CannotConnectToHost;
        case QNetworkReply::RemoteHostClosedError:
        case QNetworkReply::TemporaryNetworkFailureError:
        case QNetworkReply::NetworkSessionFailedError:
            return WebError::Code::NetworkConnectionLost;
        case QNetworkReply::SslHandshakeFailedError:
        case QNetworkReply::InsecureRedirectError:
            return WebError::Code::SecureConnectionFailed;
        case QNetworkReply::ProtocolUnknownError:
        case QNetworkReply::ProtocolInvalidOperationError:
            return WebError::Code::UnsupportedUrl;
        case QNetworkReply::TooManyRedirectsError:
        case QNetworkReply::ProtocolFailure:
            return WebError::Code::BadServerResponse;
        default:
            return WebError::Code::Unknown;
        }
    }

    // Errors that only restate the HTTP status of an answer that did arrive whole.
    bool restatesStatus(QNetworkReply::NetworkError error)
    {
        return error == QNetworkReply::NoError
            || (error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError)
            || (error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError);
    }

    template <typename T> QFuture<T> failed(const WebError &error)
    {
        QPromise<T> promise;
        promise.start();
        promise.setException(error);
        promise.finish();
        return promise.future();
    }

    WebError unsupported(const QString &text)
    {
        return WebError(WebError::Code::UnsupportedUrl, QStringLiteral("unsupported URL: \"%1\"").arg(text));
    }

    // Sends one request in a session of its own and settles the future when it ends.
    QFuture<WebResponse> send(QNetworkRequest request, const QByteArray &method, const std::optional<QByteArray> &body)
    {
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
        // Qt's own time-out restarts with every byte, so a server trickling bytes would hold the request
        // for ever: the time-out is a deadline for the whole request instead.
        const int deadline
            = request.transferTimeout() > 0 ? request.transferTimeout() : static_cast<int>(s_defaultTimeout.count());
        request.setTransferTimeout(0);

        auto promise = std::make_shared<QPromise<WebResponse>>();
        promise->start();
        QFuture<WebResponse> future = promise->future();

        // A manager per request is the ephemeral session: its cookie jar and credentials die with it.
        auto *manager = new QNetworkAccessManager;
        QNetworkReply *reply = nullptr;
        // HEAD must go as itself: as a custom verb the reply would wait for a body that never comes.
        if (method == "HEAD")
            reply = manager->head(request);
        else if (method == "GET" && !body)
            reply = manager->get(request);
        else if (!body)
            reply = manager->sendCustomRequest(request, method);
        else
            reply = manager->sendCustomRequest(request, method, *body);

        enum class Stop { None, TimedOut, TooLarge };
        auto stop = std::make_shared<Stop>(Stop::None);
        auto data = std::make_shared<QByteArray>();
        const auto abort = [reply, stop](Stop why) {
            if (*stop == Stop::None)
                *stop = why;
            reply->abort(); // finishes the reply at once
        };
        auto *timer = new QTimer(manager);
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, manager, [abort] { abort(Stop::TimedOut); });
        timer->start(deadline);
        // The size is checked as the body arrives (after any decompression), and against the announced
        // length before it does.
        QObject::connect(reply, &QNetworkReply::metaDataChanged, manager, [reply, abort] {
            bool known = false;
            const qint64 announced = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
            if (known && announced > s_maximumResponseSize)
                abort(Stop::TooLarge);
        });
        QObject::connect(reply, &QNetworkReply::readyRead, manager, [reply, data, abort] {
            data->append(reply->readAll());
            if (data->size() > s_maximumResponseSize)
                abort(Stop::TooLarge);
        });
        QObject::connect(reply, &QNetworkReply::finished, manager, [promise, reply, manager, data, stop, timer] {
            timer->stop();
            if (*stop == Stop::None)
                data->append(reply->readAll());
            const QNetworkReply::NetworkError error = reply->error();
            const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
            const bool isHttp = reply->url().scheme().startsWith(QLatin1String("http"));
            const bool answered = isHttp ? status.isValid() : error == QNetworkReply::NoError;
            if (*stop == Stop::TooLarge) {
                promise->setException(WebError(WebError::Code::DataLengthExceedsMaximum,
                    QStringLiteral("the answer is larger than %1 bytes").arg(s_maximumResponseSize), error));
            } else if (*stop == Stop::TimedOut) {
                promise->setException(WebError(WebError::Code::TimedOut,
                    QStringLiteral("no whole answer within %1 ms").arg(timer->interval()), error));
            } else if (answered && restatesStatus(error)) {
                WebResponse response;
                response.data = std::move(*data);
                response.url = reply->url();
                if (status.isValid())
                    response.statusCode = status.toInt();
                response.headers = reply->rawHeaderPairs();
                promise->addResult(std::move(response));
            } else {
                const WebError::Code code
                    = error == QNetworkReply::NoError ? WebError::Code::BadServerResponse : codeFor(error);
                promise->setException(WebError(code, reply->errorString(), error));
            }
            promise->finish();
            manager->deleteLater();
        });
        return future;
    }

    QFuture<WebResponse> sendTo(const QString &text, bool encode, const QByteArray &method,
        const std::optional<QByteArray> &body, const WebRequest::Headers &headers = {},
        std::optional<std::chrono::milliseconds> timeout = std::nullopt)
    {
        const std::optional<QUrl> url = encode ? WebRequest::encodedUrl(text) : unencodedUrl(text);
        if (!url)
            return failed<WebResponse>(unsupported(text));
        QNetworkRequest request(*url);
        if (timeout)
            request.setTransferTimeout(static_cast<int>(timeout->count()));
        if (body)
            request.setRawHeader("Content-Type", "application/x-www-form-urlencoded");
        for (const auto &[name, value] : headers) {
            const QByteArray field = name.toUtf8();
            const QByteArray existing = request.rawHeader(field);
            request.setRawHeader(field, existing.isEmpty() ? value.toUtf8() : existing + ',' + value.toUtf8());
        }
        return send(request, method, body);
    }

    std::chrono::milliseconds fromSeconds(double seconds)
    {
        if (!(seconds > 0))
            return s_defaultTimeout;
        return std::chrono::milliseconds(static_cast<std::int64_t>(seconds * 1000.0 + 0.5));
    }
}

QByteArray WebResponse::header(const QByteArray &name) const
{
    for (const auto &[field, value] : headers) {
        if (field.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

WebError::WebError(Code code, QString message, QNetworkReply::NetworkError networkError)
    : m_code(code)
    , m_message(std::move(message))
    , m_networkError(networkError)
    , m_what(m_message.toUtf8())
{
}

QFuture<WebResponse> WebRequest::fetch(const QString &url) { return sendTo(url, true, "GET", std::nullopt); }

QFuture<WebResponse> WebRequest::fetchUnencoded(const QString &url) { return sendTo(url, false, "GET", std::nullopt); }

QFuture<WebResponse> WebRequest::request(const QString &method, const QString &url, const Headers &headers)
{
    return sendTo(url, true, method.toUtf8(), std::nullopt, headers);
}

QFuture<WebResponse> WebRequest::get(const QString &url, const Headers &headers)
{
    return request(QStringLiteral("GET"), url, headers);
}

QFuture<WebResponse> WebRequest::put(const QString &url, const Headers &headers)
{
    return request(QStringLiteral("PUT"), url, headers);
}

QFuture<WebResponse> WebRequest::delete_(const QString &url, const Headers &headers)
{
    return request(QStringLiteral("DELETE"), url, headers);
}

QFuture<WebResponse> WebRequest::post(const QString &url, const std::optional<QString> &body, const Headers &headers)
{
    return sendTo(url, true, "POST", body ? std::optional<QByteArray>(body->toUtf8()) : std::nullopt, headers);
}

QFuture<WebResponse> WebRequest::perform(
    const QNetworkRequest &request, const QByteArray &method, const QByteArray &body)
{
    if (!request.url().isValid() || request.url().isEmpty())
        return failed<WebResponse>(unsupported(request.url().toString()));
    return send(request, method, body.isEmpty() ? std::nullopt : std::optional<QByteArray>(body));
}

QFuture<PingResult> WebRequest::ping(const QString &url, double timeoutSeconds)
{
    const double start = platform::Clock::current().timestamp();
    return sendTo(url, true, "HEAD", std::nullopt, {}, fromSeconds(timeoutSeconds))
        .then([start](const WebResponse &response) {
            return PingResult { response.isSuccessful(), platform::Clock::current().timestamp() - start };
        });
}

QFuture<bool> WebRequest::isReachable(const QString &url, double timeoutSeconds)
{
    return sendTo(url, true, "GET", std::nullopt, {}, fromSeconds(timeoutSeconds))
        .then([](const WebResponse &response) { return response.isSuccessful(); })
        .onFailed([] { return false; });
}

std::optional<QUrl> WebRequest::encodedUrl(const QString &text) { return parsedUrl(percentEncoded(text)); }

std::chrono::milliseconds WebRequest::defaultTimeout() { return s_defaultTimeout; }

qint64 WebRequest::maximumResponseSize() { return s_maximumResponseSize; }

ScopedWebRequestTimeout::ScopedWebRequestTimeout(std::chrono::milliseconds timeout)
    : m_previous(s_defaultTimeout)
{
    s_defaultTimeout = timeout;
}

ScopedWebRequestTimeout::~ScopedWebRequestTimeout() { s_defaultTimeout = m_previous; }

ScopedWebResponseSizeLimit::ScopedWebResponseSizeLimit(qint64 bytes)
    : m_previous(s_maximumResponseSize)
{
    s_maximumResponseSize = bytes;
}

ScopedWebResponseSizeLimit::~ScopedWebResponseSizeLimit() { s_maximumResponseSize = m_previous; }

} // namespace tavrin
