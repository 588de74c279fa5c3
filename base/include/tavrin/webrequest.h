#pragma once

#include <QByteArray>
#include <QException>
#include <QFuture>
#include <QList>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPair>
#include <QString>
#include <QUrl>

#include <chrono>
#include <optional>

namespace tavrin {

/// What a web request gives back: the body and the response it came with.
struct WebResponse {
    QByteArray data;
    /// The address that answered, after redirects.
    QUrl url;
    /// The HTTP status; empty for answers that are not HTTP (file and data URLs).
    std::optional<int> statusCode;
    /// Response headers as sent, in order.
    QList<QNetworkReply::RawHeaderPair> headers;

    /// An HTTP answer with a status from 200 to 299.
    bool isSuccessful() const { return statusCode && *statusCode >= 200 && *statusCode <= 299; }
    /// The first header of that name (case-insensitive), or empty.
    QByteArray header(const QByteArray &name) const;
};

/// Why a web request gave no response. An HTTP error status is not a WebError: it is a response.
class WebError : public QException {
public:
    enum class Code {
        /// The text does not make a URL, or the URL's scheme cannot be fetched.
        UnsupportedUrl,
        /// The whole answer did not arrive within the time-out.
        TimedOut,
        CannotFindHost,
        CannotConnectToHost,
        /// The connection broke before the whole answer arrived.
        NetworkConnectionLost,
        SecureConnectionFailed,
        /// No usable answer (e.g. redirect loops, malformed HTTP).
        BadServerResponse,
        /// The answer is larger than WebRequest::maximumResponseSize().
        DataLengthExceedsMaximum,
        Unknown,
    };

    WebError(Code code, QString message, QNetworkReply::NetworkError networkError = QNetworkReply::NoError)
        : m_code(code)
        , m_message(std::move(message))
        , m_networkError(networkError)
        , m_what(m_message.toUtf8())
    {
    }

    Code code() const { return m_code; }
    QString message() const { return m_message; }
    /// The network layer's own error, when it came from there.
    QNetworkReply::NetworkError networkError() const { return m_networkError; }

    const char *what() const noexcept override { return m_what.constData(); }
    void raise() const override { throw *this; }
    WebError *clone() const override { return new WebError(*this); }

private:
    Code m_code;
    QString m_message;
    QNetworkReply::NetworkError m_networkError;
    QByteArray m_what;
};

/// The answer of a ping: whether the HEAD request got an HTTP 2xx answer, and how long it took.
struct PingResult {
    bool isSuccess = false;
    /// Seconds from just before the request started until the answer arrived.
    double responseTime = 0;
};

/// HTTP requests.
///
/// Every asynchronous operation of this project gives a QFuture: it finishes later, from the event
/// loop of the thread that started it (main thread only here), never inside the call. A failure is a
/// stored exception: result() rethrows it, then() continuations skip to the next onFailed(), and a
/// continuation that takes the QFuture itself sees it. Web requests fail with WebError only for
/// transport problems; the HTTP status is the caller's to judge.
///
/// Each request runs in a session of its own, made for it and dropped after it: nothing is cached,
/// no cookie or credential is kept or shared between requests. Requests ask for a fresh answer
/// ("Cache-Control: no-cache"). The time-out is a deadline for the whole request: it fails when the
/// whole answer has not arrived that long after it started (10 seconds unless given), however steadily
/// bytes trickle in. An answer larger than maximumResponseSize() (8 MiB), announced or received, fails
/// with DataLengthExceedsMaximum as soon as that shows.
///
/// URL texts are prepared in one of two ways. Encoded (the default): every character except ASCII
/// letters, digits and ! $ & ' ( ) * + , - . / : ; = ? @ _ ~ is percent-encoded byte by byte in
/// UTF-8, the percent sign and the number sign included (an escape already in the text is escaped
/// again), then the result is parsed. Unencoded: the text is parsed as it is. A text that does not
/// make a URL fails with UnsupportedUrl.
class WebRequest {
public:
    WebRequest() = delete;

    /// Header fields added in order; a field given twice keeps both values, comma-separated.
    using Headers = QList<QPair<QString, QString>>;

    static QFuture<WebResponse> fetch(const QString &url);
    static QFuture<WebResponse> fetchUnencoded(const QString &url);
    /// A request with the given method and header fields.
    static QFuture<WebResponse> request(const QString &method, const QString &url, const Headers &headers = {});
    static QFuture<WebResponse> get(const QString &url, const Headers &headers = {});
    static QFuture<WebResponse> put(const QString &url, const Headers &headers = {});
    static QFuture<WebResponse> delete_(const QString &url, const Headers &headers = {});
    /// A POST. With a body (already form-encoded by the caller) the request gets "Content-Type:
    /// application/x-www-form-urlencoded" and the body's UTF-8 bytes, then the given header fields
    /// are added; without one it carries no body and no "Content-Type".
    static QFuture<WebResponse> post(
        const QString &url, const std::optional<QString> &body, const Headers &headers = {});
    /// A ready request sent as it is; its QNetworkRequest::transferTimeout is the deadline of the whole
    /// request (none set means the default). Only the session, its no-cache rules, the deadline and the
    /// size limit are ours.
    static QFuture<WebResponse> perform(
        const QNetworkRequest &request, const QByteArray &method = "GET", const QByteArray &body = {});

    /// A HEAD request with the given time-out in seconds. Transport failures fail the future; an
    /// HTTP status outside 200-299 gives isSuccess false.
    static QFuture<PingResult> ping(const QString &url, double timeoutSeconds);
    /// A GET with the given time-out: true for an HTTP 2xx answer, false for anything else,
    /// failures included. Never fails.
    static QFuture<bool> isReachable(const QString &url, double timeoutSeconds);

    /// The URL an encoded request goes to, or empty when the text does not make one.
    static std::optional<QUrl> encodedUrl(const QString &text);

    /// The time-out of requests that are not given one: 10 seconds, or what a ScopedWebRequestTimeout set.
    static std::chrono::milliseconds defaultTimeout();
    /// The largest answer body accepted, in bytes: 8 MiB, or what a ScopedWebResponseSizeLimit set.
    static qint64 maximumResponseSize();
};

/// Sets the default time-out of web requests for the lifetime of the guard (tests).
class ScopedWebRequestTimeout {
public:
    explicit ScopedWebRequestTimeout(std::chrono::milliseconds timeout);
    ~ScopedWebRequestTimeout();
    ScopedWebRequestTimeout(const ScopedWebRequestTimeout &) = delete;
    ScopedWebRequestTimeout &operator=(const ScopedWebRequestTimeout &) = delete;

private:
    std::chrono::milliseconds m_previous;
};

/// Sets the largest answer body web requests accept for the lifetime of the guard (tests).
class ScopedWebResponseSizeLimit {
public:
    explicit ScopedWebResponseSizeLimit(qint64 bytes);
    ~ScopedWebResponseSizeLimit();
    ScopedWebResponseSizeLimit(const ScopedWebResponseSizeLimit &) = delete;
    ScopedWebResponseSizeLimit &operator=(const ScopedWebResponseSizeLimit &) = delete;

private:
    qint64 m_previous;
};

} // namespace tavrin
