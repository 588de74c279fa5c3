#pragma once

#include <platform/ui/geometry.h>
#include <platform/ui/trayrendition.h>
#include <platform/ui/view.h>

#include <cstdint>
#include <optional>

#include <memory>

namespace ammerl {
class InternalBattery;
}

namespace quenby {

/// Draws the computer's own battery in a status item, by app mode: 0 the title above a bar or the
/// percentage with the time remaining, 1 a small battery outline with the percentage and the time
/// remaining, 2 nothing, 3 a laptop picture beside a vertical bar; a bolt while charging. Without a
/// charge "-" stands where the charge would (the item is never blank).
///
/// It keeps a copy of the battery record it was last given. Main thread only.
class InternalBatteryView : public platform::ui::View, public platform::ui::TrayRendition {
    Q_OBJECT
public:
    /// Status-item widths of the view by app mode 0 to 3.
    static double widthForAppMode(int mode);

    explicit InternalBatteryView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);
    ~InternalBatteryView() override;

    /// The size the bolt is drawn at.
    platform::ui::Size imageSize() const { return m_imageSize; }
    void setImageSize(platform::ui::Size size) { m_imageSize = size; }
    double heightTitle() const { return m_heightTitle; }
    void setHeightTitle(double height) { m_heightTitle = height; }

    /// The record drawn; none until the first is given.
    const ammerl::InternalBattery *battery() const { return m_battery.get(); }
    /// Keeps a copy of the record (none clears it); true when it draws differently from the one
    /// before (charge, charging state or remaining time), so the view needs a redraw.
    bool setBattery(const ammerl::InternalBattery *battery);

    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;
    /// The charge as digits over a bar in its colour; the laptop picture without a charge.
    void drawTrayRendition(platform::ui::GraphicsContext &context, double side) const override;
    /// "Internal battery: 85%", with the time remaining when known.
    QString trayToolTip() const override;
    /// The charge, within 0 to 100.
    std::optional<std::uint8_t> level() const;

private:
    void drawCompact(platform::ui::GraphicsContext &context, bool charging, std::optional<std::int64_t> charge);
    void drawIconAndText(platform::ui::GraphicsContext &context, bool charging, std::optional<std::int64_t> charge);
    void drawVertical(platform::ui::GraphicsContext &context, bool charging, std::optional<std::int64_t> charge);
    void drawBolt(platform::ui::GraphicsContext &context, platform::ui::Point origin) const;

    platform::ui::Size m_imageSize { 9, 9 };
    double m_heightTitle = 11;
    std::unique_ptr<ammerl::InternalBattery> m_battery;
};

} // namespace quenby
