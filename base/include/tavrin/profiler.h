#pragma once

#include <QString>

#include <functional>

namespace tavrin {

/// Wall-clock measurements between a named start and stop, printed to standard output as
/// "<name>: <milliseconds with five decimals> ms". One process-wide table, so a measurement may start
/// on one thread and stop on another.
class Profiler {
public:
    /// Starts (or restarts) the measurement of that name from now.
    static void start(const QString &name = QStringLiteral("Profiler"));
    /// Prints and ends the measurement of that name; nothing when none runs.
    static void stop(const QString &name);
    /// Ends the measurement that comes first in the table; nothing when none runs.
    static void stop();

    /// Where the lines go (standard output unless a test catches them); an empty function restores it.
    static void setOutput(std::function<void(const QString &line)> output);

    Profiler() = delete;
};

} // namespace tavrin
