#include "quenby/contentviewcontroller.h"

#include <olvane/hotkey.h>
#include <olvane/hotkeycontroller.h>
#include <olvane/hotkeydelegate.h>
#include <olvane/key.h>
#include <olvane/modifierflags.h>

#include <QCoreApplication>
#include <QHideEvent>
#include <QShowEvent>
#include <QVBoxLayout>

namespace quenby {

// The hot-key controller keeps its delegate strongly; this forwarder lets the content go first.
class ContentViewController::Forwarder final : public olvane::HotkeyDelegate {
public:
    explicit Forwarder(ContentViewController *owner)
        : m_owner(owner)
    {
    }
    void hotkeyPressed(const olvane::Hotkey &) override
    {
        if (m_owner)
            m_owner->hotkeyPressed();
    }

private:
    QPointer<ContentViewController> m_owner;
};

ContentViewController::ContentViewController(QWidget *parent)
    : QWidget(parent)
    , m_content(new QWidget(this))
    , m_hotkeys(olvane::HotkeyController::create())
    , m_forwarder(std::make_shared<Forwarder>(this))
    , m_terminate([] { QCoreApplication::quit(); })
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_content);
    auto *inner = new QVBoxLayout(m_content);
    inner->setContentsMargins(0, 0, 0, 0);
}

ContentViewController::~ContentViewController()
{
    m_hotkeys->unregisterAll();
    if (m_current)
        m_current->setParent(nullptr);
}

void ContentViewController::show(QWidget *page)
{
    if (m_current == page)
        return;
    if (m_current) {
        m_current->hide();
        m_content->layout()->removeWidget(m_current);
        m_current->setParent(nullptr);
    }
    m_current = page;
    if (!page)
        return;
    page->setParent(m_content);
    m_content->layout()->addWidget(page);
    page->show();
}

void ContentViewController::hotkeyPressed()
{
    if (m_terminate)
        m_terminate();
}

void ContentViewController::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_hotkeys->registerHotkey(
        olvane::Hotkey(std::nullopt, olvane::Key::q, olvane::ModifierFlags { olvane::ModifierFlags::command }));
    m_hotkeys->setDelegate(m_forwarder);
}

void ContentViewController::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_hotkeys->unregisterAll();
}

} // namespace quenby
