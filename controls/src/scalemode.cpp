#include "pirrow/scalemode.h"

namespace pirrow {

namespace {
    constexpr std::array<double, 19> kRawValues { 0, 1, 2, 3, 4, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 100, 1000,
        1048576, 1073741824 };
}

const std::array<ScaleMode, 19> &allScaleModes()
{
    static const std::array<ScaleMode, 19> s_all = [] {
        std::array<ScaleMode, 19> a {};
        for (size_t i = 0; i < a.size(); ++i)
            a[i] = ScaleMode(i);
        return a;
    }();
    return s_all;
}

double rawValue(ScaleMode mode) { return kRawValues.at(size_t(mode)); }

std::optional<ScaleMode> scaleModeFromRawValue(double raw)
{
    for (size_t i = 0; i < kRawValues.size(); ++i)
        if (kRawValues[i] == raw)
            return ScaleMode(i);
    return std::nullopt;
}

} // namespace pirrow
