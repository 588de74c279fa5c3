#pragma once

#include <platform/ui/collectionview.h>

namespace pirrow {

/// A collection view without backgrounds: its background colours are only the clear colour, and it
/// never has a background view (setting one does nothing).
class NoBackgroundCollectionView : public platform::ui::CollectionView {
    Q_OBJECT
public:
    explicit NoBackgroundCollectionView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);
    virtual void removeBackground();
    platform::ui::View *backgroundView() const override;
    void setBackgroundView(platform::ui::View *view) override;
};

} // namespace pirrow
