#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

/// What reading a file that must be a regular file gave.
struct RegularFileRead {
    enum class Status {
        Read, ///< `bytes` holds the whole file
        Absent, ///< nothing at the path
        Failed, ///< something there that could not be read, or not a regular file; `error` says why
    };
    Status status = Status::Absent;
    QByteArray bytes;
    QString error;
};

/// Reads the whole file at `path` (symbolic links followed). It is opened without waiting, so a FIFO or
/// a device put where a file belongs never blocks the caller, and is read only when it turns out to be
/// a regular file.
RegularFileRead readRegularFile(const QString &path);

} // namespace platform
