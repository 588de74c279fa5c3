#pragma once

#include "platform/ui/appearance.h"

#include <QColor>
#include <QDebug>
#include <QString>

#include <functional>
#include <memory>

namespace platform::ui {

/// A colour: either fixed RGBA components (0…1, sRGB) or appearance-dependent, resolved against an
/// appearance each time it is read. Reading the components of a dependent colour resolves it
/// against `Appearance::current()`, so the same colour drawn in a dark view and a light view gives
/// the two values. `resolved()` gives the fixed colour for one appearance (what a layer keeps).
class Color {
public:
    /// Fully transparent black.
    constexpr Color() = default;

    static Color fromRGBA(double red, double green, double blue, double alpha = 1.0);
    /// Components as whole numbers 0…255 (divided by 255); alpha as a fraction.
    static Color fromRGB255(int red, int green, int blue, double alpha = 1.0);
    /// A grey of the given white level.
    static Color fromWhite(double white, double alpha = 1.0);
    static Color fromQColor(const QColor &c);
    /// A colour that takes `light` or `dark` depending on whether the appearance it is resolved
    /// against is dark. `name` identifies it (two dependent colours are equal when their names are).
    static Color dynamic(const QString &name, const Color &light, const Color &dark);
    static Color dynamic(const QString &name, std::function<Color(const Appearance &)> provider);

    bool isDynamic() const { return static_cast<bool>(m_provider); }
    /// The name of a named colour (system colours, dependent colours); empty for plain components.
    QString name() const { return m_name; }

    Color resolved(const Appearance &appearance) const;
    Color resolved() const { return resolved(Appearance::current()); }

    double redComponent() const { return resolved().m_r; }
    double greenComponent() const { return resolved().m_g; }
    double blueComponent() const { return resolved().m_b; }
    double alphaComponent() const { return resolved().m_a; }

    /// The same colour with its alpha replaced (dependent colours stay dependent).
    Color withAlphaComponent(double alpha) const;
    QColor toQColor() const;
    QString debugText() const;

    friend bool operator==(const Color &a, const Color &b);

    // Fixed colours.
    static Color clear() { return {}; }
    static Color black() { return fromWhite(0); }
    static Color white() { return fromWhite(1); }
    static Color gray() { return fromWhite(0.5); }
    static Color lightGray() { return fromWhite(2.0 / 3.0); }
    static Color darkGray() { return fromWhite(1.0 / 3.0); }
    static Color red() { return fromRGBA(1, 0, 0); }
    static Color green() { return fromRGBA(0, 1, 0); }
    static Color blue() { return fromRGBA(0, 0, 1); }
    static Color cyan() { return fromRGBA(0, 1, 1); }
    static Color yellow() { return fromRGBA(1, 1, 0); }
    static Color magenta() { return fromRGBA(1, 0, 1); }
    static Color orange() { return fromRGBA(1, 0.5, 0); }
    static Color purple() { return fromRGBA(0.5, 0, 0.5); }
    static Color brown() { return fromRGBA(0.6, 0.4, 0.2); }

    // System colours: dependent on the appearance.
    static Color label();
    static Color secondaryLabel();
    static Color tertiaryLabel();
    static Color quaternaryLabel();
    static Color text();
    static Color textBackground();
    static Color controlText();
    static Color disabledControlText();
    static Color windowBackground();
    static Color controlBackground();
    static Color underPageBackground();
    static Color separator();
    static Color grid();
    static Color controlAccent();
    static Color selectedContentBackground();
    static Color unemphasizedSelectedContentBackground();
    static Color link();
    static Color shadow();
    static Color systemRed();
    static Color systemOrange();
    static Color systemYellow();
    static Color systemGreen();
    static Color systemMint();
    static Color systemTeal();
    static Color systemCyan();
    static Color systemBlue();
    static Color systemIndigo();
    static Color systemPurple();
    static Color systemPink();
    static Color systemBrown();
    static Color systemGray();

private:
    constexpr Color(double r, double g, double b, double a)
        : m_r(r)
        , m_g(g)
        , m_b(b)
        , m_a(a)
    {
    }

    double m_r = 0;
    double m_g = 0;
    double m_b = 0;
    double m_a = 0;
    QString m_name;
    std::shared_ptr<const std::function<Color(const Appearance &)>> m_provider;
    double m_alphaOverride = -1; // dependent colours: alpha replacing the resolved one, when >= 0
};

QDebug operator<<(QDebug d, const Color &c);
/// For QCOMPARE.
char *toString(const Color &c);

} // namespace platform::ui
