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
/// access to the machine's protected data.
///
/// On Linux full access means reading what file permissions keep from an ordinary user: the system's
/// password hashes (/etc/shadow) and the folders of the administrator, of system services and of the
/// other people with an account. Both probes read below `SystemRoot`. Static, caller's thread.
class Permissions {
public:
    /// The protected folders, absolute, each ending in "/": fixed system folders, then the home
    /// folders of the other accounts of /etc/passwd.
    static QStringList protectedFolders();

    static void openNotificationSettings();
    static void openPrivacySettings(PrivacyPage page);

    /// Whether the system's protected password file can be read (an empty file can). Keeps the name
    /// of the original system's probe, which read its privacy database.
    static bool canReadPrivacyDatabase();
    /// False when an existing protected folder closed to other users refuses to be listed, false when
    /// no such folder exists, true otherwise.
    static bool canListProtectedFolders();

    Permissions() = delete;
};

} // namespace olvane
