#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

namespace olvane {
class IHotkeyController;
}

namespace quenby {

/// The right-hand side of the main window: shows one page at a time, and while it is on screen
/// Command-Q quits the application even when another application is in front.
class ContentViewController final : public QWidget {
    Q_OBJECT
public:
    explicit ContentViewController(QWidget *parent = nullptr);
    ~ContentViewController() override;

    /// Takes the shown page out (it stays with its owner) and fills the content with `page`.
    void show(QWidget *page);
    using QWidget::show;
    QWidget *currentViewController() const { return m_current; }
    QWidget *content() const { return m_content; }

    olvane::IHotkeyController &hotkeys() const { return *m_hotkeys; }
    /// What a press of the hot key does; quits the application unless a test sets something else.
    void setTerminate(std::function<void()> terminate) { m_terminate = std::move(terminate); }
    void hotkeyPressed();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    class Forwarder;

    QWidget *m_content = nullptr;
    QPointer<QWidget> m_current;
    std::shared_ptr<olvane::IHotkeyController> m_hotkeys;
    std::shared_ptr<Forwarder> m_forwarder;
    std::function<void()> m_terminate;
};

} // namespace quenby
