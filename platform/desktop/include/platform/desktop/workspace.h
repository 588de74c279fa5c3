#pragma once

#include "platform/ui/image.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

namespace platform {

/// A running application: a process whose executable is `<bundle>.app/Contents/MacOS/<name>`.
struct RunningApplication {
    qint64 processIdentifier = 0;
    /// "CFBundleIdentifier" of the bundle's Info.plist; empty when it has none.
    std::optional<QString> bundleIdentifier;
    /// The `.app` directory.
    QString bundlePath;
    QString executablePath;

    bool operator==(const RunningApplication &) const = default;
};

/// The user's applications and browser.
///
/// An application is a bundle directory `Name.app` holding `Contents/Info.plist` (XML or binary;
/// "CFBundleIdentifier", "CFBundleExecutable", ...) and `Contents/MacOS/<CFBundleExecutable>`.
/// Installed applications live in applicationsFolder().
///
/// Main thread only. Completions arrive later from the event loop, never inside the call; failures
/// are reported only through them.
class Workspace : public QObject {
    Q_OBJECT
public:
    using Completion = std::function<void(bool ok)>;

    /// The running applications, in ascending process id; this process too when it runs from a bundle.
    virtual QList<RunningApplication> runningApplications() const = 0;
    /// Whether a running application has exactly this bundle identifier (what runningApplications()
    /// would show); a backend may answer it without listing every process.
    virtual bool isApplicationRunning(const QString &bundleIdentifier);

    /// Starts the bundle's executable as a detached process, unless a process of that bundle already
    /// runs (then it only reports success). Fails when the bundle has no Info.plist or no executable.
    virtual void openApplication(const QString &bundlePath, Completion done = {}) = 0;

    /// Opens the URL with the user's handler for its scheme (the browser for http and https).
    /// System-settings URLs ("x-apple.systempreferences:..." and the file URLs of preference panes)
    /// open the desktop's settings at the matching page; a page the desktop lacks fails.
    virtual void openUrl(const QUrl &url, Completion done = {}) = 0;

    /// A new image of the icon the desktop shows for the file or folder at `path` (a generic one when
    /// nothing is there), 32 points square.
    virtual ui::Image iconForFile(const QString &path);
    /// A new image of the icon the desktop shows for files of a content type (a MIME type name, or a
    /// generic document icon for a type it does not know), 32 points square.
    virtual ui::Image iconForContentType(const QString &typeIdentifier);

    /// Asks the application to quit (SIGTERM to its process); true when the request was delivered.
    virtual bool terminate(const RunningApplication &application);
    /// The command names of the running processes (as /proc/<pid>/comm gives them, at most 15
    /// bytes), in ascending process id; process 0 is never listed.
    virtual QStringList processNames() const;

    /// Shows the item at `path` selected in a file-manager window; `rootPath` is the folder that
    /// window should show (the item's folder when empty). Fails when nothing exists at `path` (or,
    /// with an empty `path`, at `rootPath`).
    virtual void selectFile(const QString &path, const QString &rootPath, Completion done = {}) = 0;

    /// The workspace of this process: the one installed by a ScopedWorkspace, else the Linux one.
    static Workspace &current();

    /// Where installed applications live: the folder set with setApplicationsFolder(), else
    /// $QUENBY_APPLICATIONS_FOLDER, else ~/Applications.
    static QString applicationsFolder();
    /// Overrides the applications folder for the rest of the run; an empty path restores the default.
    static void setApplicationsFolder(const QString &path);

signals:
    /// The computer is about to sleep.
    void willSleep();
    /// The computer woke from sleep.
    void didWake();

protected:
    explicit Workspace(QObject *parent = nullptr);
};

/// Installs a workspace for the lifetime of the guard, then restores the previous one.
class ScopedWorkspace {
public:
    explicit ScopedWorkspace(Workspace &workspace);
    ~ScopedWorkspace();
    ScopedWorkspace(const ScopedWorkspace &) = delete;
    ScopedWorkspace &operator=(const ScopedWorkspace &) = delete;

private:
    Workspace *m_previous;
};

/// Points the applications folder elsewhere for the lifetime of the guard (tests).
class ScopedApplicationsFolder {
public:
    explicit ScopedApplicationsFolder(const QString &path);
    ~ScopedApplicationsFolder();
    ScopedApplicationsFolder(const ScopedApplicationsFolder &) = delete;
    ScopedApplicationsFolder &operator=(const ScopedApplicationsFolder &) = delete;

private:
    std::optional<QString> m_previous;
};

} // namespace platform
