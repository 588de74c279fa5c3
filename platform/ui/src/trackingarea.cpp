#include "platform/ui/trackingarea.h"

#include "platform/ui/view.h"

namespace platform::ui {

TrackingArea::TrackingArea(const Rect &rect, unsigned options, View *owner, QVariantMap userInfo)
    : m_rect(rect)
    , m_options(options)
    , m_owner(owner)
    , m_userInfo(std::move(userInfo))
{
}

} // namespace platform::ui
