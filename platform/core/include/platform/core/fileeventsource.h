#pragma once

#include <QFlags>
#include <QObject>

#include <memory>

class QSocketNotifier;

namespace platform {

/// Events of a file-system object, as a source on an open file descriptor reports them.
enum class FileEvent {
    Delete = 0x1, ///< the object's last link went away
    Write = 0x2, ///< the contents changed
    Extend = 0x4, ///< the object grew
    Attrib = 0x8, ///< metadata (permissions, times, link count) changed
    Link = 0x10, ///< the link count changed
    Rename = 0x20, ///< the object was moved or renamed
    Revoke = 0x40, ///< access went away (unmounted)
};
Q_DECLARE_FLAGS(FileEvents, FileEvent)
Q_DECLARE_OPERATORS_FOR_FLAGS(FileEvents)

/// Follows one open file-system object (by its descriptor, so it keeps following the object through
/// renames) and reports the events named in its mask. On Linux this is an inotify watch on the
/// descriptor; growth is told apart from other writes by the object's size.
///
/// Main thread (or any thread with an event loop): `eventsOccurred` arrives later from that thread's
/// event loop. Several events may be reported together. The descriptor stays the caller's: the source
/// never closes it, and must be destroyed (cancelled) before the descriptor is closed.
class FileEventSource : public QObject {
    Q_OBJECT
public:
    FileEventSource(int fileDescriptor, FileEvents mask, QObject *parent = nullptr);
    ~FileEventSource() override;

    /// False when the watch could not be set up (then no event ever arrives).
    bool isValid() const { return m_watch >= 0; }
    int fileDescriptor() const { return m_fd; }

signals:
    void eventsOccurred(platform::FileEvents events);

private:
    void readEvents();

    int m_fd;
    FileEvents m_mask;
    int m_inotify = -1;
    int m_watch = -1;
    qint64 m_size = 0;
    qint64 m_links = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace platform
