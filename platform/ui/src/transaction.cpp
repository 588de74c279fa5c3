#include "platform/ui/transaction.h"

#include <vector>

namespace platform::ui {

namespace {
    struct Frame {
        bool disableActions = false;
        double duration = 0.25;
        std::optional<TimingFunction> timing;
    };

    std::vector<Frame> &frames()
    {
        static std::vector<Frame> s_frames;
        return s_frames;
    }

    Frame &top()
    {
        static Frame s_outside;
        auto &f = frames();
        if (f.empty()) {
            s_outside = Frame();
            return s_outside;
        }
        return f.back();
    }
} // namespace

void Transaction::begin()
{
    auto &f = frames();
    f.push_back(f.empty() ? Frame() : f.back());
}

void Transaction::commit()
{
    auto &f = frames();
    if (!f.empty())
        f.pop_back();
}

bool Transaction::disableActions() { return top().disableActions; }

void Transaction::setDisableActions(bool disable) { top().disableActions = disable; }

double Transaction::animationDuration() { return top().duration; }

void Transaction::setAnimationDuration(double seconds) { top().duration = seconds; }

std::optional<TimingFunction> Transaction::animationTimingFunction() { return top().timing; }

void Transaction::setAnimationTimingFunction(std::optional<TimingFunction> f) { top().timing = f; }

int Transaction::depth() { return int(frames().size()); }

} // namespace platform::ui
