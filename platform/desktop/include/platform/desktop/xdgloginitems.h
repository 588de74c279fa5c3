#pragma once

#include "platform/desktop/loginitems.h"

#include <QString>

namespace platform {

/// Login items as XDG autostart entries: `<autostart>/<bundle identifier>.desktop`, whose Exec starts
/// the executable of the application bundle with that identifier.
///
/// - The main application's service is the entry named after the main bundle's identifier, starting
///   `<Main>.app/Contents/MacOS/<executable>`. A login item is the entry named after its identifier,
///   starting the bundle in `<Main>.app/Contents/Library/LoginItems/` that has that identifier.
/// - An entry is ours when it says so (`X-Quenby-Bundle-Identifier` equals its name) or when its Exec
///   starts the right bundle's executable. Only our entries are rewritten or removed; an entry that
///   cannot be parsed, or another program's entry under the same name, is never touched, and
///   registering or removing over it fails.
/// - An entry is switched on when it is ours, its Exec starts the right bundle's executable (the
///   bundle exists and has that identifier), and it is not hidden (`Hidden=true`,
///   `X-GNOME-Autostart-enabled=false`).
/// - The job dictionaries list every `*.desktop` entry of the folder in name order as
///   {"Label": name without ".desktop", "OnDemand": switched on}.
/// - Entries are written atomically (temporary file, then rename). There is no approval step on this
///   desktop, so `RequiresApproval` never occurs, and there is no standard page for autostart settings
///   to open: `openSystemSettingsLoginItems` only says so in the log.
class XdgLoginItems final : public LoginItems {
public:
    /// `mainBundlePath`: the application bundle `Name.app` whose services these are (default: the
    /// bundle of the running executable, none when it does not lie in one). `autostartDirectory`:
    /// default `$XDG_CONFIG_HOME/autostart`, or `~/.config/autostart` when that is unset or relative.
    explicit XdgLoginItems(QString mainBundlePath = {}, QString autostartDirectory = {});

    QString mainBundlePath() const { return m_mainBundlePath; }
    QString autostartDirectory() const { return m_autostartDirectory; }
    QString entryPath(const QString &identifier) const;

    bool setLoginItemEnabled(const QString &identifier, bool enabled) override;
    std::optional<Value> jobDictionaries() const override;
    LoginServiceStatus status(const LoginService &service) const override;
    LoginResult registerService(const LoginService &service) override;
    LoginResult unregisterService(const LoginService &service) override;
    void openSystemSettingsLoginItems() override;

    /// The bundle of the running executable (`Name.app` when it lies in `Name.app/Contents/MacOS/`), or empty.
    static QString runningBundlePath();

private:
    struct Target;
    std::optional<Target> target(const LoginService &service, QString *why) const;
    QString entryName(const LoginService &service) const;

    QString m_mainBundlePath;
    QString m_autostartDirectory;
};

} // namespace platform
