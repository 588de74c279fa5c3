#pragma once

#include <QHash>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

namespace platform {

/// The attribute files of one sysfs directory, each read at most once per object: a reading made of
/// several attributes sees them as they were when it first asked. Reads never fail loudly: a missing,
/// unreadable or blank attribute is empty.
///
/// Within one reading pass (see SysfsReading) every file is read once, whichever object asks.
class SysfsAttributes {
public:
    explicit SysfsAttributes(QString directory);

    /// Attributes given as texts (name to file content) instead of files: what the readers above make
    /// of attribute values is the same, so values can be parsed without a directory.
    static SysfsAttributes fromTexts(const QHash<QString, QByteArray> &files);

    const QString &directory() const { return m_directory; }

    /// The attribute's text without surrounding white space.
    std::optional<QString> text(const QString &name) const;
    /// The attribute as a decimal integer; empty when its text is not one (or does not fit).
    std::optional<qint64> integer(const QString &name) const;

    /// Gives `name` the text `text` without reading it: a value that cannot have changed since an
    /// earlier reading.
    void preset(const QString &name, std::optional<QString> text) { m_texts.insert(name, std::move(text)); }
    /// Gives `name` the content of its file as read elsewhere (a file kept open): blank is empty.
    void presetContent(const QString &name, const std::optional<QByteArray> &content);
    /// The text of `name` if it was read or preset already (the outer optional); nothing is read.
    std::optional<std::optional<QString>> known(const QString &name) const
    {
        const auto it = m_texts.constFind(name);
        return it == m_texts.constEnd() ? std::nullopt : std::optional<std::optional<QString>>(*it);
    }

    /// Reads the attributes not known yet through `read` (name to content, telling whether there is no
    /// such file) in place of opening their files by path: the owner of `read` keeps some files open.
    using Reader = std::function<std::optional<QByteArray>(const QString &name, bool &missing)>;
    void readThrough(Reader read) { m_read = std::move(read); }

    /// The attributes this object found missing (no such file), as opposed to unreadable or blank.
    const QSet<QString> &missing() const { return m_missing; }

    /// The content of a file, whole; empty when it cannot be read. Shared within a reading pass.
    static std::optional<QByteArray> readFile(const QString &path);
    /// The same, telling whether the file does not exist.
    static std::optional<QByteArray> readFile(const QString &path, bool &missing);

    /// A number that stays the same for one reading pass and differs from every earlier pass; none while
    /// no pass is open (then nothing read may be kept).
    static std::optional<quint64> currentPass();

    /// Called with the path of every file actually read (not answered from the pass), for tests and
    /// measurements; none by default. Main thread only.
    static void setReadObserver(std::function<void(const QString &path)> observer);

    /// Tells the observer (if any) that `path` is read now.
    static void observeRead(const QString &path);

private:
    QString m_directory;
    bool m_inMemory = false;
    Reader m_read;
    mutable QHash<QString, std::optional<QString>> m_texts;
    mutable QSet<QString> m_missing;
};

/// One attribute file kept open between reads, for a value read on every tick: sysfs makes the value
/// anew on each read from the start of the file, so a reading costs one pread instead of an open, a
/// read and a close. The owner reads it at most once per pass (nothing is shared through the pass).
/// A failed read closes the file, and the next read opens it again by its path. Move-only; closes
/// the file when it goes.
class SysfsFile {
public:
    explicit SysfsFile(QString path = QString());
    ~SysfsFile();
    SysfsFile(SysfsFile &&other) noexcept;
    SysfsFile &operator=(SysfsFile &&other) noexcept;
    SysfsFile(const SysfsFile &) = delete;
    SysfsFile &operator=(const SysfsFile &) = delete;

    const QString &path() const { return m_path; }
    bool isOpen() const { return m_fd >= 0; }

    /// Reads the file now; whether what it holds (or whether it could be read) differs from the
    /// reading before. The first reading always differs.
    bool read();
    /// The whole content as last read; empty when it could not be read.
    const std::optional<QByteArray> &content() const { return m_content; }
    /// Whether the last read found no such file.
    bool missing() const { return m_missing; }

private:
    void close();

    QString m_path;
    int m_fd = -1;
    bool m_read = false;
    bool m_missing = false;
    std::optional<QByteArray> m_content;
};

} // namespace platform
