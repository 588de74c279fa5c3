#pragma once

#include "platform/core/value.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

namespace platform {

/// A persistent dictionary of settings: the standard domain of the running program, or a named
/// suite shared with other programs (an application group).
///
/// Each domain is one XML property list, `<directory>/<domain>.plist`, where the directory is
/// `$XDG_CONFIG_HOME/quenby` (or `~/.config/quenby`). Every change is written at once with
/// `writeFileAtomically` (the old file stays byte for byte when any step fails), while holding an
/// advisory lock on `.<domain>.plist.lock` beside it: the file is read again under the lock and only the
/// keys this object changed are merged into it, so two programs writing one suite lose none of each
/// other's keys. `update` changes one key from what the file holds at that moment (an entry of a list or
/// dictionary), so two programs editing one key keep each other's entries too. Every read first checks
/// whether the file changed on disk (another process, or another object of the same domain, wrote it) and
/// re-reads it if so.
///
/// A file that does not parse and was modified in the last 2 seconds is taken to be in the middle of
/// another program's save (one saving in place leaves it empty or cut short until it is done): it is
/// read again every 50 ms, for at most 2.5 s, never moved aside and never written over meanwhile; on
/// the GUI thread in its event loop a read waits for it at most 100 ms (and not at all while the last
/// read found it so), and until it parses it counts as unreadable for now. Only a file that stays
/// unchanged for 2 seconds and still does not parse is renamed to `<domain>.plist.corrupt-<time>` (never
/// deleted), and the domain starts empty.
///
/// A change that cannot be written (a full disk, a file that cannot be read, the lock held by another
/// program) is never lost while the program runs: it stays set in memory, the failure is reported once
/// on stderr, and it is written with the next write that succeeds; with an event loop a new attempt
/// follows every second. On the thread of a QGuiApplication a write waits at most 100 ms for another
/// program's lock (then waits no more until the lock was had again); elsewhere it waits for the lock.
/// A file that is there but cannot be read (no permission, an I/O error, not a regular file) is never
/// written over.
///
/// Thread-safe.
class UserDefaults {
public:
    /// The running program's own domain: the main bundle's identifier, or the executable's name.
    static UserDefaults &standard();
    /// A named suite; empty when it cannot be opened (empty name, a name that is not a plain file
    /// name, the standard domain's own name, or a directory that cannot be created).
    static std::shared_ptr<UserDefaults> suite(const QString &name);

    /// The directory every domain lives in right now.
    static QString directory();

    QString domain() const { return m_domain; }
    QString filePath() const;

    /// The stored value, or empty when the key is absent.
    std::optional<Value> value(const QString &key) const;
    /// Stores a value; a null value removes the key.
    void set(const QString &key, const Value &value);
    void remove(const QString &key);
    /// A change worked out from the stored value (empty when absent); empty removes the key.
    using Edit = std::function<std::optional<Value>(const std::optional<Value> &stored)>;
    /// Changes a key from what the file holds when the change is written, under the lock (and again on
    /// every read until then), so entries another program stored in the same key meanwhile stay. Later
    /// edits of a key apply over earlier ones; a `set` replaces them.
    void update(const QString &key, Edit edit);
    /// Writes the changes still kept in memory now, waiting up to `lockWait` for another program's lock;
    /// true when the file holds every change (a program calls it before it quits).
    bool synchronize(std::chrono::milliseconds lockWait = std::chrono::seconds(2));
    /// Every key and value of the domain.
    Value::Dictionary dictionaryRepresentation() const;

    /// Typed reads, with the conversions settings rely on.
    /// True for true, a non-zero number, or the texts "YES"/"true"/"1" (any case); false otherwise.
    bool boolean(const QString &key) const;
    /// A number (a real truncated toward zero) or a text holding an integer; 0 otherwise.
    std::int64_t integer(const QString &key) const;
    /// A number or a text holding one; 0 otherwise.
    double real(const QString &key) const;
    /// A text, or a number written as text; empty otherwise.
    std::optional<QString> string(const QString &key) const;
    std::optional<QByteArray> data(const QString &key) const;
    std::optional<Value::Array> array(const QString &key) const;
    /// An array whose elements are all texts; empty otherwise.
    std::optional<QStringList> stringArray(const QString &key) const;
    std::optional<Value::Dictionary> dictionary(const QString &key) const;

    /// A domain object; prefer standard() and suite().
    explicit UserDefaults(QString domain);
    UserDefaults(const UserDefaults &) = delete;
    UserDefaults &operator=(const UserDefaults &) = delete;

private:
    struct Stamp {
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = -1;
        qint64 mtimeNs = 0;
        bool operator==(const Stamp &) const = default;
    };

    // All expect m_mutex held.
    // Brings m_disk and m_values up to date with the file (plus the changes not written yet); false while
    // the file cannot be read.
    bool refresh(bool force = false) const;
    // A read for a caller: once the file can be read again, the changes kept meanwhile are written.
    void readLocked() const;
    // `replaces`: the edit does not depend on the stored value (set, remove), so earlier ones are dropped.
    void change(const QString &key, Edit edit, bool replaces);
    // Merges the changes not written yet into the file, under the suite's lock (waiting `lockWait` for
    // it; none given: the thread's own rule). True when nothing is left to write.
    bool commit(std::optional<std::chrono::milliseconds> lockWait = std::nullopt) const;
    // One message per kind of failure until a write succeeds again.
    void reportOnce(int kind, const QString &message) const;
    // Another attempt to write in a second, from the event loop (when there is one).
    void scheduleRetry() const;

    QString m_domain;
    mutable std::mutex m_mutex;
    mutable QString m_loadedPath;
    mutable std::optional<Stamp> m_stamp;
    // The file as last read, and what callers see: that with m_pending applied.
    mutable Value::Dictionary m_disk;
    mutable Value::Dictionary m_values;
    // Changes the file does not hold yet, applied over what is read (an empty result: removed).
    mutable std::map<QString, Edit> m_pending;
    // The last read failed; the changes wait for one that succeeds.
    mutable bool m_unreadable = false;
    // The last successful read found the file without some of m_pending.
    mutable bool m_pendingChangesFile = false;
    // The lock was busy at the last attempt: the next ones do not wait for it.
    mutable bool m_lockBusy = false;
    // The last read found the file in the middle of another program's save: reads in the GUI thread's
    // event loop do not wait for it again.
    mutable bool m_beingSaved = false;
    mutable int m_reported = 0;
    mutable bool m_retryScheduled = false;
    // Lets a scheduled retry find out that this object is gone.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

/// Points every domain at another directory for the lifetime of the guard (tests). Without an
/// argument it makes a fresh temporary directory and removes it afterwards.
class ScopedUserDefaultsDirectory {
public:
    ScopedUserDefaultsDirectory();
    explicit ScopedUserDefaultsDirectory(const QString &directory);
    ~ScopedUserDefaultsDirectory();
    ScopedUserDefaultsDirectory(const ScopedUserDefaultsDirectory &) = delete;
    ScopedUserDefaultsDirectory &operator=(const ScopedUserDefaultsDirectory &) = delete;

    QString path() const { return m_path; }

private:
    std::unique_ptr<QTemporaryDir> m_temporary;
    QString m_path;
    std::optional<QString> m_previous;
};

} // namespace platform
