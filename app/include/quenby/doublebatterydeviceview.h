#pragma once

#include "quenby/baseview.h"

namespace quenby {

/// Draws an accessory with two units (say, left and right earbud) in a status item, by app mode:
/// 0 its name above two bars or both percentages, 1 each unit's picture with its percentage,
/// 2 nothing, 3 its picture beside two vertical bars. A unit without a level shows "-" in its place.
class DoubleBatteryDeviceView : public BaseView {
    Q_OBJECT
public:
    /// The narrowest the view is in mode 0.
    static constexpr double kMinimumCompactWidth = 88;

    explicit DoubleBatteryDeviceView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Mode 0: the measured name's width, at least 88; 1: 104; 2: 68; 3: the picture's width + 20.
    double itemWidth() const override;
    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;
    /// Both levels as digits, the first above the second; the device's picture unless both are known.
    void drawTrayRendition(platform::ui::GraphicsContext &context, double side) const override;
    QString trayToolTip() const override;
    std::optional<std::uint8_t> lowestLevel() const override;
};

} // namespace quenby
