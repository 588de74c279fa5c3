#pragma once

#include "pirrow/dotview.h"

#include <platform/ui/button.h>
#include <platform/ui/viewcontroller.h>

#include <QPointer>

#include <memory>
#include <vector>

namespace pirrow {

/// A paged tour: one page's view at a time in the host view, previous and next buttons that wrap
/// around, and a row of dots that selects a page. The pages are given by whoever shows the tour, before
/// the view appears; the controller keeps them alive and only puts their views into the host view.
class TourViewController : public platform::ui::ViewController, public DotViewDelegate {
public:
    TourViewController();
    ~TourViewController() override;

    platform::ui::Button *previous() const { return m_previous; }
    platform::ui::Button *next() const { return m_next; }
    platform::ui::View *hostView() const { return m_hostView; }
    DotView *dotsView() const { return m_dotsView; }

    const std::vector<std::shared_ptr<platform::ui::ViewController>> &viewControllers() const { return m_pages; }
    void setViewControllers(std::vector<std::shared_ptr<platform::ui::ViewController>> pages)
    {
        m_pages = std::move(pages);
    }

    /// Shows page `index` in the host view; an index beyond the pages only empties it.
    void showPage(int index) override;
    void previousClicked();
    void nextClicked();

    /// Before the view is shown (whoever shows the tour calls it): sizes the dots to the pages, hides
    /// the controls for fewer than two pages and shows the first page.
    void viewWillAppear();

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    /// Stands in for the controller as the dots' weakly held delegate.
    std::shared_ptr<DotViewDelegate> m_dotsDelegate;
    QPointer<platform::ui::Button> m_previous;
    QPointer<platform::ui::Button> m_next;
    QPointer<platform::ui::View> m_hostView;
    QPointer<DotView> m_dotsView;
    std::vector<std::shared_ptr<platform::ui::ViewController>> m_pages;
};

} // namespace pirrow
