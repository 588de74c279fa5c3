#pragma once

namespace quenby {

/// A page that follows the refresh cycle: told after every refresh of the controller. It registers
/// while it is shown and must unregister before it is destroyed.
class Observer {
public:
    virtual ~Observer() = default;
    virtual void update() = 0;
};

} // namespace quenby
