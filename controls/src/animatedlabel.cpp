#include "pirrow/animatedlabel.h"

#include <platform/ui/transition.h>

namespace pirrow {

using namespace platform::ui;

AnimatedLabel::AnimatedLabel(const Rect &frame, QWidget *parent)
    : TextField(frame, parent)
{
}

void AnimatedLabel::setTitle(std::optional<QString> title)
{
    m_title = std::move(title);
    Transition fade;
    fade.setTimingFunction(TimingFunction::named(TimingFunction::Name::easeInEaseOut));
    fade.setType(Transition::Type::fade);
    fade.setDuration(m_duration);
    if (layer())
        layer()->addAnimation(fade, QStringLiteral("kCATransitionFade"));
    setStringValue(m_title.value_or(QString()));
}

} // namespace pirrow
