#pragma once

#include "pirrow/colorgradient.h"
#include "pirrow/colortheme.h"

namespace pirrow {

/// The 30 shared gradients, each built once on first use and then shared.
class Gradients {
public:
    static const ColorGradient &redToSalmon();
    static const ColorGradient &pinkToRed();
    static const ColorGradient &redToGreen();
    static const ColorGradient &tealToCyan();
    static const ColorGradient &violetToPink();
    static const ColorGradient &pinkToViolet();
    static const ColorGradient &orangeToYellow();
    static const ColorGradient &magentaToOrange();
    static const ColorGradient &goldToPlum();
    static const ColorGradient &plumToRaspberry();
    static const ColorGradient &raspberryToCoral();
    static const ColorGradient &coralToPeach();
    static const ColorGradient &plumToPeach();
    static const ColorGradient &pastel();
    static const ColorGradient &pastelLight();
    static const ColorGradient &pastelSecond();
    /// The system's red, orange, yellow, green, teal and blue (appearance-dependent colours).
    static const ColorGradient &rainbow();
    static const ColorGradient &orangeToRaspberry();
    static const ColorGradient &magentaToOrangeSecond();
    static const ColorGradient &blueToSky();
    static const ColorGradient &purpleToRose();
    static const ColorGradient &roseToPink();
    static const ColorGradient &fadedGreen();
    static const ColorGradient &fadedRed();
    static const ColorGradient &fadedBlue();
    static const ColorGradient &fadedYellow();
    static const ColorGradient &fadedTeal();
    static const ColorGradient &fadedPink();
    static const ColorGradient &fadedOrange();
    static const ColorGradient &magentaToOrangeThird();

    /// The gradient a theme selects.
    static const ColorGradient &forTheme(ColorTheme theme);

    Gradients() = delete;
};

} // namespace pirrow
