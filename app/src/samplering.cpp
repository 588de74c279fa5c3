#include "quenby/samplering.h"

#include <cassert>

namespace quenby {

SampleRing::SampleRing(std::size_t capacity)
    : m_samples(capacity)
{
    assert(capacity > 0);
}

std::optional<double> SampleRing::at(std::size_t position) const
{
    assert(position < m_samples.size());
    return m_samples[(m_start + position) % m_samples.size()];
}

void SampleRing::append(std::optional<double> sample)
{
    m_samples[m_start] = sample;
    m_start = (m_start + 1) % m_samples.size();
}

std::vector<std::optional<double>> SampleRing::values() const
{
    std::vector<std::optional<double>> ordered;
    ordered.reserve(m_samples.size());
    ordered.insert(ordered.end(), m_samples.begin() + static_cast<std::ptrdiff_t>(m_start), m_samples.end());
    ordered.insert(ordered.end(), m_samples.begin(), m_samples.begin() + static_cast<std::ptrdiff_t>(m_start));
    return ordered;
}

} // namespace quenby
