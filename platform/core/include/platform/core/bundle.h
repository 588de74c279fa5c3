#pragma once

#include "platform/core/value.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

/// A directory of resources: the program's own bundle or a library's `<Lib>_<Lib>.bundle`.
///
/// The program's bundle is `Name.app` when the executable lies in `Name.app/Contents/MacOS/`
/// (resources in `Contents/Resources`, information in `Contents/Info.plist`); otherwise it is the
/// executable's directory, which is also its resource directory.
///
/// Localised strings live in `<lang>.lproj/<table>.strings` ("KEY" = "value"; with C and // comments).
/// Lookups try the preferred languages in order, then "en"; a missing key gives the key itself.
class Bundle {
public:
    explicit Bundle(QString path, QString resourcePath = {});

    /// The running program's bundle.
    static Bundle main();

    /// The resource bundle of library `lib`, found once per process. Candidates in order: the main
    /// bundle's resource directory, the directory of the executable, the main bundle's own
    /// directory, and `../share/quenby` beside the executable. When none holds
    /// `<lib>_<lib>.bundle` the process stops with "unable to find bundle named <lib>_<lib>".
    static const Bundle &module(const QString &lib);
    /// The same search without stopping.
    static std::optional<Bundle> find(const QString &lib);

    QString path() const { return m_path; }
    QString resourcePath() const { return m_resourcePath; }

    /// Absolute path of `name.ext` in the resource directory (or a `<lang>.lproj` of it), empty when absent.
    QString pathForResource(const QString &name, const QString &ext) const;
    /// The localised text of `key`, or `key` when no table has it.
    QString localizedString(const QString &key, const QString &table = QStringLiteral("Localizable")) const;
    /// The parsed Info.plist (a dictionary), or empty when the bundle has none or it cannot be read.
    std::optional<Value> infoDictionary() const;
    QString bundleIdentifier() const;

    /// The languages lookups try first (default: from the process locale, e.g. {"de", "en"}).
    static QStringList preferredLanguages();
    /// Overrides the preferred languages (tests, and a --lang option); empty restores the default.
    static void setPreferredLanguages(const QStringList &languages);

private:
    QString m_path;
    QString m_resourcePath;
};

/// Parses the text of a `.strings` file into key/value pairs. Malformed entries are skipped.
std::map<QString, QString> parseStrings(const QString &text);

/// Shorthand for `Bundle::module(lib).localizedString(key)`.
QString localized(const QString &lib, const QString &key);

} // namespace platform
