// The network side of web requests, built as the module libQuenbyWeb.so: see webtransport_p.h.
#include "webtransport_p.h"

#include <QNetworkAccessManager>
#include <QPromise>
#include <QTimer>

#include <memory>

namespace tavrin {

namespace {
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

    // Sends one request in a session of its own and settles the future when it ends.
    QFuture<WebResponse> send(QNetworkRequest request, const WebRequestParts &parts)
    {
        const QByteArray &method = parts.method;
        const std::optional<QByteArray> &body = parts.body;
        const qint64 maximumResponseSize = parts.maximumResponseSize;
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
        // Qt's own time-out restarts with every byte, so a server trickling bytes would hold the request
        // for ever: the time-out is a deadline for the whole request instead.
        const int deadline
            = request.transferTimeout() > 0 ? request.transferTimeout() : static_cast<int>(parts.defaultTimeout.count());
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
        QObject::connect(reply, &QNetworkReply::metaDataChanged, manager, [reply, abort, maximumResponseSize] {
            bool known = false;
            const qint64 announced = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
            if (known && announced > maximumResponseSize)
                abort(Stop::TooLarge);
        });
        QObject::connect(reply, &QNetworkReply::readyRead, manager, [reply, data, abort, maximumResponseSize] {
            data->append(reply->readAll());
            if (data->size() > maximumResponseSize)
                abort(Stop::TooLarge);
        });
        QObject::connect(reply, &QNetworkReply::finished, manager, [promise, reply, manager, data, stop, timer, maximumResponseSize] {
            timer->stop();
            if (*stop == Stop::None)
                data->append(reply->readAll());
            const QNetworkReply::NetworkError error = reply->error();
            const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
            const bool isHttp = reply->url().scheme().startsWith(QLatin1String("http"));
            const bool answered = isHttp ? status.isValid() : error == QNetworkReply::NoError;
            if (*stop == Stop::TooLarge) {
                promise->setException(WebError(WebError::Code::DataLengthExceedsMaximum,
                    QStringLiteral("the answer is larger than %1 bytes").arg(maximumResponseSize), error));
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

    QFuture<WebResponse> sendParts(const WebRequestParts &parts)
    {
        QNetworkRequest request(parts.url);
        if (parts.timeout)
            request.setTransferTimeout(static_cast<int>(parts.timeout->count()));
        for (const auto &[name, value] : parts.headers)
            request.setRawHeader(name, value);
        return send(request, parts);
    }

    QFuture<WebResponse> performRequest(const QNetworkRequest &request, const WebRequestParts &parts)
    {
        if (!request.url().isValid() || request.url().isEmpty()) {
            QPromise<WebResponse> promise;
            promise.start();
            promise.setException(WebError(WebError::Code::UnsupportedUrl,
                QStringLiteral("unsupported URL: \"%1\"").arg(request.url().toString())));
            promise.finish();
            return promise.future();
        }
        return send(request, parts);
    }

    const WebTransport kTransport { sendParts, performRequest };
}

} // namespace tavrin

extern "C" Q_DECL_EXPORT const tavrin::WebTransport *quenbyWebTransport() { return &tavrin::kTransport; }
