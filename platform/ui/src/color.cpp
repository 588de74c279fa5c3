#include "platform/ui/color.h"

#include <QHash>

#include <algorithm>
#include <cstring>

namespace platform::ui {

namespace {
    double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

    // System colours are created once and shared, so each keeps its identity (equal by name).
    Color systemColor(const char *name, Color light, Color dark)
    {
        static QHash<QString, Color> s_colors;
        const QString key = QString::fromLatin1(name);
        auto it = s_colors.find(key);
        if (it == s_colors.end())
            it = s_colors.insert(key, Color::dynamic(key, light, dark));
        return *it;
    }
} // namespace

Color Color::fromRGBA(double red, double green, double blue, double alpha)
{
    return Color(clamp01(red), clamp01(green), clamp01(blue), clamp01(alpha));
}

Color Color::fromRGB255(int red, int green, int blue, double alpha)
{
    return fromRGBA(red / 255.0, green / 255.0, blue / 255.0, alpha);
}

Color Color::fromWhite(double white, double alpha) { return fromRGBA(white, white, white, alpha); }

Color Color::fromQColor(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return fromRGBA(rgb.redF(), rgb.greenF(), rgb.blueF(), rgb.alphaF());
}

Color Color::dynamic(const QString &name, const Color &light, const Color &dark)
{
    return dynamic(name, [light, dark](const Appearance &a) { return a.isDark() ? dark : light; });
}

Color Color::dynamic(const QString &name, std::function<Color(const Appearance &)> provider)
{
    Color c;
    c.m_name = name;
    c.m_provider = std::make_shared<const std::function<Color(const Appearance &)>>(std::move(provider));
    return c;
}

Color Color::resolved(const Appearance &appearance) const
{
    if (!m_provider)
        return *this;
    Color c = (*m_provider)(appearance).resolved(appearance);
    if (m_alphaOverride >= 0)
        c.m_a = m_alphaOverride;
    c.m_name.clear();
    return c;
}

Color Color::withAlphaComponent(double alpha) const
{
    Color c = *this;
    if (m_provider)
        c.m_alphaOverride = clamp01(alpha);
    else
        c.m_a = clamp01(alpha);
    return c;
}

QColor Color::toQColor() const
{
    const Color c = resolved();
    return QColor::fromRgbF(float(c.m_r), float(c.m_g), float(c.m_b), float(c.m_a));
}

bool operator==(const Color &a, const Color &b)
{
    if (a.m_provider || b.m_provider)
        return a.m_provider && b.m_provider && a.m_name == b.m_name && a.m_alphaOverride == b.m_alphaOverride;
    return a.m_r == b.m_r && a.m_g == b.m_g && a.m_b == b.m_b && a.m_a == b.m_a;
}

QString Color::debugText() const
{
    if (m_provider)
        return QStringLiteral("Color(%1%2)")
            .arg(m_name, m_alphaOverride >= 0 ? QStringLiteral(", alpha %1").arg(m_alphaOverride) : QString());
    return QStringLiteral("Color(%1, %2, %3, %4)").arg(m_r).arg(m_g).arg(m_b).arg(m_a);
}

QDebug operator<<(QDebug d, const Color &c)
{
    QDebugStateSaver s(d);
    d.noquote() << c.debugText();
    return d;
}

char *toString(const Color &c)
{
    const QByteArray text = c.debugText().toUtf8();
    char *out = new char[size_t(text.size()) + 1];
    std::memcpy(out, text.constData(), size_t(text.size()) + 1);
    return out;
}

// The values follow the usual desktop palettes: label texts are black or white at reduced opacity,
// accents are the saturated system hues, slightly lighter in the dark appearance.
Color Color::label() { return systemColor("labelColor", fromWhite(0, 0.85), fromWhite(1, 0.85)); }
Color Color::secondaryLabel() { return systemColor("secondaryLabelColor", fromWhite(0, 0.5), fromWhite(1, 0.55)); }
Color Color::tertiaryLabel() { return systemColor("tertiaryLabelColor", fromWhite(0, 0.26), fromWhite(1, 0.25)); }
Color Color::quaternaryLabel() { return systemColor("quaternaryLabelColor", fromWhite(0, 0.1), fromWhite(1, 0.1)); }
Color Color::text() { return systemColor("textColor", fromWhite(0), fromWhite(1)); }
Color Color::textBackground() { return systemColor("textBackgroundColor", fromWhite(1), fromRGB255(30, 30, 30)); }
Color Color::controlText() { return systemColor("controlTextColor", fromWhite(0, 0.85), fromWhite(1, 0.85)); }
Color Color::disabledControlText()
{
    return systemColor("disabledControlTextColor", fromWhite(0, 0.25), fromWhite(1, 0.25));
}
Color Color::windowBackground()
{
    return systemColor("windowBackgroundColor", fromRGB255(236, 236, 236), fromRGB255(50, 50, 50));
}
Color Color::controlBackground() { return systemColor("controlBackgroundColor", fromWhite(1), fromRGB255(30, 30, 30)); }
Color Color::underPageBackground()
{
    return systemColor("underPageBackgroundColor", fromRGB255(150, 150, 150, 0.9), fromRGB255(40, 40, 40));
}
Color Color::separator() { return systemColor("separatorColor", fromWhite(0, 0.1), fromWhite(1, 0.1)); }
Color Color::grid() { return systemColor("gridColor", fromRGB255(230, 230, 230), fromRGB255(26, 26, 26)); }
Color Color::controlAccent()
{
    return systemColor("controlAccentColor", fromRGB255(0, 122, 255), fromRGB255(10, 132, 255));
}
Color Color::selectedContentBackground()
{
    return systemColor("selectedContentBackgroundColor", fromRGB255(0, 99, 225), fromRGB255(0, 88, 208));
}
Color Color::unemphasizedSelectedContentBackground()
{
    return systemColor("unemphasizedSelectedContentBackgroundColor", fromRGB255(220, 220, 220), fromRGB255(70, 70, 70));
}
Color Color::link() { return systemColor("linkColor", fromRGB255(0, 104, 218), fromRGB255(65, 156, 255)); }
Color Color::shadow() { return systemColor("shadowColor", fromWhite(0), fromWhite(0)); }
Color Color::systemRed() { return systemColor("systemRedColor", fromRGB255(255, 59, 48), fromRGB255(255, 69, 58)); }
Color Color::systemOrange()
{
    return systemColor("systemOrangeColor", fromRGB255(255, 149, 0), fromRGB255(255, 159, 10));
}
Color Color::systemYellow()
{
    return systemColor("systemYellowColor", fromRGB255(255, 204, 0), fromRGB255(255, 214, 10));
}
Color Color::systemGreen() { return systemColor("systemGreenColor", fromRGB255(40, 205, 65), fromRGB255(50, 215, 75)); }
Color Color::systemMint() { return systemColor("systemMintColor", fromRGB255(0, 199, 190), fromRGB255(102, 212, 207)); }
Color Color::systemTeal()
{
    return systemColor("systemTealColor", fromRGB255(89, 173, 196), fromRGB255(106, 196, 220));
}
Color Color::systemCyan() { return systemColor("systemCyanColor", fromRGB255(85, 190, 240), fromRGB255(90, 205, 250)); }
Color Color::systemBlue() { return systemColor("systemBlueColor", fromRGB255(0, 122, 255), fromRGB255(10, 132, 255)); }
Color Color::systemIndigo()
{
    return systemColor("systemIndigoColor", fromRGB255(88, 86, 214), fromRGB255(94, 92, 230));
}
Color Color::systemPurple()
{
    return systemColor("systemPurpleColor", fromRGB255(175, 82, 222), fromRGB255(191, 90, 242));
}
Color Color::systemPink() { return systemColor("systemPinkColor", fromRGB255(255, 45, 85), fromRGB255(255, 55, 95)); }
Color Color::systemBrown()
{
    return systemColor("systemBrownColor", fromRGB255(162, 132, 94), fromRGB255(172, 142, 104));
}
Color Color::systemGray()
{
    return systemColor("systemGrayColor", fromRGB255(142, 142, 147), fromRGB255(152, 152, 157));
}

} // namespace platform::ui
