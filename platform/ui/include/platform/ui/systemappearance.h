#pragma once

#include "platform/ui/appearance.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QObject>
#include <QPalette>

#include <optional>

namespace platform::ui {

/// The application's appearance: dark or light as the desktop prefers it, unless forced.
///
/// The preference is the "color-scheme" key of the "org.freedesktop.appearance" namespace, read from
/// the desktop's settings portal (org.freedesktop.portal.Settings) and followed through its
/// SettingChanged signal. When the portal cannot be read or has no preference, the lightness of the
/// application palette's window colour decides. Tests force an appearance with ScopedAppearance.
///
/// With `setAppliesPalette(true)` (the application's choice; tests leave it off) it also keeps the
/// application palette in step: when the effective appearance and the desktop's own palette disagree
/// (the portal says dark while Qt's palette is light, or an appearance is forced), it installs
/// `palette(effective())`, and it puts the desktop's palette back once they agree again. So menus,
/// windows and drawn views show one appearance.
///
/// Main thread only. `changed` is emitted (from the event loop or from `setForced`) whenever the
/// effective appearance changes; views then re-render and tell their subclasses.
class SystemAppearance : public QObject {
    Q_OBJECT
public:
    static SystemAppearance &instance();

    /// The forced appearance when there is one, else the detected one.
    Appearance effective() const;
    Appearance detected() const { return m_detected; }
    std::optional<Appearance> forced() const { return m_forced; }
    void setForced(std::optional<Appearance> appearance);

    /// Reads the preference from the portal on `bus` (asynchronously; `changed` follows when it
    /// alters the effective appearance) and follows its changes. Without a call the session bus is used.
    void usePortal(const QDBusConnection &bus);
    /// What the portal said last: 0 no preference, 1 dark, 2 light; empty when it could not be read.
    std::optional<uint> portalColorScheme() const { return m_portalScheme; }

    bool appliesPalette() const { return m_appliesPalette; }
    void setAppliesPalette(bool applies);
    /// The palette installed for an appearance: the system colours of that appearance (window,
    /// text, controls, selection) in Qt's roles.
    static QPalette palette(Appearance appearance);
    /// The palette the desktop gave the application (what is restored when no other is needed).
    QPalette desktopPalette() const;

signals:
    void changed(platform::ui::Appearance appearance);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void onSettingChanged(const QDBusMessage &message);

private:
    SystemAppearance();
    void redetect();
    void setPortalScheme(std::optional<uint> scheme);
    void applyPalette();

    Appearance m_detected;
    std::optional<Appearance> m_forced;
    std::optional<uint> m_portalScheme;
    QString m_busName;
    bool m_appliesPalette = false;
    bool m_installingPalette = false;
    std::optional<QPalette> m_desktopPalette;
};

/// Forces the application's appearance for the lifetime of the guard, then restores what was forced
/// before.
class ScopedAppearance {
public:
    explicit ScopedAppearance(Appearance appearance);
    ~ScopedAppearance();
    ScopedAppearance(const ScopedAppearance &) = delete;
    ScopedAppearance &operator=(const ScopedAppearance &) = delete;

private:
    std::optional<Appearance> m_previous;
};

} // namespace platform::ui
