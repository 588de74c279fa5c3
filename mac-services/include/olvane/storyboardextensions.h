#pragma once

#include <platform/ui/storyboard.h>
#include <platform/ui/viewcontroller.h>

#include <memory>

namespace olvane {

/// Loading controllers from storyboards by type.
class StoryboardExtensions {
public:
    /// The initial controller of storyboard `name` when it is a `T`; none when the storyboard, its
    /// initial controller or the type does not fit.
    template <typename T> static std::unique_ptr<T> instantiateInitial(const QString &name)
    {
        const auto storyboard = platform::ui::Storyboard::named(name);
        if (!storyboard)
            return nullptr;
        return cast<T>(storyboard->instantiateInitialController());
    }

    /// The controller `identifier` of storyboard `name` when it is a `T`; none otherwise.
    template <typename T> static std::unique_ptr<T> instantiate(const QString &name, const QString &identifier)
    {
        const auto storyboard = platform::ui::Storyboard::named(name);
        if (!storyboard)
            return nullptr;
        return cast<T>(storyboard->instantiateController(identifier));
    }

    static std::unique_ptr<platform::ui::ViewController> instantiateInitialViewController(const QString &name)
    {
        return instantiateInitial<platform::ui::ViewController>(name);
    }
    static std::unique_ptr<platform::ui::ViewController> instantiateViewController(
        const QString &name, const QString &identifier)
    {
        return instantiate<platform::ui::ViewController>(name, identifier);
    }

    StoryboardExtensions() = delete;

private:
    template <typename T> static std::unique_ptr<T> cast(std::unique_ptr<platform::ui::ViewController> controller)
    {
        if (auto *typed = dynamic_cast<T *>(controller.get())) {
            controller.release();
            return std::unique_ptr<T>(typed);
        }
        return nullptr;
    }
};

} // namespace olvane
