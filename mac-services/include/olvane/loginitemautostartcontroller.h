#pragma once

#include "olvane/iautostartcontroller.h"
#include "platform/core/value.h"

#include <QString>

#include <concepts>
#include <optional>
#include <vector>

namespace olvane {

/// The notification the application posts, with its own bundle identifier as object, to tell its
/// launcher to quit.
inline const QString kKillMe = QStringLiteral("killme");

/// The user's start-at-login jobs, each a dictionary with at least "Label" and "OnDemand".
using JobDictionaries = std::vector<platform::Value::Dictionary>;

/// A type that can list the user's start-at-login jobs: `T::jobDictionaries()`, empty when the list
/// cannot be had.
template <typename T>
concept LoginItemEnabledJobsProvider = requires
{
    {
        T::jobDictionaries()
        } -> std::same_as<std::optional<JobDictionaries>>;
};

/// Start at login through a separate launcher: a small bundle inside the application's bundle that
/// the session starts at login, that starts the application and waits for "killme".
class LoginItemAutoStartController final : public IAutoStartController {
public:
    /// `bundleIdentifier`: the application's (none when its bundle has none); `starterIdentifier`: the launcher's.
    LoginItemAutoStartController(std::optional<QString> bundleIdentifier, QString starterIdentifier);

    /// The first job whose label contains the launcher's identifier decides, by its "OnDemand";
    /// no jobs, no such job, or an "OnDemand" that is not a Bool read as off.
    bool isEnabled() const override;
    /// Tells a running launcher to quit: posts "killme" with the application's bundle identifier.
    void takeOverFromLauncher() override;
    /// Switches the launcher's login item; the platform's answer is not looked at.
    void setEnabled(bool enabled) override;
    void enable() override;
    void disable() override;

    /// The jobs of the current login-items backend; empty when it has none or they are not a list of
    /// dictionaries.
    static std::optional<JobDictionaries> jobDictionaries();

    QString starterIdentifier() const { return m_starterIdentifier; }
    std::optional<QString> bundleIdentifier() const { return m_bundleIdentifier; }

private:
    const QString m_starterIdentifier;
    const std::optional<QString> m_bundleIdentifier;
};

static_assert(LoginItemEnabledJobsProvider<LoginItemAutoStartController>);

} // namespace olvane
