#pragma once

#include <platform/core/bundle.h>

#include <QString>

namespace tavrin {

/// The name and version a bundle declares, with fixed fallbacks.
class BundleExtensions {
public:
    /// "CFBundleName" of the information dictionary when it is a text, else "Unknown App".
    static QString appName(const platform::Bundle &bundle);
    /// "CFBundleShortVersionString" when it is a text, else "Unknown Version".
    static QString appVersion(const platform::Bundle &bundle);

    BundleExtensions() = delete;
};

} // namespace tavrin
