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
    /// The text of `name` if it was read or preset already (the outer optional); nothing is read.
    std::optional<std::optional<QString>> known(const QString &name) const
    {
        const auto it = m_texts.constFind(name);
        return it == m_texts.constEnd() ? std::nullopt : std::optional<std::optional<QString>>(*it);
    }

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

private:
    QString m_directory;
    bool m_inMemory = false;
    mutable QHash<QString, std::optional<QString>> m_texts;
    mutable QSet<QString> m_missing;
};

} // namespace platform
