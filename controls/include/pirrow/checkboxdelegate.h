#pragma once

namespace pirrow {

/// Told when a click changed a `CheckBox`'s state (or met a state outside the cycle), with the state it
/// now has.
class CheckBoxDelegate {
public:
    virtual ~CheckBoxDelegate() = default;
    virtual void checkBoxStateChanged(int state) = 0;
};

} // namespace pirrow
