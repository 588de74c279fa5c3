#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace platform::ui {

class ViewController;

/// Interface descriptions become code: a storyboard is a name under which factories are registered,
/// one per controller identifier, the empty identifier naming the initial controller. A library
/// registers its storyboards before it instantiates them; names are unique across the program.
/// Main thread only.
class Storyboard {
public:
    using Factory = std::function<std::unique_ptr<ViewController>()>;

    /// Registers (or replaces) the factory of controller `identifier` of storyboard `name`.
    static void registerController(const QString &name, const QString &identifier, Factory factory);
    static void registerInitialController(const QString &name, Factory factory)
    {
        registerController(name, QString(), std::move(factory));
    }
    /// Forgets every factory of storyboard `name`.
    static void unregisterStoryboard(const QString &name);

    /// The storyboard `name`, or empty when nothing is registered under it.
    static std::optional<Storyboard> named(const QString &name);

    QString name() const { return m_name; }
    /// A new initial controller, or none when the storyboard has no initial controller.
    std::unique_ptr<ViewController> instantiateInitialController() const;
    /// A new controller `identifier`, or none when the storyboard has no such controller.
    std::unique_ptr<ViewController> instantiateController(const QString &identifier) const;

private:
    explicit Storyboard(QString name)
        : m_name(std::move(name))
    {
    }
    QString m_name;
};

} // namespace platform::ui
