#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace quenby {

/// Keys of the application's settings in its standard defaults domain.
inline constexpr auto kAppModeKey = "QuenbyAppMode";
inline constexpr auto kEnableNotificationsKey = "QuenbyEnableNotifications";
inline constexpr auto kUseLevelColorsKey = "QuenbyUseLevelColors";
inline constexpr auto kBarModeKey = "QuenbyBarMode";
inline constexpr auto kImperialKey = "QuenbyImperial";
inline constexpr auto kCustomNamesKey = "QuenbyCustomNames";
inline constexpr auto kIgnoredDevicesKey = "QuenbyIgnoredDevices";
inline constexpr auto kWasStartedKey = "QuenbyWasStarted";
inline constexpr auto kThresholdKey = "Threshold";
inline constexpr auto kSingleItemKey = "SingleItem";
inline constexpr auto kUseVerticalColorsKey = "UseVerticalColorsKey";

/// The identifier that stands for the computer's own battery wherever devices are named by
/// identifier (ignored list, status items, menu clicks).
inline constexpr auto kInternalIdentifier = "internal";

/// The application's settings.
///
/// Each value is read from `platform::UserDefaults::standard()` on its first use and then kept for
/// the run; the setters write the defaults and the kept value together, so readers never go back to
/// the file. The ignored-devices list is the exception in the other direction: adding and removing
/// start from the stored list, so a change another process made is not lost. Main thread only.
class Settings {
public:
    Settings() = delete;

    static constexpr std::uint8_t kDefaultThreshold = 20;

    /// What the menu bar shows: 0 to 3 (2: the application icon only). Anything else reads as 0.
    static int appMode();
    static void setAppMode(int mode);

    static bool enableNotifications();
    static void setEnableNotifications(bool enabled);

    static bool useLevelColors();
    static void setUseLevelColors(bool enabled);

    static bool barMode();
    static void setBarMode(bool enabled);

    static bool imperial();
    static void setImperial(bool enabled);

    /// Names the user gave devices, by device identifier; never holds an empty name.
    static const QMap<QString, QString> &customNames();
    /// Sets or, with an empty name, removes the custom name of a device, and stores all of them.
    static void setCustomName(const QString &identifier, const QString &name);
    /// The stored custom names; entries that are not texts or whose name is empty are skipped.
    static QMap<QString, QString> loadCustomNames();

    /// Identifiers of the devices the user hid from the menu bar ("internal" for the computer's battery).
    static const QStringList &ignoredDevices();
    static bool isIgnored(const QString &identifier);
    /// The stored list; elements that are not texts are skipped.
    static QStringList loadIgnoredDevices();
    static void addIgnoredDevice(const QString &identifier);
    /// Removes every occurrence of the identifier.
    static void removeIgnoredDevice(const QString &identifier);

    /// Whether the first-start hint was shown in an earlier run. Marking it only stores the flag: the
    /// kept value stays what the run started with.
    static bool wasStarted();
    static void markStarted();

    /// The low-battery threshold in percent. A stored 0, a missing key and a value outside 0 to 255
    /// read as 20.
    static std::uint8_t threshold();
    static void setThreshold(std::uint8_t percent);

    static bool singleItem();
    static void setSingleItem(bool enabled);

    static bool useVerticalColors();
    static void setUseVerticalColors(bool enabled);

    /// Forgets every kept value, so the next reads go to the defaults again (a fresh run, for tests).
    static void reload();

    /// While it lives, `appMode` answers `mode` without anything being stored (pictures of a mode
    /// other than the chosen one); the kept value comes back afterwards.
    class ScopedAppMode {
    public:
        explicit ScopedAppMode(int mode);
        ~ScopedAppMode();
        ScopedAppMode(const ScopedAppMode &) = delete;
        ScopedAppMode &operator=(const ScopedAppMode &) = delete;

    private:
        std::optional<int> m_previous;
    };
};

} // namespace quenby
