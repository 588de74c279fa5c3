#include "platform/desktop/storereview.h"

namespace platform {

namespace {
    int s_requests = 0;
}

void StoreReview::requestReview() { ++s_requests; }

int StoreReview::requestCount() { return s_requests; }

} // namespace platform
