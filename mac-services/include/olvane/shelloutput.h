#pragma once

#include <QString>

#include <optional>

namespace olvane {

/// What a shell command printed and how it ended.
class ShellOutput {
public:
    /// Standard output decoded as UTF-8; empty when it is not valid UTF-8 (or the shell did not start).
    std::optional<QString> output;
    /// The exit status, or the number of the signal that ended the command.
    int exitCode = 0;
    /// True when the command ended by exiting, false when a signal ended it or it never ran.
    bool didExit = false;
};

} // namespace olvane
