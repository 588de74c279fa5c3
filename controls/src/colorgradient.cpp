#include "pirrow/colorgradient.h"

#include "pirrow/colors.h"

namespace pirrow {

ColorGradient::ColorGradient(const Color &startColor, const Color &endColor)
    : mColors { startColor, endColor }
    , start(startColor)
    , end(endColor)
{
}

ColorGradient::ColorGradient(const std::vector<Color> &colors)
    : mColors(colors)
{
    if (colors.empty()) {
        mColors = { Colors::teal(), Colors::cyan() };
        start = Colors::teal();
        end = Colors::cyan();
        return;
    }
    start = colors.front();
    end = colors.back();
}

std::vector<Color> ColorGradient::fadedColors() const
{
    if (mColors.size() == 2)
        return { start.withAlphaComponent(0.75), end.withAlphaComponent(0.2) };
    std::vector<Color> out;
    const double n = double(mColors.size());
    for (size_t i = 0; i < mColors.size(); ++i)
        out.push_back(mColors[i].withAlphaComponent(0.9 - (0.7 / n) * double(i)));
    return out;
}

std::vector<Color> ColorGradient::alphaColors(
    const Color &startColor, const Color &endColor, double startAlpha, double endAlpha)
{
    return { startColor.withAlphaComponent(startAlpha), endColor.withAlphaComponent(endAlpha) };
}

} // namespace pirrow
