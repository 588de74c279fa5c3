#include "tavrin/webrequest.h"
#include "webtransport_p.h"

#include "platform/core/clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QPromise>

#include <algorithm>

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

    template <typename T> QFuture<T> failed(const WebError &error)
    {
        QPromise<T> promise;
        promise.start();
        promise.setException(error);
        promise.finish();
        return promise.future();
    }

    WebError unavailable(const QString &why)
    {
        return WebError(WebError::Code::Unknown, QStringLiteral("web requests are not available: %1").arg(why));
    }

    WebError unsupported(const QString &text)
    {
        return WebError(WebError::Code::UnsupportedUrl, QStringLiteral("unsupported URL: \"%1\"").arg(text));
    }

    // The module that sends requests, loaded on the first one; none when it cannot be loaded (the reason
    // in `error`). Looked for in the application bundle the program runs from (the launcher's included),
    // then where the build made it.
    const WebTransport *transport(QString &error)
    {
        static QString s_error;
        static const WebTransport *s_transport = [] () -> const WebTransport * {
            QStringList candidates;
            QDir dir(QCoreApplication::applicationDirPath());
            candidates << dir.filePath(QStringLiteral("../Frameworks/libQuenbyWeb.so"));
            for (int up = 0; up < 8 && !dir.isRoot(); ++up, dir.cdUp()) {
                if (dir.dirName().endsWith(QLatin1String(".app")) && QFileInfo(dir.path() + QStringLiteral("/Contents/Frameworks")).isDir())
                    candidates << dir.filePath(QStringLiteral("Contents/Frameworks/libQuenbyWeb.so"));
            }
            candidates << QStringLiteral(QUENBY_WEB_MODULE);
            for (const QString &candidate : std::as_const(candidates)) {
                if (!QFileInfo::exists(candidate))
                    continue;
                QLibrary module(candidate);
                using Entry = const WebTransport *(*)();
                if (const auto entry = reinterpret_cast<Entry>(module.resolve("quenbyWebTransport")))
                    return entry(); // the module stays loaded: QLibrary unloads only when asked
                s_error = module.errorString();
            }
            if (s_error.isEmpty())
                s_error = QStringLiteral("libQuenbyWeb.so not found");
            return nullptr;
        }();
        error = s_error;
        return s_transport;
    }

    WebRequestParts partsFor(const QByteArray &method, const std::optional<QByteArray> &body)
    {
        WebRequestParts parts;
        parts.method = method;
        parts.body = body;
        parts.defaultTimeout = s_defaultTimeout;
        parts.maximumResponseSize = s_maximumResponseSize;
        return parts;
    }

    QFuture<WebResponse> sendTo(const QString &text, bool encode, const QByteArray &method,
        const std::optional<QByteArray> &body, const WebRequest::Headers &headers = {},
        std::optional<std::chrono::milliseconds> timeout = std::nullopt)
    {
        const std::optional<QUrl> url = encode ? WebRequest::encodedUrl(text) : unencodedUrl(text);
        if (!url)
            return failed<WebResponse>(unsupported(text));
        WebRequestParts parts = partsFor(method, body);
        parts.url = *url;
        parts.timeout = timeout;
        if (body)
            parts.headers.append(qMakePair(QByteArray("Content-Type"), QByteArray("application/x-www-form-urlencoded")));
        for (const auto &[name, value] : headers) {
            const QByteArray field = name.toUtf8();
            const auto same = std::find_if(parts.headers.begin(), parts.headers.end(), [&](const auto &header) {
                return header.first.compare(field, Qt::CaseInsensitive) == 0;
            });
            if (same == parts.headers.end())
                parts.headers.append(qMakePair(field, value.toUtf8()));
            else
                same->second = same->second.isEmpty() ? value.toUtf8() : same->second + ',' + value.toUtf8();
        }
        QString error;
        if (const WebTransport *web = transport(error))
            return web->send(parts);
        return failed<WebResponse>(unavailable(error));
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
    QString error;
    if (const WebTransport *web = transport(error))
        return web->perform(request, partsFor(method, body.isEmpty() ? std::nullopt : std::optional<QByteArray>(body)));
    return failed<WebResponse>(unavailable(error));
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
