#pragma once

#include <QObject>
#include <QString>

#include <optional>

namespace quenbylauncher {

/// The launcher's whole job: start the application that contains it unless that already runs, then
/// wait until the application tells it to quit with "killme" (its bundle identifier as object).
///
/// Main thread only. Ending is asked for with `terminationRequested`; the program entry ends the
/// event loop with that status.
class AppDelegate : public QObject {
    Q_OBJECT
public:
    /// `bundlePath`: the launcher's own bundle (default: the running program's bundle).
    explicit AppDelegate(QString bundlePath = {}, QObject *parent = nullptr);

    /// The application's bundle identifier.
    QString mainIdentifier() const { return m_mainIdentifier; }
    QString bundlePath() const { return m_bundlePath; }

    /// Called once the event loop runs.
    void applicationDidFinishLaunching();
    void startMainApplication();

    /// The application bundle that holds a launcher bundle at `bundlePath`
    /// (`<App>.app/Contents/Library/LoginItems/<Launcher>.app`): four path components up. Empty when
    /// the path is too short for anything but the root to remain.
    static std::optional<QString> mainApplicationPath(const QString &bundlePath);

public slots:
    /// Ends the launcher normally; the action of "killme".
    void terminate();

signals:
    void terminationRequested(int exitCode);

private:
    const QString m_mainIdentifier;
    const QString m_bundlePath;
};

} // namespace quenbylauncher
