#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace quenby {

/// A fixed number of optional samples, oldest first: adding one drops the oldest. Starts full of
/// empty samples, so after n additions the last n positions hold them.
class SampleRing {
public:
    explicit SampleRing(std::size_t capacity);

    std::size_t size() const { return m_samples.size(); }
    /// Position 0 is the oldest sample, size() - 1 the newest.
    std::optional<double> at(std::size_t position) const;
    std::optional<double> newest() const { return at(size() - 1); }
    void append(std::optional<double> sample);
    /// Every sample, oldest first.
    std::vector<std::optional<double>> values() const;

private:
    std::vector<std::optional<double>> m_samples;
    // Where the oldest sample sits.
    std::size_t m_start = 0;
};

} // namespace quenby
