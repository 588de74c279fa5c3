#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

/// What writing a whole file gave: success, or the step that failed and why.
struct FileWriteResult {
    bool ok = true;
    /// "cannot write /path: No space left on device", empty on success.
    QString error;

    explicit operator bool() const { return ok; }
};

/// The steps of an atomic write, in order (for failure injection in tests).
enum class FileWriteStep { Create, Write, Sync, Close, Rename };

/// Writes a whole file so that every reader, and every later start, finds either the old file byte for
/// byte or the new one whole: the bytes go to a temporary file beside it, which is written, flushed to
/// the disk (fsync), closed and renamed over the old one, each step checked. When any step fails (a full
/// disk, an I/O error, no permission) the temporary file is removed, the old file is left exactly as it
/// was, and the result names the file and the reason.
///
/// A symbolic link at the path is followed (the file it points to is replaced). An existing file keeps
/// its permission bits; a new one gets 0666 less the umask. Any thread.
FileWriteResult writeFileAtomically(const QString &path, const QByteArray &bytes);

/// Makes every atomic write in this process fail at `step` with the system error `error` while it
/// lives (tests). A failing write step has written part of the bytes first, as a full disk does.
class ScopedFileWriteFailure {
public:
    explicit ScopedFileWriteFailure(FileWriteStep step, int error);
    ~ScopedFileWriteFailure();
    ScopedFileWriteFailure(const ScopedFileWriteFailure &) = delete;
    ScopedFileWriteFailure &operator=(const ScopedFileWriteFailure &) = delete;
};

} // namespace platform
