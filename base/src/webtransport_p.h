#pragma once

// The part of web requests that needs QtNetwork, kept in a module of its own (libQuenbyWeb.so) that
// is loaded on the first request: QtNetwork and the Kerberos and proxy libraries it brings cost a
// start more than the rest of it before the first status item, and most runs make no request.

#include "tavrin/webrequest.h"

#include <chrono>
#include <optional>

namespace tavrin {

/// One request as plain parts (no QtNetwork type): what the module turns into its network request.
struct WebRequestParts {
    QUrl url;
    QByteArray method;
    std::optional<QByteArray> body;
    /// Header fields in order, a field given twice already joined.
    QList<QPair<QByteArray, QByteArray>> headers;
    /// The request's own deadline, else `defaultTimeout`.
    std::optional<std::chrono::milliseconds> timeout;
    std::chrono::milliseconds defaultTimeout { 0 };
    qint64 maximumResponseSize = 0;
};

/// What the module offers. Main thread only; the futures finish from the event loop.
struct WebTransport {
    QFuture<WebResponse> (*send)(const WebRequestParts &parts);
    /// A ready request sent as it is (`parts` gives the method, body and limits; its url and headers
    /// are not used).
    QFuture<WebResponse> (*perform)(const QNetworkRequest &request, const WebRequestParts &parts);
};

} // namespace tavrin

/// The module's one entry point.
extern "C" const tavrin::WebTransport *quenbyWebTransport();
