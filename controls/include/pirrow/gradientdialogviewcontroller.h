#pragma once

#include "pirrow/gradientview.h"

#include <platform/ui/button.h>
#include <platform/ui/geometry.h>
#include <platform/ui/layoutconstraint.h>
#include <platform/ui/textfield.h>
#include <platform/ui/view.h>
#include <platform/ui/viewcontroller.h>

#include <QPointer>

#include <memory>
#include <optional>

namespace pirrow {

/// The content of the gradient dialog: a header with a gradient band (title and subtitle), a black
/// box with the focus text and a close button, and below it the container that receives the shown
/// controller's view. It is the initial controller of the storyboard "GradientDialog".
///
/// The outlets are weak: a part removed from the dialog (the focus box when there is no focus text,
/// the close button when hidden) is destroyed and its outlet reads none.
class GradientDialogViewController : public platform::ui::ViewController {
public:
    GradientDialogViewController();
    ~GradientDialogViewController() override;

    platform::ui::TextField *titleLabel() const { return m_titleLabel.data(); }
    platform::ui::TextField *subtitleLabel() const { return m_subtitleLabel.data(); }
    platform::ui::TextField *focusLabel() const { return m_focusLabel.data(); }
    /// The black, rounded box behind the focus text.
    platform::ui::View *blackContainer() const { return m_blackContainer.data(); }
    /// Receives the shown controller's view.
    platform::ui::View *contentContainer() const { return m_contentContainer.data(); }
    platform::ui::Button *closeButton() const { return m_closeButton.data(); }
    /// The header's height.
    const std::shared_ptr<platform::ui::LayoutConstraint> &heightConstraint() const { return m_heightConstraint; }
    /// The focus box's distance from the bottom of the header.
    const std::shared_ptr<platform::ui::LayoutConstraint> &bottomConstraint() const { return m_bottomConstraint; }
    /// The header area.
    platform::ui::View *container() const { return m_container.data(); }
    /// Fills the header area; holds the gradient band and the focus box.
    platform::ui::View *headerContainer() const { return m_headerContainer.data(); }
    GradientView *gradientView() const { return m_gradientView.data(); }
    /// Pin the gradient band inside the header.
    const std::shared_ptr<platform::ui::LayoutConstraint> &left() const { return m_left; }
    const std::shared_ptr<platform::ui::LayoutConstraint> &top() const { return m_top; }
    const std::shared_ptr<platform::ui::LayoutConstraint> &right() const { return m_right; }

    /// Shows the focus text; none or an empty text collapses the header to the gradient band.
    void setFocusText(const std::optional<QString> &text);
    /// Hides the close button (and removes it); a hidden button leaves the header 8 points high.
    void setCloseButtonHidden(bool hidden);
    /// Closes the window of the controller's view (the close button's action).
    void closeClicked();

    /// The size the dialog needs to show `content` below its header: at least the dialog's own
    /// width, and the header plus the content's height (the dialog's own height for content without one).
    platform::ui::Size fittingSize(const platform::ui::View *content) const;

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    void setHeaderHeight(double height);

    QPointer<platform::ui::TextField> m_titleLabel;
    QPointer<platform::ui::TextField> m_subtitleLabel;
    QPointer<platform::ui::TextField> m_focusLabel;
    QPointer<platform::ui::View> m_blackContainer;
    QPointer<platform::ui::View> m_contentContainer;
    QPointer<platform::ui::Button> m_closeButton;
    std::shared_ptr<platform::ui::LayoutConstraint> m_heightConstraint;
    std::shared_ptr<platform::ui::LayoutConstraint> m_bottomConstraint;
    QPointer<platform::ui::View> m_container;
    QPointer<platform::ui::View> m_headerContainer;
    QPointer<GradientView> m_gradientView;
    std::shared_ptr<platform::ui::LayoutConstraint> m_left;
    std::shared_ptr<platform::ui::LayoutConstraint> m_top;
    std::shared_ptr<platform::ui::LayoutConstraint> m_right;
};

} // namespace pirrow
