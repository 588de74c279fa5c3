#pragma once

#include <platform/ui/button.h>
#include <platform/ui/textfield.h>
#include <platform/ui/viewcontroller.h>

#include <QPointer>

namespace pirrow {

/// The about panel's content: the copyright line, the privacy text and a link to the maker's home
/// page. It is the initial controller of the storyboard "About".
class AboutViewController : public platform::ui::ViewController {
public:
    AboutViewController();
    ~AboutViewController() override;

    platform::ui::TextField *lblCopyright() const { return m_copyright.data(); }
    platform::ui::TextField *lblPrivacy() const { return m_privacy.data(); }
    /// The link to the home page.
    platform::ui::Button *homepageButton() const { return m_homepage.data(); }

    /// Opens the maker's home page in the browser.
    void homepageClicked();

protected:
    void loadView() override;

private:
    QPointer<platform::ui::TextField> m_copyright;
    QPointer<platform::ui::TextField> m_privacy;
    QPointer<platform::ui::Button> m_homepage;
};

} // namespace pirrow
