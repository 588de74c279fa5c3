#pragma once

#include <QHashFunctions>
#include <QString>
#include <QStringList>

#include <optional>

namespace olvane {

/// The privacy pages of the system settings that can be opened, in this order.
enum class PrivacyPage {
    privacy,
    accessibility,
    allFiles,
    Assistive,
    Calendars,
    Camera,
    Contacts,
    Diagnostics,
    LinkedIn,
    LocationServices,
    Microphone,
    Reminders,
    SystemServices,
};

/// The page's anchor text ("Privacy", "Privacy_AllFiles", ...).
QString rawValue(PrivacyPage page);
/// The page whose anchor is exactly `rawValue` (letter case counts); none for any other text.
std::optional<PrivacyPage> privacyPageFromRawValue(const QString &rawValue);
/// Hashes by the anchor text, as equality goes.
inline size_t qHash(PrivacyPage page, size_t seed = 0) { return ::qHash(rawValue(page), seed); }

/// Opens the notification and privacy pages of the system settings (through
/// `platform::Workspace::current()`, which maps them onto the desktop's settings) and probes for full
/// access to the user's protected data.
///
/// Linux has neither a privacy database nor folders guarded beyond file permissions: the probes look at
/// the same places (the system's privacy database, the protected folders under the home folder), which
/// normally do not exist there, so both answer false unless those places exist. Static, caller's thread.
class Permissions {
public:
    /// The protected folders, "~" for the home folder, each ending in "/".
    static const QStringList &protectedFolders();

    static void openNotificationSettings();
    static void openPrivacySettings(PrivacyPage page);

    /// Whether the system's privacy database can be read (an empty file can).
    static bool canReadPrivacyDatabase();
    /// False when an existing protected folder refuses to be listed with "operation not permitted",
    /// false when none of them exists as a folder, true otherwise.
    static bool canListProtectedFolders();

    Permissions() = delete;
};

} // namespace olvane
