#include "platform/core/fileeventsource.h"

#include <QByteArray>
#include <QSocketNotifier>

#include <cerrno>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

FileEventSource::FileEventSource(int fileDescriptor, FileEvents mask, QObject *parent)
    : QObject(parent)
    , m_fd(fileDescriptor)
    , m_mask(mask)
{
    struct stat st { };
    if (::fstat(m_fd, &st) == 0) {
        m_size = qint64(st.st_size);
        m_links = qint64(st.st_nlink);
    }
    m_inotify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_inotify < 0)
        return;
    // The descriptor's /proc link resolves to the open object itself, so the watch follows that object
    // and not whatever later takes its name.
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(m_fd);
    m_watch = ::inotify_add_watch(m_inotify, link.constData(),
        IN_MODIFY | IN_ATTRIB | IN_MOVE_SELF | IN_DELETE_SELF | IN_UNMOUNT | IN_CLOSE_WRITE);
    if (m_watch < 0) {
        ::close(m_inotify);
        m_inotify = -1;
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_inotify, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &FileEventSource::readEvents);
}

FileEventSource::~FileEventSource()
{
    m_notifier.reset();
    if (m_inotify >= 0)
        ::close(m_inotify);
}

void FileEventSource::readEvents()
{
    FileEvents events;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_inotify, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t offset = 0; offset < n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + offset);
            offset += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & (IN_MODIFY | IN_CLOSE_WRITE))
                events |= FileEvent::Write;
            if (event->mask & IN_ATTRIB)
                events |= FileEvent::Attrib;
            if (event->mask & IN_MOVE_SELF)
                events |= FileEvent::Rename;
            if (event->mask & IN_DELETE_SELF)
                events |= FileEvent::Delete;
            if (event->mask & IN_UNMOUNT)
                events |= FileEvent::Revoke;
        }
    }
    if (events & (FileEvent::Write | FileEvent::Attrib)) {
        struct stat st { };
        if (::fstat(m_fd, &st) == 0) {
            const qint64 size = qint64(st.st_size);
            if (size > m_size)
                events |= FileEvent::Extend;
            // A truncation can show only as an attribute change; it changed the contents all the same.
            if (size < m_size)
                events |= FileEvent::Write;
            m_size = size;
            if (qint64(st.st_nlink) != m_links)
                events |= FileEvent::Link;
            m_links = qint64(st.st_nlink);
            if (st.st_nlink == 0)
                events |= FileEvent::Delete;
        }
    }
    events &= m_mask;
    if (events)
        emit eventsOccurred(events);
}

} // namespace platform
