#include "pirrow/gradients.h"

#include "pirrow/colors.h"

namespace pirrow {

namespace {
    Color rgb(int r, int g, int b) { return Color::fromRGB255(r, g, b); }

    ColorGradient magentaToOrangeBuilder()
    {
        return ColorGradient(std::vector<Color> { rgb(217, 87, 169), rgb(233, 69, 63), rgb(243, 143, 67) });
    }

    ColorGradient pastelBuilder()
    {
        return ColorGradient(std::vector<Color> { rgb(255, 154, 162), rgb(255, 183, 178), rgb(255, 218, 193),
            rgb(226, 240, 203), rgb(181, 234, 215), rgb(199, 206, 234) });
    }

    // Builds a gradient once per call site (each lambda is its own type) and shares it afterwards.
    template <typename Build> const ColorGradient &shared(Build build)
    {
        static const ColorGradient g = build();
        return g;
    }

    // The system colour with its alpha replaced by 0.22, then the system colour as it is.
    ColorGradient fadedBuilder(const Color &system) { return ColorGradient(system.withAlphaComponent(0.22), system); }
} // namespace

const ColorGradient &Gradients::redToSalmon()
{
    return shared([] { return ColorGradient(rgb(220, 28, 19), rgb(240, 116, 112)); });
}
const ColorGradient &Gradients::pinkToRed()
{
    return shared([] { return ColorGradient(rgb(251, 93, 117), rgb(249, 36, 61)); });
}
const ColorGradient &Gradients::redToGreen()
{
    return shared([] {
        return ColorGradient(std::vector<Color> {
            rgb(204, 50, 50), rgb(219, 123, 43), rgb(231, 180, 22), rgb(153, 193, 64), rgb(45, 201, 55) });
    });
}
const ColorGradient &Gradients::tealToCyan()
{
    return shared([] { return ColorGradient(Colors::teal(), Colors::cyan()); });
}
const ColorGradient &Gradients::violetToPink()
{
    return shared([] { return ColorGradient(rgb(107, 55, 255), rgb(246, 64, 157)); });
}
const ColorGradient &Gradients::pinkToViolet()
{
    return shared([] { return ColorGradient(rgb(246, 64, 157), rgb(107, 55, 255)); });
}
const ColorGradient &Gradients::orangeToYellow()
{
    return shared([] { return ColorGradient(rgb(249, 86, 23), rgb(253, 209, 42)); });
}
const ColorGradient &Gradients::magentaToOrange()
{
    return shared([] { return magentaToOrangeBuilder(); });
}
const ColorGradient &Gradients::goldToPlum()
{
    return shared([] {
        return ColorGradient(std::vector<Color> { rgb(251, 220, 132), rgb(242, 85, 151), rgb(169, 61, 118) });
    });
}
const ColorGradient &Gradients::plumToRaspberry()
{
    return shared([] { return ColorGradient(rgb(110, 55, 110), rgb(202, 74, 125)); });
}
const ColorGradient &Gradients::raspberryToCoral()
{
    return shared([] { return ColorGradient(rgb(203, 74, 125), rgb(252, 110, 135)); });
}
const ColorGradient &Gradients::coralToPeach()
{
    return shared([] { return ColorGradient(rgb(253, 112, 135), rgb(253, 158, 129)); });
}
const ColorGradient &Gradients::plumToPeach()
{
    return shared([] {
        return ColorGradient(std::vector<Color> { rgb(110, 55, 110), rgb(203, 74, 125), rgb(253, 158, 129) });
    });
}
const ColorGradient &Gradients::pastel()
{
    return shared([] { return pastelBuilder(); });
}
const ColorGradient &Gradients::pastelLight()
{
    return shared([] {
        return ColorGradient(std::vector<Color> {
            rgb(255, 179, 186), rgb(255, 223, 186), rgb(255, 255, 186), rgb(186, 255, 201), rgb(186, 225, 255) });
    });
}
const ColorGradient &Gradients::pastelSecond()
{
    return shared([] { return pastelBuilder(); });
}
const ColorGradient &Gradients::rainbow()
{
    return shared([] {
        return ColorGradient(std::vector<Color> { Color::systemRed(), Color::systemOrange(), Color::systemYellow(),
            Color::systemGreen(), Color::systemTeal(), Color::systemBlue() });
    });
}
const ColorGradient &Gradients::orangeToRaspberry()
{
    return shared([] { return ColorGradient(rgb(255, 138, 0), rgb(229, 46, 113)); });
}
const ColorGradient &Gradients::magentaToOrangeSecond()
{
    return shared([] { return magentaToOrangeBuilder(); });
}
const ColorGradient &Gradients::blueToSky()
{
    return shared([] { return ColorGradient(rgb(3, 125, 175), rgb(78, 176, 204)); });
}
const ColorGradient &Gradients::purpleToRose()
{
    return shared([] {
        return ColorGradient(std::vector<Color> { rgb(165, 29, 212), rgb(205, 79, 169), rgb(208, 93, 153) });
    });
}
const ColorGradient &Gradients::roseToPink()
{
    return shared([] {
        return ColorGradient(std::vector<Color> { rgb(212, 146, 146), rgb(212, 134, 174), rgb(208, 94, 147) });
    });
}
const ColorGradient &Gradients::fadedGreen()
{
    return shared([] { return fadedBuilder(Color::systemGreen()); });
}
const ColorGradient &Gradients::fadedRed()
{
    return shared([] { return fadedBuilder(Color::systemRed()); });
}
const ColorGradient &Gradients::fadedBlue()
{
    return shared([] { return fadedBuilder(Color::systemBlue()); });
}
const ColorGradient &Gradients::fadedYellow()
{
    return shared([] { return fadedBuilder(Color::systemYellow()); });
}
const ColorGradient &Gradients::fadedTeal()
{
    return shared([] { return fadedBuilder(Color::systemTeal()); });
}
const ColorGradient &Gradients::fadedPink()
{
    return shared([] { return fadedBuilder(Color::systemPink()); });
}
const ColorGradient &Gradients::fadedOrange()
{
    return shared([] { return fadedBuilder(Color::systemOrange()); });
}
const ColorGradient &Gradients::magentaToOrangeThird()
{
    return shared([] { return magentaToOrangeBuilder(); });
}

const ColorGradient &Gradients::forTheme(ColorTheme theme)
{
    switch (theme) {
    case ColorTheme::cardOne:
        return plumToRaspberry();
    case ColorTheme::cardTwo:
        return raspberryToCoral();
    case ColorTheme::cardThree:
        return coralToPeach();
    case ColorTheme::cardFull:
        return plumToPeach();
    case ColorTheme::custom:
        break;
    }
    return magentaToOrangeThird();
}

} // namespace pirrow
