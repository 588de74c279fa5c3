#pragma once

#include <QByteArray>
#include <QObject>
#include <QUrl>

#include <memory>
#include <stdexcept>

namespace platform {
class FileEventSource;
}

namespace olvane {

/// Told the text appended to a followed file.
class FileMonitorDelegate {
public:
    virtual ~FileMonitorDelegate() = default;
    virtual void didAppendText(const QString &text) = 0;
};

/// A file that could not be opened for following.
class FileMonitorError : public std::runtime_error {
public:
    FileMonitorError(const QString &description, int code);
    /// The system's error number.
    int code() const { return m_code; }
    QString description() const { return QString::fromLocal8Bit(what()); }

private:
    int m_code;
};

/// Follows one file like a log tail: whenever the file grows, the text appended since the last time
/// is handed to the delegate. Text that was in the file before the monitor existed is never handed
/// on. The open file is followed even when it is renamed; a file put in its place is not.
///
/// The appended bytes are read as UTF-8: a character cut off at the end of one write is completed by
/// the next; bytes that are no UTF-8 are dropped. When the file is found shorter than what was read
/// (truncated, as a rotated log is), it is read again from its start. Main thread only: the delegate
/// is called from the event loop.
/// Releasing the monitor stops following and closes the file.
class FileMonitor : public QObject {
    Q_OBJECT
public:
    /// Opens the file for reading; throws FileMonitorError when that fails.
    explicit FileMonitor(const QUrl &url, QObject *parent = nullptr);
    ~FileMonitor() override;

    QUrl url() const { return m_url; }
    std::weak_ptr<FileMonitorDelegate> delegate() const { return m_delegate; }
    void setDelegate(std::weak_ptr<FileMonitorDelegate> delegate) { m_delegate = std::move(delegate); }

private:
    void handleEvents();

    QUrl m_url;
    int m_fd = -1;
    std::unique_ptr<platform::FileEventSource> m_source;
    std::weak_ptr<FileMonitorDelegate> m_delegate;
    QByteArray m_pending;
};

} // namespace olvane
