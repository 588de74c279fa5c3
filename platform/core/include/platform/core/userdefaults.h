#pragma once

#include "platform/core/value.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <mutex>
#include <optional>

namespace platform {

/// A persistent dictionary of settings: the standard domain of the running program, or a named
/// suite shared with other programs (an application group).
///
/// Each domain is one XML property list, `<directory>/<domain>.plist`, where the directory is
/// `$XDG_CONFIG_HOME/quenby` (or `~/.config/quenby`). Every change is written at once, atomically
/// (temporary file, then rename), while holding an advisory lock on `.<domain>.plist.lock` beside it:
/// the file is read again under the lock and only the keys this object changed are merged into it, so
/// two programs writing one suite lose none of each other's keys. Every read first checks whether the
/// file changed on disk (another process, or another object of the same domain, wrote it) and re-reads
/// it if so. A file that is not a property list holding a dictionary is renamed to
/// `<domain>.plist.corrupt-<time>` (never deleted) and the domain starts empty.
///
/// A file that is there but cannot be read (no permission, an I/O error, not a regular file) is never
/// written over: the error is reported on stderr, the values set meanwhile are kept in memory, and they
/// are merged into the file once a later read succeeds.
///
/// Thread-safe. Failures to write are reported on stderr; the changed values stay set in memory and
/// are written with the next change.
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
    // Brings m_values up to date with the file (plus the changes not written yet); false while the
    // file cannot be read.
    bool refresh(bool force = false) const;
    // A read for a caller: once the file can be read again, the changes kept meanwhile are written.
    void readLocked() const;
    void change(const QString &key, std::optional<Value> value);
    // Merges the changes not written yet into the file, under the suite's lock.
    void commit() const;
    bool write(const Value::Dictionary &values) const;

    QString m_domain;
    mutable std::mutex m_mutex;
    mutable QString m_loadedPath;
    mutable std::optional<Stamp> m_stamp;
    mutable Value::Dictionary m_values;
    // Changes the file does not hold yet (an empty value: removed), applied over what is read.
    mutable std::map<QString, std::optional<Value>> m_pending;
    // The last read failed; the changes wait for one that succeeds.
    mutable bool m_unreadable = false;
    // The last successful read found the file without some of m_pending.
    mutable bool m_pendingChangesFile = false;
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
