#include "platform/core/regularfile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
    QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

    RegularFileRead failed(QString error)
    {
        RegularFileRead result;
        result.status = RegularFileRead::Status::Failed;
        result.error = std::move(error);
        return result;
    }
}

RegularFileRead readRegularFile(const QString &path)
{
    if (path.isEmpty())
        return failed(QStringLiteral("no file name"));
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT)
            return {};
        return failed(systemError(error));
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer { fd };

    struct stat st { };
    if (::fstat(fd, &st) != 0)
        return failed(systemError(errno));
    if (!S_ISREG(st.st_mode))
        return failed(QStringLiteral("not a regular file"));

    RegularFileRead result;
    result.status = RegularFileRead::Status::Read;
    if (st.st_size > 0)
        result.bytes.reserve(static_cast<qsizetype>(st.st_size));
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failed(systemError(errno));
        }
        result.bytes.append(buffer, static_cast<qsizetype>(n));
    }
    return result;
}

} // namespace platform
