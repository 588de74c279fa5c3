#include "platform/ui/layoutconstraint.h"

#include "platform/ui/view.h"

namespace platform::ui {

std::shared_ptr<LayoutConstraint> LayoutConstraint::make(View *firstItem, LayoutAttribute firstAttribute,
    View *secondItem, LayoutAttribute secondAttribute, double constant, double multiplier)
{
    std::shared_ptr<LayoutConstraint> c(new LayoutConstraint);
    c->m_first = firstItem;
    c->m_firstAttribute = firstAttribute;
    c->m_second = secondItem;
    c->m_secondAttribute = secondAttribute;
    c->m_constant = constant;
    c->m_multiplier = multiplier;
    return c;
}

void LayoutConstraint::setConstant(double c)
{
    m_constant = c;
    if (!m_holder)
        return;
    m_holder->setNeedsLayout();
    // A view's own width or height is applied by its superview's layout.
    if (m_first == m_holder && !m_second)
        if (View *s = m_holder->superview())
            s->setNeedsLayout();
}

void LayoutConstraint::setActive(bool active)
{
    if (active == isActive())
        return;
    if (!active) {
        m_holder->removeConstraint(shared_from_this());
        return;
    }
    View *holder = m_first;
    if (m_second && m_first && m_first->superview() == m_second)
        holder = m_second;
    else if (m_second && m_first && m_second->superview() == m_first)
        holder = m_first;
    else if (m_second && m_first && m_first->superview() && m_first->superview() == m_second->superview())
        holder = m_first->superview();
    if (holder)
        holder->addConstraint(shared_from_this());
}

void LayoutConstraint::activate(const std::vector<std::shared_ptr<LayoutConstraint>> &constraints)
{
    for (const auto &c : constraints)
        if (c)
            c->setActive(true);
}

std::shared_ptr<LayoutConstraint> LayoutAnchor::constraintEqualTo(const LayoutAnchor &other, double constant) const
{
    return LayoutConstraint::make(m_item, m_attribute, other.m_item, other.m_attribute, constant);
}

std::shared_ptr<LayoutConstraint> LayoutAnchor::constraintEqualToConstant(double constant) const
{
    return LayoutConstraint::make(m_item, m_attribute, nullptr, m_attribute, constant);
}

} // namespace platform::ui
