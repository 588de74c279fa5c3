#pragma once

namespace pirrow {

/// How a graph writes its label values.
enum class AutoGraphMode {
    /// Plain numbers with the graph's unit text.
    none,
    /// Bytes per second: the maximum picks a byte-rate unit, each label is divided into its band.
    byteSpeed,
    /// Bytes per second shown as bits per second.
    bitSpeed
};

} // namespace pirrow
