#pragma once

#include <platform/ui/view.h>

namespace pirrow {

/// A card: a rounded surface in the warm background colour whose content may reach past its corners.
class CardView : public platform::ui::View {
    Q_OBJECT
public:
    explicit CardView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Writes the card's colour and corners into its layer.
    void update();

    void layout() override;
    void viewDidChangeEffectiveAppearance() override;
};

} // namespace pirrow
