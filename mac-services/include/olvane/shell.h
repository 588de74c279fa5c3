#pragma once

#include "olvane/shelloutput.h"

#include <QStringList>

namespace olvane {

/// Runs command lines through /bin/bash.
class Shell {
public:
    Shell() = delete;

    /// Runs `bash -c arguments...`: the first argument is the command line, the others its positional
    /// parameters from $0 on. LC_ALL is "en_US.UTF-8"; standard error is discarded. Blocks until the
    /// command has ended; when bash cannot start, returns the start values at once.
    static ShellOutput run(const QStringList &arguments);
};

} // namespace olvane
