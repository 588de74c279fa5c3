#include "pirrow/gradienttext.h"

#include "pirrow/maskedoverlayview.h"

#include <platform/ui/gradientlayer.h>
#include <platform/ui/textfield.h>

namespace pirrow {

using namespace platform::ui;

namespace {

/// A left-to-right gradient over the whole view.
class GradientFill : public View {
public:
    explicit GradientFill(const std::vector<Color> &colors)
        : m_gradient(platform::ui::GradientLayer::create())
    {
        setWantsLayer(true);
        m_gradient->setColors(colors);
        m_gradient->setStartPoint({ 0, 0.5 });
        m_gradient->setEndPoint({ 1, 0.5 });
        layer()->addSublayer(m_gradient);
    }
    void layout() override
    {
        View::layout();
        m_gradient->setFrame(bounds());
    }

private:
    std::shared_ptr<platform::ui::GradientLayer> m_gradient;
};

} // namespace

GradientText::GradientText(const QString &text, std::vector<Color> colors, const Font &font, QWidget *parent)
    : View(Rect(), parent)
    , m_text(text)
    , m_colors(std::move(colors))
    , m_font(font)
{
    auto label = std::make_unique<TextField>();
    label->setStringValue(m_text);
    label->setFont(m_font);
    label->setAlignment(TextAlignment::center);
    const Size natural = label->fittingSize();
    label->setFrameSize(natural);
    m_body = new MaskedOverlayView(std::move(label), std::make_unique<GradientFill>(m_colors));
    m_body->setFrame(Rect({ 0, 0 }, natural));
    addSubview(m_body);
    setFrameSize(natural);
}

std::vector<Color> GradientText::defaultColors() { return { Color::systemRed(), Color::systemOrange() }; }

Font GradientText::defaultFont() { return Font::systemFont(24, FontWeight::bold); }

void GradientText::layout()
{
    View::layout();
    // Always its natural size, centred in whatever frame it was given.
    const Size natural = m_body->frame().size;
    m_body->setFrameOrigin({ (bounds().width() - natural.width) / 2, (bounds().height() - natural.height) / 2 });
}

} // namespace pirrow
