#pragma once

#include "quenby/controller.h"

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>
#include <optional>

namespace platform {
class MemoryCentral;
class MemoryPowerSources;
class MemoryRegistry;
class ScopedCentral;
class ScopedPowerSources;
class ScopedRegistry;
}
namespace dorsk {
class MemoryHelperDataModel;
}

namespace quenby {

/// A computer described by one JSON file instead of the real one: its device registry ("registry"),
/// power sources ("powerSources"), Low Energy peripherals ("peripherals") and the helper application's
/// store ("helperStore"; a machine with this section runs the helper). Each section is loaded by its
/// in-memory backend's own loader.
///
/// While it lives, the machine's registry, power sources and central are the process's current ones.
/// Reloading applies an edited file to the same backends, so finders keep working on it: registry
/// entries and power sources are replaced, peripherals keep their identity (their values change, those
/// no longer listed leave), the helper's lists are replaced. Main thread only.
class SimulatedMachine : public QObject {
    Q_OBJECT
public:
    /// Loads the file; throws platform::DecodingError naming the file and the place when it cannot be
    /// read, is not a JSON object, or a section is malformed.
    explicit SimulatedMachine(QString path, QObject *parent = nullptr);
    ~SimulatedMachine() override;

    /// The file, as an absolute path.
    QString path() const { return m_path; }

    /// Reads the file again. On failure the machine stays as it was and the error is returned (and
    /// signalled). Bytes already seen at the last look, good or bad, are neither applied nor reported
    /// again.
    std::optional<QString> reload();
    /// From now on reloads whenever the file changes on disk, also when an editor replaces it.
    void watch();

    /// Collaborators for a controller on this machine (the machine must outlive the controller): the
    /// helper store and the internal finder follow reloads; the other finders use the current backends.
    Controller::Collaborators collaborators();

    platform::MemoryRegistry &registry() { return *m_registry; }
    platform::MemoryPowerSources &powerSources() { return *m_powerSources; }
    platform::MemoryCentral &central() { return *m_central; }
    dorsk::MemoryHelperDataModel &helperStore() { return *m_helper; }
    /// The file has a helper store.
    bool helperRunning() const { return m_helperRunning; }
    /// Increases with every applied load.
    int generation() const { return m_generation; }

signals:
    void reloaded();
    void reloadFailed(const QString &error);

private:
    void apply(const QByteArray &bytes);
    void fileEvent();

    QString m_path;
    QByteArray m_seen;
    std::unique_ptr<platform::MemoryRegistry> m_registry;
    std::unique_ptr<platform::MemoryPowerSources> m_powerSources;
    std::unique_ptr<platform::MemoryCentral> m_central;
    std::unique_ptr<dorsk::MemoryHelperDataModel> m_helper;
    std::unique_ptr<platform::ScopedRegistry> m_useRegistry;
    std::unique_ptr<platform::ScopedPowerSources> m_usePowerSources;
    std::unique_ptr<platform::ScopedCentral> m_useCentral;
    QSet<QString> m_peripherals;
    bool m_helperRunning = false;
    int m_generation = 0;
    std::unique_ptr<QFileSystemWatcher> m_watcher;
};

} // namespace quenby
