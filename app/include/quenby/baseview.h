#pragma once

#include <platform/ui/font.h>
#include <platform/ui/trayrendition.h>
#include <platform/ui/view.h>

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <typeinfo>

namespace fennic {
class BatteryDevice;
}

namespace quenby {

/// A view that draws one accessory's charge inside a status item. It keeps the device record it was
/// last given; every draw reads the settings and the status bar's look anew, so a new record or
/// setting shows on the next redraw. The localised name of the device's kind and the measured width
/// of the name are kept until the record looks different.
///
/// The drawing space is the standard one (origin bottom left, y up); the view is as high as the
/// status bar. Main thread only.
class BaseView : public platform::ui::View, public platform::ui::TrayRendition {
    Q_OBJECT
public:
    static constexpr double kDefaultHeightTitle = 11;

    explicit BaseView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    const std::shared_ptr<fennic::BatteryDevice> &device() const { return m_device; }
    /// Keeps the record; true when it draws differently from what the view last took in (another
    /// kind, name, serial, level or charging state), so the view needs a redraw. Records may change in
    /// place (the Low Energy finder's do), so the view compares with what it took in, not with the record.
    bool setDevice(std::shared_ptr<fennic::BatteryDevice> device);

    /// The height of the name line.
    double heightTitle() const { return m_heightTitle; }
    void setHeightTitle(double height) { m_heightTitle = height; }

    /// The width the status item gives this view in the current app mode.
    virtual double itemWidth() const;

    /// The lowest level the device reports, for the combined item's tray rendition.
    virtual std::optional<std::uint8_t> lowestLevel() const = 0;

    /// The font the name is measured in: the first text a start lays out.
    static platform::ui::Font nameFont() { return platform::ui::Font::boldSystemFont(12); }

protected:
    /// The user's name for the device when there is one, else the name of its kind.
    QString measuredName() const;
    /// The user's name for the device when there is one, else `fallback`.
    QString customNameOr(const QString &fallback) const;
    /// The localised name of the device's kind.
    const QString &kindName() const;
    /// The width of the measured name in the name font, within the view's bounds.
    double measuredNameWidth() const;
    /// The rectangle of the name line for the status bar's thickness: at the top, one point higher
    /// without bars.
    platform::ui::Rect nameLineRect(double width) const;

private:
    // The fields of a record that its drawing reads.
    struct Look {
        const std::type_info *kind = nullptr;
        int type = 0;
        std::optional<std::uint8_t> level;
        std::optional<std::uint8_t> first;
        std::optional<std::uint8_t> second;
        bool charging = false;
        QString name;
        QString serial;
        std::optional<std::int64_t> productId;
        std::optional<std::uint16_t> vendorId;
        std::optional<QString> internalName;
        QString imageName;
        bool operator==(const Look &) const = default;
    };
    static Look lookOf(const fennic::BatteryDevice *device);

    std::shared_ptr<fennic::BatteryDevice> m_device;
    Look m_look;
    double m_heightTitle = kDefaultHeightTitle;
    // Kept between draws: measuring text and localising are the dearest steps of a draw.
    mutable std::optional<QString> m_kindName;
    mutable QString m_measuredText;
    mutable platform::ui::Size m_measuredIn;
    mutable std::optional<double> m_measuredWidth;
};

} // namespace quenby
