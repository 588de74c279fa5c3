#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

namespace platform::ui {

/// What a control or menu item does when used: a function of the sender (the control or item).
using Action = std::function<void(QObject *sender)>;

/// An action aimed at a target: the target scopes the action, which is no longer sent once a target
/// that was given has been destroyed. Without a target the action is always sent.
class TargetAction {
public:
    QObject *target() const { return m_target.data(); }
    void setTarget(QObject *target)
    {
        m_target = target;
        m_hasTarget = target != nullptr;
    }
    const Action &action() const { return m_action; }
    bool hasAction() const { return static_cast<bool>(m_action); }
    void setAction(Action action) { m_action = std::move(action); }

    /// Sends the action with `sender`; false when there is no action or its target is gone.
    bool send(QObject *sender) const
    {
        if (!m_action || (m_hasTarget && !m_target))
            return false;
        // A copy: the action may replace itself while it runs.
        const Action action = m_action;
        action(sender);
        return true;
    }

private:
    QPointer<QObject> m_target;
    bool m_hasTarget = false;
    Action m_action;
};

} // namespace platform::ui
