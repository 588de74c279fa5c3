#include "platform/ui/storyboard.h"

#include "platform/ui/viewcontroller.h"

#include <map>
#include <utility>

namespace platform::ui {

namespace {
    using Key = std::pair<QString, QString>;

    std::map<Key, Storyboard::Factory> &factories()
    {
        static std::map<Key, Storyboard::Factory> s_factories;
        return s_factories;
    }
} // namespace

void Storyboard::registerController(const QString &name, const QString &identifier, Factory factory)
{
    if (factory)
        factories()[{ name, identifier }] = std::move(factory);
    else
        factories().erase({ name, identifier });
}

void Storyboard::unregisterStoryboard(const QString &name)
{
    std::erase_if(factories(), [&](const auto &entry) { return entry.first.first == name; });
}

std::optional<Storyboard> Storyboard::named(const QString &name)
{
    for (const auto &entry : factories())
        if (entry.first.first == name)
            return Storyboard(name);
    return std::nullopt;
}

std::unique_ptr<ViewController> Storyboard::instantiateInitialController() const
{
    return instantiateController(QString());
}

std::unique_ptr<ViewController> Storyboard::instantiateController(const QString &identifier) const
{
    const auto it = factories().find({ m_name, identifier });
    if (it == factories().end())
        return nullptr;
    return it->second();
}

} // namespace platform::ui
