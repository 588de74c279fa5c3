#include "tavrin/reviewcontroller.h"

#include <platform/core/clock.h>
#include <platform/core/userdefaults.h>
#include <platform/desktop/storereview.h>

namespace tavrin {

ReviewController &ReviewController::shared()
{
    static ReviewController s_shared(platform::UserDefaults::suite(QString::fromLatin1(kSuiteName)));
    return s_shared;
}

ReviewController::ReviewController(std::shared_ptr<platform::UserDefaults> defaults)
    : m_defaults(std::move(defaults))
{
}

ReviewController::~ReviewController() = default;

void ReviewController::requestReview(const std::optional<QString> &key)
{
    if (!key)
        return;
    if (m_defaults && m_defaults->boolean(*key))
        return;
    if (!shouldAsk(*key))
        return;
    platform::StoreReview::requestReview();
    if (m_defaults)
        m_defaults->set(*key, true);
}

bool ReviewController::shouldAsk(const QString &key)
{
    const QString initialKey = QString::fromLatin1(kInitialCallKey) + u'_' + key;
    if (!m_defaults)
        return false;
    const double first = m_defaults->real(initialKey);
    const double now = platform::Clock::current().timestamp();
    if (first == 0) {
        m_defaults->set(initialKey, now);
        return false;
    }
    return now >= first + kInterval;
}

} // namespace tavrin
