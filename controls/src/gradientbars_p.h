#pragma once

#include "barplottergeometry_p.h"
#include "pirrow/screenextensions.h"

#include <platform/ui/color.h>
#include <platform/ui/gradientlayer.h>
#include <platform/ui/layer.h>
#include <platform/ui/shapelayer.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// Bars that show a slice of one full-height vertical gradient: each bar is a gradient layer masked by a shape
// layer carrying the bar's path. The plotters built this way differ only in the bar's path and in which values
// get a bar, so they share the layer bookkeeping below.
namespace pirrow::gradientbars {

using MaskList = std::vector<std::shared_ptr<platform::ui::ShapeLayer>>;
using GradientList = std::vector<std::shared_ptr<platform::ui::GradientLayer>>;
using Bar = std::pair<std::shared_ptr<platform::ui::ShapeLayer>, std::shared_ptr<platform::ui::GradientLayer>>;

/// Takes the bars of the last drawing off their layer and forgets them.
inline void remove(MaskList &masks, GradientList &gradients)
{
    for (const auto &mask : masks) {
        if (mask) {
            mask->removeAllAnimations();
            mask->removeFromSuperlayer();
        }
    }
    for (const auto &gradient : gradients)
        if (gradient)
            gradient->removeFromSuperlayer();
    masks.clear();
    gradients.clear();
}

/// A gradient of `colors` as large as `layer`, masked to `path`.
inline Bar make(
    const platform::ui::Layer &layer, const platform::ui::Path &path, const std::vector<platform::ui::Color> &colors)
{
    const double scale = ScreenExtensions::mainScale();
    auto mask = platform::ui::ShapeLayer::create();
    mask->setFrame(layer.bounds());
    mask->setPath(path);
    mask->setStrokeColor(platform::ui::Color::clear());
    mask->setFillColor(platform::ui::Color::black());
    mask->setContentsScale(scale);
    auto gradient = platform::ui::GradientLayer::create();
    gradient->setFrame(layer.bounds());
    gradient->setContentsScale(scale);
    gradient->setColors(colors);
    gradient->setStartPoint({ 0.5, 0 });
    gradient->setEndPoint({ 0.5, 1 });
    gradient->setMask(mask);
    return { mask, gradient };
}

/// Makes the bars 0..count-1 with `makeBar` and puts the gradients made on `layer`; every index keeps its slot in
/// the lists, empty where no bar was made.
template <typename MakeBar>
void add(platform::ui::Layer &layer, std::size_t count, MakeBar &&makeBar, MaskList &masks, GradientList &gradients)
{
    addBars(
        &layer, count,
        [&](std::size_t i) {
            auto [mask, gradient] = makeBar(i);
            masks.push_back(mask);
            return gradient;
        },
        gradients);
}

} // namespace pirrow::gradientbars
