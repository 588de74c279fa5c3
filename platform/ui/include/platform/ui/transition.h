#pragma once

#include "platform/ui/animation.h"

namespace platform::ui {

/// Cross-fades a layer from what it showed when the transition was added to what it shows now.
class Transition final : public Animation {
public:
    enum class Type { fade };

    Transition() = default;
    std::unique_ptr<Animation> clone() const override;

    Type type() const { return m_type; }
    void setType(Type t) { m_type = t; }

private:
    Type m_type = Type::fade;
};

} // namespace platform::ui
