#pragma once

#include <platform/core/value.h>

#include <QList>
#include <QString>

namespace pirrow {

/// One application of the maker's other-apps list. Every field is required text.
struct OtherApp {
    /// Compared with the panel's filter.
    QString bundleIdentifier;
    /// The tile's title.
    QString name;
    /// Subtitle for a German-speaking user.
    QString german;
    /// Subtitle for every other language.
    QString english;
    QString iconUrl;
    /// Opened when the tile is chosen.
    QString storeUrl;

    /// Throws platform::DecodingError when a key is missing or not text.
    static OtherApp decode(const platform::Value &value);
    platform::Value encoded() const;

    friend bool operator==(const OtherApp &, const OtherApp &) = default;
};

/// The document the maker's site serves: {"apps": [ ... ]}.
struct OtherApps {
    QList<OtherApp> apps;

    /// All or nothing: throws platform::DecodingError when "apps" or any entry is not as expected.
    static OtherApps decode(const platform::Value &value);
    platform::Value encoded() const;
};

} // namespace pirrow
