#pragma once

#include <pirrow/simpletileview.h>

#include <optional>

namespace platform::ui {
class ImageView;
class TextField;
}

namespace quenby {

/// A display-mode tile of the settings page: a picture of the status items in that mode above its
/// caption.
class ModeTileView final : public pirrow::SimpleTileView {
    Q_OBJECT
public:
    static constexpr double kWidth = 160;
    static constexpr double kHeight = 96;

    explicit ModeTileView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    platform::ui::ImageView *picture() const { return m_picture; }
    platform::ui::TextField *caption() const { return m_caption; }

    /// Draws the mode's picture anew (after a change of the look settings) and sets the caption. The
    /// picture is drawn again when the look of the status bar may have changed with the tile's.
    void showMode(int mode);

    void layout() override;
    void viewDidChangeEffectiveAppearance() override;

private:
    std::optional<int> m_mode;
    platform::ui::ImageView *m_picture = nullptr;
    platform::ui::TextField *m_caption = nullptr;
};

} // namespace quenby
