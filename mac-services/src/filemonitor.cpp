#include "olvane/filemonitor.h"

#include <platform/core/fileeventsource.h>

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace olvane {

FileMonitorError::FileMonitorError(const QString &description, int code)
    : std::runtime_error(description.toLocal8Bit().toStdString())
    , m_code(code)
{
}

FileMonitor::FileMonitor(const QUrl &url, QObject *parent)
    : QObject(parent)
    , m_url(url)
{
    const QString path = url.toLocalFile();
    if (!url.isLocalFile() || path.isEmpty())
        throw FileMonitorError(QStringLiteral("The URL \u201c%1\u201d names no file.").arg(url.toString()), ENOENT);
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        const int error = errno;
        throw FileMonitorError(QStringLiteral("The file \u201c%1\u201d couldn\u2019t be opened: %2")
                                   .arg(path, QString::fromLocal8Bit(std::strerror(error))),
            error);
    }
    m_source = std::make_unique<platform::FileEventSource>(m_fd,
        platform::FileEvent::Delete | platform::FileEvent::Write | platform::FileEvent::Extend
            | platform::FileEvent::Attrib | platform::FileEvent::Link | platform::FileEvent::Rename
            | platform::FileEvent::Revoke);
    connect(m_source.get(), &platform::FileEventSource::eventsOccurred, this, &FileMonitor::handleEvents);
    // Only what is appended from now on is handed on.
    ::lseek(m_fd, 0, SEEK_END);
}

FileMonitor::~FileMonitor()
{
    m_source.reset();
    if (m_fd >= 0)
        ::close(m_fd);
}

namespace {
    // Length of the UTF-8 sequence starting at `bytes[i]`: positive when complete and valid, 0 when
    // it runs past the end (and may still be completed), -1 when invalid.
    int sequenceLength(const QByteArray &bytes, qsizetype i)
    {
        const auto byte = [&](qsizetype k) { return quint8(bytes.at(k)); };
        const quint8 lead = byte(i);
        if (lead < 0x80)
            return 1;
        int length = 0;
        quint8 low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0; // no overlong forms
            if (lead == 0xED)
                high = 0x9F; // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            if (lead == 0xF4)
                high = 0x8F; // nothing above U+10FFFF
        } else {
            return -1;
        }
        for (int k = 1; k < length; ++k) {
            if (i + k >= bytes.size())
                return 0;
            const quint8 next = byte(i + k);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
                return -1;
        }
        return length;
    }
}

void FileMonitor::handleEvents()
{
    struct stat st { };
    if (::fstat(m_fd, &st) != 0)
        return;
    if (st.st_size < ::lseek(m_fd, 0, SEEK_CUR)) {
        // Truncated (a rotated log): what the file holds now was written since, so it is read from the start.
        ::lseek(m_fd, 0, SEEK_SET);
        m_pending.clear();
    }
    QByteArray bytes = m_pending;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        bytes.append(buffer, n);
    }
    QByteArray valid;
    valid.reserve(bytes.size());
    m_pending.clear();
    for (qsizetype i = 0; i < bytes.size();) {
        const int length = sequenceLength(bytes, i);
        if (length == 0) {
            // A character cut off by the end of a write; the next write completes it.
            m_pending = bytes.mid(i);
            break;
        }
        if (length < 0) {
            ++i;
            continue;
        }
        valid.append(bytes.constData() + i, length);
        i += length;
    }
    if (valid.isEmpty())
        return;
    if (const std::shared_ptr<FileMonitorDelegate> delegate = m_delegate.lock())
        delegate->didAppendText(QString::fromUtf8(valid));
}

} // namespace olvane
