#include "tavrin/threadedobject.h"

namespace tavrin::detail {

std::int64_t nextQueueLabelNumber()
{
    // Atomic, so that objects made at the same moment on two threads still get labels of their own.
    static std::atomic<std::int64_t> s_counter { 0 };
    return s_counter.fetch_add(1);
}

} // namespace tavrin::detail
