#pragma once

#include <platform/ui/imageview.h>
#include <platform/ui/textfield.h>
#include <platform/ui/viewcontroller.h>

#include <QPointer>

namespace pirrow {

/// One tile of the other-apps panel: the application's icon, name and subtitle, 256 × 232 points.
class OtherAppCell : public platform::ui::ViewController {
public:
    static constexpr double kWidth = 256;
    static constexpr double kHeight = 232;

    platform::ui::ImageView *iconView() const { return m_iconView.data(); }
    platform::ui::TextField *appTitle() const { return m_appTitle.data(); }
    platform::ui::TextField *appSubtitle() const { return m_appSubtitle.data(); }

protected:
    void loadView() override;

private:
    QPointer<platform::ui::ImageView> m_iconView;
    QPointer<platform::ui::TextField> m_appTitle;
    QPointer<platform::ui::TextField> m_appSubtitle;
};

} // namespace pirrow
