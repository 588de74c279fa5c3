#pragma once

#include <platform/ui/view.h>

namespace pirrow {

/// A rounded panel, white (near-black under a dark appearance), with a soft shadow all around.
/// It takes its looks once it is in a superview, and again on appearance changes and setters.
class ShadowView : public platform::ui::View {
    Q_OBJECT
public:
    explicit ShadowView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);
    double shadowRadius() const { return m_shadowRadius; }
    void setShadowRadius(double radius);

    void update();
    void viewDidChangeEffectiveAppearance() override;
    void viewDidMoveToSuperview() override;

private:
    double m_cornerRadius = 8;
    double m_shadowRadius = 20;
};

} // namespace pirrow
