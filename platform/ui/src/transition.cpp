#include "platform/ui/transition.h"

namespace platform::ui {

std::unique_ptr<Animation> Transition::clone() const { return std::make_unique<Transition>(*this); }

} // namespace platform::ui
