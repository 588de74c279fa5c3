#include "platform/ui/basicanimation.h"

namespace platform::ui {

BasicAnimation::BasicAnimation(QString keyPath)
    : m_keyPath(std::move(keyPath))
{
}

std::unique_ptr<Animation> BasicAnimation::clone() const { return std::make_unique<BasicAnimation>(*this); }

} // namespace platform::ui
