#pragma once

#include "quenby/baseview.h"

#include <cstdint>
#include <optional>

namespace quenby {

/// Draws an accessory with one level (a single-battery or Low Energy device) in a status item, by
/// app mode: 0 its name above a bar or a percentage, 1 its picture and the percentage, 2 nothing,
/// 3 its picture beside a vertical bar. Without a level "-" stands where the level would.
class SingleBatteryDeviceView : public BaseView {
    Q_OBJECT
public:
    explicit SingleBatteryDeviceView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Mode 0: the measured name's width; 1: 54; 2: 44; 3: the picture's width + 22 in the combined
    /// item, + 14 otherwise.
    double itemWidth() const override;
    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;
    /// The level as digits over a bar in its colour; the device's picture without a level.
    void drawTrayRendition(platform::ui::GraphicsContext &context, double side) const override;
    QString trayToolTip() const override;
    std::optional<std::uint8_t> lowestLevel() const override { return level(); }

private:
    std::optional<std::uint8_t> level() const;
    /// The user's name, else the kind's name for a single-battery device and the own name for others.
    QString shownName() const;
};

} // namespace quenby
