#include "platform/ui/appearance.h"

#include "platform/ui/systemappearance.h"

namespace platform::ui {

namespace {
    const ScopedDrawingAppearance *s_drawing = nullptr;
}

QString Appearance::name() const
{
    switch (m_kind) {
    case Kind::aqua:
        return QStringLiteral("NSAppearanceNameAqua");
    case Kind::darkAqua:
        return QStringLiteral("NSAppearanceNameDarkAqua");
    case Kind::vibrantLight:
        return QStringLiteral("NSAppearanceNameVibrantLight");
    case Kind::vibrantDark:
        return QStringLiteral("NSAppearanceNameVibrantDark");
    }
    return {};
}

bool Appearance::isDark() const { return name().toLower().contains(QLatin1String("dark")); }

Appearance Appearance::current()
{
    if (s_drawing)
        return s_drawing->m_appearance;
    return SystemAppearance::instance().effective();
}

ScopedDrawingAppearance::ScopedDrawingAppearance(Appearance appearance)
    : m_previous(s_drawing)
    , m_appearance(appearance)
{
    s_drawing = this;
}

ScopedDrawingAppearance::~ScopedDrawingAppearance() { s_drawing = m_previous; }

} // namespace platform::ui
