#pragma once

#include <QString>

namespace platform::ui {

/// A look of the interface: light or dark, plain or vibrant. Compared by name.
///
/// Code that draws asks `Appearance::current()`: inside a view's drawing (and inside a
/// `ScopedDrawingAppearance`) that is the view's effective appearance, elsewhere the application's
/// (see SystemAppearance). Main thread only.
class Appearance {
public:
    enum class Kind { aqua, darkAqua, vibrantLight, vibrantDark };

    constexpr Appearance() = default;
    constexpr explicit Appearance(Kind kind)
        : m_kind(kind)
    {
    }

    static constexpr Appearance aqua() { return Appearance(Kind::aqua); }
    static constexpr Appearance darkAqua() { return Appearance(Kind::darkAqua); }

    constexpr Kind kind() const { return m_kind; }
    /// "NSAppearanceNameAqua", "NSAppearanceNameDarkAqua", "NSAppearanceNameVibrantLight" or
    /// "NSAppearanceNameVibrantDark".
    QString name() const;
    /// The name, lower-cased, contains "dark".
    bool isDark() const;

    /// The appearance drawing code should use now.
    static Appearance current();

    friend constexpr bool operator==(const Appearance &, const Appearance &) = default;

private:
    Kind m_kind = Kind::aqua;
};

/// Makes `appearance` the current one for drawing until destroyed (scopes nest).
class ScopedDrawingAppearance {
public:
    explicit ScopedDrawingAppearance(Appearance appearance);
    ~ScopedDrawingAppearance();
    ScopedDrawingAppearance(const ScopedDrawingAppearance &) = delete;
    ScopedDrawingAppearance &operator=(const ScopedDrawingAppearance &) = delete;

private:
    const ScopedDrawingAppearance *m_previous;
    Appearance m_appearance;
    friend class Appearance;
};

} // namespace platform::ui
