#include "pirrow/gradientdialog.h"

#include "pirrow/gradientdialogviewcontroller.h"
#include "pirrow/storyboards.h"

#include <platform/ui/layoutconstraint.h>
#include <platform/ui/storyboard.h>
#include <platform/ui/textfield.h>
#include <platform/ui/view.h>
#include <platform/ui/viewcontroller.h>

#include <QCoreApplication>

#include <utility>

namespace pirrow {

using namespace platform::ui;

namespace {
    // Empties the container; removed views go, as views nobody else holds do.
    void removeAllSubviews(View &view)
    {
        for (View *subview : view.subviews()) {
            subview->removeFromSuperview();
            delete subview;
        }
    }

    // Ties the view to all four edges of its superview.
    void pinToSuperview(View &view)
    {
        View *superview = view.superview();
        if (!superview)
            return;
        view.setTranslatesAutoresizingMaskIntoConstraints(false);
        for (const auto edge :
            { LayoutAttribute::top, LayoutAttribute::bottom, LayoutAttribute::leading, LayoutAttribute::trailing })
            LayoutConstraint::make(&view, edge, superview, edge)->setActive(true);
    }
} // namespace

GradientDialog &GradientDialog::shared()
{
    // Never destroyed: the dialog outlives the application object and its windows.
    static GradientDialog *s_shared = new GradientDialog;
    return *s_shared;
}

void GradientDialog::show(const QString &title, const QString &subtitle, const std::optional<QString> &focusText,
    std::shared_ptr<ViewController> content, bool resizable, bool hideCloseButton, double width, double height,
    bool keepSize)
{
    m_viewController = std::move(content);
    if (m_window) {
        // The open dialog keeps what it shows (a first-start hint is not swapped for the about panel).
        m_window->makeKeyAndOrderFront();
        m_window->setLevel(Window::Level::floating);
        return;
    }

    registerStoryboards();
    std::unique_ptr<ViewController> loaded;
    if (const auto storyboard = Storyboard::named(QString::fromLatin1(kGradientDialogStoryboard)))
        loaded = storyboard->instantiateInitialController();
    auto *dialog = dynamic_cast<GradientDialogViewController *>(loaded.get());
    if (!dialog)
        return;

    m_window = Window::withContentViewController(std::move(loaded));
    m_window->setDelegate(this);
    // A dialog still open when the application goes closes while widgets can still be deleted; a window
    // merely hidden then would be left to a later application as if it were open.
    if (!std::exchange(m_teardownRegistered, true))
        qAddPostRoutine([] { shared().closeForTeardown(); });
    prepareWindow();
    m_shownController = m_viewController;

    if (!keepSize) {
        const Size size { width, height };
        m_window->setContentSize(size);
        m_window->setContentMinSize(size);
        m_window->setMinSize(size);
        m_window->layoutIfNeeded();
    }

    dialog->titleLabel()->setStringValue(title);
    dialog->subtitleLabel()->setStringValue(subtitle);
    dialog->setFocusText(focusText);

    View *container = dialog->contentContainer();
    removeAllSubviews(*container);
    View *shown = m_shownController ? m_shownController->view() : nullptr;
    if (shown) {
        container->addSubview(shown);
        pinToSuperview(*shown);
    }

    dialog->setCloseButtonHidden(hideCloseButton);

    if (keepSize)
        m_window->setContentSize(dialog->fittingSize(shown));
    if (resizable)
        m_window->setStyleMask(m_window->styleMask() | Window::resizable);
    else
        m_window->setStyleMask(m_window->styleMask() & ~unsigned(Window::resizable));

    m_window->makeKeyAndOrderFront();
    m_window->setLevel(Window::Level::floating);
    m_window->setMovableByWindowBackground(true);
    m_window->center();
}

void GradientDialog::closeForTeardown()
{
    m_teardownRegistered = false;
    const QPointer<Window> window = m_window;
    if (!window)
        return;
    window->close();
    delete window.data();
}

void GradientDialog::prepareWindow()
{
    if (!m_window)
        return;
    m_window->setTitlebarAppearsTransparent(true);
    m_window->setTitle(QString());
    m_window->setTitleVisibility(Window::TitleVisibility::hidden);
    m_window->setStyleMask(m_window->styleMask() | Window::fullSizeContentView);
    m_window->setStandardButtonHidden(Window::Button::miniaturize, true);
    m_window->setStandardButtonHidden(Window::Button::zoom, true);
}

void GradientDialog::detachContent()
{
    if (m_shownController && m_shownController->isViewLoaded())
        m_shownController->view()->removeFromSuperview();
}

void GradientDialog::windowWillClose(Window *window)
{
    if (window != m_window)
        return;
    detachContent();
    m_shownController.reset();
    m_viewController.reset();
    window->setDelegate(nullptr);
    m_window = nullptr;
}

} // namespace pirrow
