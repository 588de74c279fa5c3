#pragma once

namespace platform {

/// The store's rating prompt for the running application.
///
/// There is no application store on Linux desktops, so a request shows nothing; it is counted so the
/// code that decides when to ask can be observed. Main thread only.
class StoreReview {
public:
    StoreReview() = delete;

    /// Asks for the rating prompt; whether one appears is up to the system (here: never).
    static void requestReview();
    /// Requests made in this process so far.
    static int requestCount();
};

} // namespace platform
