#pragma once

namespace quenby {

class IController;

/// A view controller that is handed the application's one controller when it is shown.
class IControllable {
public:
    virtual ~IControllable() = default;
    virtual IController *controller() const = 0;
    virtual void setController(IController *controller) = 0;
};

} // namespace quenby
