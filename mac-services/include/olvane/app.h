#pragma once

#include "platform/ui/image.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>

#include <memory>
#include <optional>

namespace olvane {

/// An installed application and what belongs to it on disk.
class App {
public:
    /// `icon` from FileIconManager for the name; `baseUrl` the bundle "<applications folder>/<name>.app".
    App(QString name, QString identifier);

    /// The application of the bundle at `bundleUrl`: none without a "CFBundleIdentifier" text in its
    /// Contents/Info.plist, or, with `skipAppleApps`, when the identifier starts with "com.apple.".
    /// The name is the last path component without any ".app"; `children` are its nested bundles
    /// when `includeChildren`.
    static std::shared_ptr<App> fromBundle(const QUrl &bundleUrl, bool includeChildren, bool skipAppleApps);

    QString name;
    std::optional<platform::ui::Image> icon;
    QString identifier;
    std::optional<QDateTime> installed;
    std::optional<QDateTime> lastOpened;
    bool selected = false;
    std::optional<QString> version;
    std::optional<QUrl> baseUrl;
    std::optional<QString> copyright;
    std::optional<QUrl> binaryFile;
    std::optional<QUrl> container;
    std::optional<QUrl> preferences;
    std::optional<QUrl> savedState;
    QList<QUrl> caches;
    QList<std::shared_ptr<App>> children;

    /// Bytes behind one of the URL fields: 0 when unset or nothing is there.
    static quint64 size(const std::optional<QUrl> &url);
    quint64 cachesSize() const;
    /// The binary, container, preferences and saved state, plus every cache.
    quint64 totalSize() const;
};

} // namespace olvane
