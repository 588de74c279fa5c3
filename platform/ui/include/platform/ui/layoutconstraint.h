#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace platform::ui {

class View;

enum class LayoutAttribute { leading, trailing, top, bottom, width, height, centerX, centerY };

/// A relation `firstItem.firstAttribute = multiplier × secondItem.secondAttribute + constant`, as
/// edge constraints are usually written: top and bottom are the visual ones and a positive constant
/// moves an edge down or to the right. Views resolve, in their `layout`, the active constraints that
/// tie a subview to them (edges, centres, sizes) or give a subview a fixed width or height.
class LayoutConstraint : public std::enable_shared_from_this<LayoutConstraint> {
public:
    static std::shared_ptr<LayoutConstraint> make(View *firstItem, LayoutAttribute firstAttribute, View *secondItem,
        LayoutAttribute secondAttribute, double constant = 0, double multiplier = 1);

    View *firstItem() const { return m_first; }
    LayoutAttribute firstAttribute() const { return m_firstAttribute; }
    View *secondItem() const { return m_second; }
    LayoutAttribute secondAttribute() const { return m_secondAttribute; }
    double constant() const { return m_constant; }
    void setConstant(double c);
    double multiplier() const { return m_multiplier; }
    /// A name for finding the constraint among a view's constraints again; empty by default.
    QString identifier() const { return m_identifier; }
    void setIdentifier(const QString &identifier) { m_identifier = identifier; }
    bool isActive() const { return m_holder != nullptr; }
    /// Activating adds it to the view that resolves it (the second item when it is the first item's
    /// superview, else the first item); deactivating removes it.
    void setActive(bool active);
    static void activate(const std::vector<std::shared_ptr<LayoutConstraint>> &constraints);

private:
    friend class View;
    LayoutConstraint() = default;
    View *m_first = nullptr;
    LayoutAttribute m_firstAttribute = LayoutAttribute::leading;
    View *m_second = nullptr;
    LayoutAttribute m_secondAttribute = LayoutAttribute::leading;
    double m_constant = 0;
    double m_multiplier = 1;
    QString m_identifier;
    View *m_holder = nullptr;
};

/// One attribute of a view, for writing constraints: `a.topAnchor().constraintEqualTo(b.topAnchor(), 8)`.
class LayoutAnchor {
public:
    LayoutAnchor(View *item, LayoutAttribute attribute)
        : m_item(item)
        , m_attribute(attribute)
    {
    }
    std::shared_ptr<LayoutConstraint> constraintEqualTo(const LayoutAnchor &other, double constant = 0) const;
    std::shared_ptr<LayoutConstraint> constraintEqualToConstant(double constant) const;

private:
    View *m_item;
    LayoutAttribute m_attribute;
};

} // namespace platform::ui
