#pragma once

#include <platform/ui/image.h>

#include <QString>

#include <optional>

namespace olvane {

/// A phone, tablet, watch or iPod model as its model identifier names it. The subclass tells the kind;
/// every object is new and owned by whoever asked for it.
class MobileDevice {
public:
    MobileDevice(QString name, QString shortName, std::optional<QString> iconName);
    virtual ~MobileDevice();
    MobileDevice(const MobileDevice &) = delete;
    MobileDevice &operator=(const MobileDevice &) = delete;

    /// The marketing name ("iPhone 3GS").
    const QString &name() const { return m_name; }
    void setName(QString name) { m_name = std::move(name); }
    /// The short name shown to the user ("iPhone 3").
    const QString &shortName() const { return m_shortName; }
    void setShortName(QString shortName) { m_shortName = std::move(shortName); }
    /// File name of the model's icon among the system's device icons; empty for the first iPhone.
    const std::optional<QString> &iconName() const { return m_iconName; }
    void setIconName(std::optional<QString> iconName) { m_iconName = std::move(iconName); }

    /// The picture of the model that iconName() names, 128 points square, looked up on every call:
    /// the icon theme's picture when the theme has one that shows this kind of device (the model's
    /// own icon name, else the freedesktop names of Apple's phone, tablet and player), else the
    /// library's own drawing of the kind. Nothing without an icon name or for a name that is no
    /// model's of the tables.
    std::optional<platform::ui::Image> icon() const;

    /// The side of icon() in points.
    static constexpr double kIconSize = 128;

private:
    QString m_name;
    QString m_shortName;
    std::optional<QString> m_iconName;
};

/// The kinds: only the class differs.
class Phone final : public MobileDevice {
public:
    using MobileDevice::MobileDevice;
};

class Tablet final : public MobileDevice {
public:
    using MobileDevice::MobileDevice;
};

class Watch final : public MobileDevice {
public:
    using MobileDevice::MobileDevice;
};

/// An iPod touch.
class Audio final : public MobileDevice {
public:
    using MobileDevice::MobileDevice;
};

} // namespace olvane
