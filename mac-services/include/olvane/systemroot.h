#pragma once

#include <QString>

namespace olvane {

/// The folder below which the library reads the machine's own files (/etc, /proc, /sys): "/" on a
/// running system, a fixture tree in tests. Facts worked out from these files are worked out again
/// after the root changes. Main thread only.
class SystemRoot {
public:
    SystemRoot() = delete;

    static QString path();
    static void setPath(const QString &path);
    /// `absolutePath` ("/etc/os-release") below the root.
    static QString file(const QString &absolutePath);
    /// Counts the changes of the root, so that kept facts can tell they are out of date.
    static quint64 generation();
};

/// Puts the root at `path` for the lifetime of the guard.
class ScopedSystemRoot {
public:
    explicit ScopedSystemRoot(const QString &path);
    ~ScopedSystemRoot();
    ScopedSystemRoot(const ScopedSystemRoot &) = delete;
    ScopedSystemRoot &operator=(const ScopedSystemRoot &) = delete;

private:
    QString m_previous;
};

} // namespace olvane
