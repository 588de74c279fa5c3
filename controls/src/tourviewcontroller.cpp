#include "pirrow/tourviewcontroller.h"

#include "pirrow/viewextensions.h"

namespace pirrow {

using namespace platform::ui;

namespace {

class Forwarder : public DotViewDelegate {
public:
    explicit Forwarder(TourViewController &owner)
        : m_owner(owner)
    {
    }
    void showPage(int index) override { m_owner.showPage(index); }

private:
    TourViewController &m_owner;
};

} // namespace

TourViewController::TourViewController()
    : m_dotsDelegate(std::make_shared<Forwarder>(*this))
{
}

TourViewController::~TourViewController() = default;

void TourViewController::loadView()
{
    auto *root = new View(Rect(0, 0, 480, 360));
    auto *host = new View(Rect(0, 48, 480, 312));
    auto *previous = new Button(Rect(12, 12, 32, 24));
    previous->setTitle(QStringLiteral("‹"));
    previous->setBezelStyle(Button::BezelStyle::none);
    previous->setAction([this] { previousClicked(); });
    auto *next = new Button(Rect(436, 12, 32, 24));
    next->setTitle(QStringLiteral("›"));
    next->setBezelStyle(Button::BezelStyle::none);
    next->setAction([this] { nextClicked(); });
    auto *dots = new DotView(Rect(140, 18, 200, 12));
    for (View *v : { host, static_cast<View *>(previous), static_cast<View *>(next), static_cast<View *>(dots) })
        root->addSubview(v);
    m_hostView = host;
    m_previous = previous;
    m_next = next;
    m_dotsView = dots;
    setView(root);
}

void TourViewController::viewDidLoad()
{
    ViewController::viewDidLoad();
    m_dotsView->setDelegate(m_dotsDelegate);
}

void TourViewController::viewWillAppear()
{
    const int pages = int(m_pages.size());
    m_dotsView->setCount(pages);
    const bool single = pages < 2;
    m_previous->setHidden(single);
    m_next->setHidden(single);
    m_dotsView->setHidden(single);
    if (pages > 0) {
        // Every appearance starts at the first page, with its dot selected.
        m_dotsView->setSelectedDot(0);
        showPage(0);
    }
}

void TourViewController::showPage(int index)
{
    // The pages' controllers keep their views: take them out without destroying them.
    for (View *shown : m_hostView->subviews())
        shown->removeFromSuperview();
    if (index < 0 || index >= int(m_pages.size()))
        return;
    View *page = m_pages[size_t(index)]->view();
    m_hostView->addSubview(page);
    ViewExtensions::pinToSuperview(*page);
}

void TourViewController::previousClicked()
{
    const int selected = m_dotsView->selectedDot();
    m_dotsView->setSelectedDot(selected == 0 ? m_dotsView->count() - 1 : selected - 1);
    showPage(m_dotsView->selectedDot());
}

void TourViewController::nextClicked()
{
    const int selected = m_dotsView->selectedDot();
    m_dotsView->setSelectedDot(selected < int(m_pages.size()) - 1 ? selected + 1 : 0);
    showPage(m_dotsView->selectedDot());
}

} // namespace pirrow
