#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace platform {
class UserDefaults;
}

namespace tavrin {

/// Asks the user once to rate the application in the store.
///
/// The first request under a key only notes the time; the first request at least three days later
/// asks for the store's rating prompt, and no request under that key asks again, also in later runs.
/// The state lives in the defaults suite "com.velmorn.appreviews": per key K, a Boolean under K
/// (asked) and the time of the first request under "init_K" (seconds since 1970). Main thread only.
class ReviewController {
public:
    static constexpr auto kSuiteName = "com.velmorn.appreviews";
    static constexpr auto kInitialCallKey = "init";
    /// Three days.
    static constexpr double kInterval = 259200;

    /// The process's controller, over the suite.
    static ReviewController &shared();

    /// A controller over `defaults`; without a store it never asks.
    explicit ReviewController(std::shared_ptr<platform::UserDefaults> defaults);
    virtual ~ReviewController();
    ReviewController(const ReviewController &) = delete;
    ReviewController &operator=(const ReviewController &) = delete;

    /// Asks for the rating prompt when it is due for `key`; nothing without a key.
    virtual void requestReview(const std::optional<QString> &key);
    /// Notes the first request under `key` and tells whether the waiting time has passed since it.
    virtual bool shouldAsk(const QString &key);

private:
    std::shared_ptr<platform::UserDefaults> m_defaults;
};

} // namespace tavrin
