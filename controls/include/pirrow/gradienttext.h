#pragma once

#include <platform/ui/color.h>
#include <platform/ui/font.h>
#include <platform/ui/view.h>

#include <vector>

namespace pirrow {

class MaskedOverlayView;

/// A text whose glyphs are filled with a horizontal gradient from the leading to the trailing edge.
/// The view takes exactly the text's natural size (lines centred); it is made once and not changed.
class GradientText : public platform::ui::View {
    Q_OBJECT
public:
    /// Default colours red to orange; default font the 24-point bold system font.
    explicit GradientText(const QString &text, std::vector<platform::ui::Color> colors = defaultColors(),
        const platform::ui::Font &font = defaultFont(), QWidget *parent = nullptr);

    static std::vector<platform::ui::Color> defaultColors();
    static platform::ui::Font defaultFont();

    const QString &text() const { return m_text; }
    const std::vector<platform::ui::Color> &colors() const { return m_colors; }
    const platform::ui::Font &font() const { return m_font; }

    void layout() override;

private:
    QString m_text;
    std::vector<platform::ui::Color> m_colors;
    platform::ui::Font m_font;
    MaskedOverlayView *m_body = nullptr;
};

} // namespace pirrow
