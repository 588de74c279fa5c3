#pragma once

#include "platform/ui/timingfunction.h"

#include <optional>
#include <utility>

namespace platform::ui {

/// Groups layer changes. Inside `begin`…`commit` the settings below apply to the implicit
/// animations that property changes start; nested transactions start from the settings of the one
/// around them. Outside any transaction actions are enabled with a duration of 0.25 seconds.
/// Main thread only.
class Transaction {
public:
    static void begin();
    static void commit();

    /// When true, property changes take effect at once, without implicit animation.
    static bool disableActions();
    static void setDisableActions(bool disable);
    static double animationDuration();
    static void setAnimationDuration(double seconds);
    /// Empty means the default timing.
    static std::optional<TimingFunction> animationTimingFunction();
    static void setAnimationTimingFunction(std::optional<TimingFunction> f);

    /// Runs `f` inside a transaction with actions disabled and gives its result. The transaction is
    /// committed before an exception from `f` passes on.
    template <typename F> static decltype(auto) withoutActions(F &&f)
    {
        struct Scope {
            Scope()
            {
                begin();
                setDisableActions(true);
            }
            ~Scope() { commit(); }
        } scope;
        return std::forward<F>(f)();
    }

    /// How many transactions are open.
    static int depth();
};

} // namespace platform::ui
