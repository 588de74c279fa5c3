#pragma once

#include "platform/ui/menu.h"
#include "platform/ui/menudelegate.h"
#include "platform/ui/menuitem.h"
#include "platform/ui/mouseevent.h"
#include "platform/ui/view.h"

#include <QStringList>

namespace platform::ui::test {

/// Writes every delegate call into a shared log: "willOpen", "highlight:<title>" ("highlight:-" for
/// none), "didClose".
class RecordingMenuDelegate : public MenuDelegate {
public:
    explicit RecordingMenuDelegate(QStringList &log)
        : m_log(log)
    {
    }
    void menuWillOpen(Menu &) override { m_log << QStringLiteral("willOpen"); }
    void menuDidClose(Menu &) override { m_log << QStringLiteral("didClose"); }
    void menuWillHighlightItem(Menu &, MenuItem *item) override
    {
        m_log << QStringLiteral("highlight:") + (item ? item->title() : QStringLiteral("-"));
        if (onHighlight)
            onHighlight(item);
    }
    std::function<void(MenuItem *)> onHighlight;

private:
    QStringList &m_log;
};

/// A row view that logs its mouse downs and ups and remembers whether its item was highlighted each
/// time it drew.
class RowView : public View {
public:
    RowView(const Rect &frame, QStringList &log)
        : View(frame)
        , m_log(log)
    {
    }
    void mouseDown(const MouseEvent &e) override
    {
        m_log << QStringLiteral("down %1,%2").arg(e.location.x).arg(e.location.y);
    }
    void mouseUp(const MouseEvent &e) override
    {
        m_log << QStringLiteral("up %1,%2").arg(e.location.x).arg(e.location.y);
    }
    void drawRect(GraphicsContext &, const Rect &) override
    {
        const MenuItem *item = MenuItem::enclosingMenuItem(this);
        drawnHighlighted << (item && item->isHighlighted());
    }
    QList<bool> drawnHighlighted;

private:
    QStringList &m_log;
};

} // namespace platform::ui::test
