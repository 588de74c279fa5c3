#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace platform::settingspages {

/// The desktop settings programs pages can be opened in.
enum class Desktop { Gnome, Kde };

/// The page a system-settings URL names: "" for the settings as a whole, else a page name
/// ("notifications", "privacy", "sharing", "camera", "microphone", "location", "diagnostics").
/// Nothing when the URL is no settings URL or names a page the Linux desktops do not have.
std::optional<QString> pageFor(const QUrl &url);

/// Whether the URL is a system-settings URL at all (the scheme, or a preference pane's file).
bool isSettingsUrl(const QUrl &url);

/// Program and arguments that open `page` on `desktop`; nothing when that desktop lacks the page.
std::optional<QStringList> commandFor(const QString &page, Desktop desktop);

} // namespace platform::settingspages
