#include "platform/core/atomicfile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
    std::atomic<int> s_failingStep { -1 };
    std::atomic<int> s_failingError { 0 };

    // True (with errno set) when a test made this step fail.
    bool injectedFailure(FileWriteStep step)
    {
        if (s_failingStep.load() != int(step))
            return false;
        errno = s_failingError.load();
        return true;
    }

    const char *doing(FileWriteStep step)
    {
        switch (step) {
        case FileWriteStep::Create:
            return "creating a temporary file";
        case FileWriteStep::Write:
            return "writing";
        case FileWriteStep::Sync:
            return "flushing to the disk";
        case FileWriteStep::Close:
            return "closing";
        case FileWriteStep::Rename:
            return "replacing the old file";
        }
        return "writing";
    }

    // The file a path names, through any symbolic links (a settings folder kept elsewhere by a link
    // stays a link).
    QString resolved(const QString &path)
    {
        const QFileInfo info(path);
        if (!info.isSymLink())
            return path;
        const QString canonical = info.canonicalFilePath();
        return canonical.isEmpty() ? info.symLinkTarget() : canonical;
    }

    bool writeAll(int fd, const QByteArray &bytes)
    {
        const char *data = bytes.constData();
        qsizetype left = bytes.size();
        if (s_failingStep.load() == int(FileWriteStep::Write))
            left /= 2; // a full disk takes part of the bytes before it refuses the rest
        while (left > 0) {
            const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            data += n;
            left -= n;
        }
        return !injectedFailure(FileWriteStep::Write);
    }
}

FileWriteResult writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    const QString target = resolved(path);
    const QFileInfo info(target);
    const QByteArray folder = QFile::encodeName(info.absolutePath());

    struct stat existing { };
    const bool keepMode = ::stat(QFile::encodeName(target).constData(), &existing) == 0 && S_ISREG(existing.st_mode);

    QByteArray temporary;
    int fd = -1;
    FileWriteStep step = FileWriteStep::Create;
    const auto fail = [&]() {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        if (!temporary.isEmpty())
            ::unlink(temporary.constData());
        return FileWriteResult { false,
            QStringLiteral("cannot write %1: %2 (while %3)")
                .arg(path, QString::fromLocal8Bit(std::strerror(error)), QLatin1String(doing(step))) };
    };

    // A hidden name beside the file: the same file system (so the rename is atomic), and no reader of
    // the folder (an autostart folder, say) takes it for a file of its own.
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = folder + "/." + QFile::encodeName(info.fileName()) + '.'
            + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        if (injectedFailure(step)) {
            temporary.clear();
            return fail();
        }
        // 0666: the umask decides, as for any new file.
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0 && (errno != EEXIST || attempt >= 100)) {
            temporary.clear();
            return fail();
        }
    }
    if (keepMode)
        ::fchmod(fd, existing.st_mode & 07777);

    step = FileWriteStep::Write;
    if (!writeAll(fd, bytes))
        return fail();
    step = FileWriteStep::Sync;
    if (injectedFailure(step) || ::fsync(fd) != 0)
        return fail();
    step = FileWriteStep::Close;
    // Some file systems (NFS, FUSE) report a failed write only here.
    const bool closed = ::close(fd) == 0;
    fd = -1;
    if (injectedFailure(step) || !closed)
        return fail();
    step = FileWriteStep::Rename;
    if (injectedFailure(step) || ::rename(temporary.constData(), QFile::encodeName(target).constData()) != 0)
        return fail();

    // The new name reaches the disk too; the file is in place whether or not this works.
    const int folderFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return {};
}

ScopedFileWriteFailure::ScopedFileWriteFailure(FileWriteStep step, int error)
{
    s_failingError = error;
    s_failingStep = int(step);
}

ScopedFileWriteFailure::~ScopedFileWriteFailure() { s_failingStep = -1; }

} // namespace platform
