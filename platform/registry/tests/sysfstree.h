#pragma once

// A writable copy of a sysfs fixture tree (links kept as they are), for tests that break attributes.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

class SysfsTree {
public:
    /// The fixture tree `name` as it is (read only).
    static QString fixture(const QString &name)
    {
        return QStringLiteral(QUENBY_SOURCE_DIR "/platform/registry/tests/data/sysfs/") + name;
    }

    /// A copy of platform/registry/tests/data/sysfs/<name>; an empty root when `name` is empty.
    explicit SysfsTree(const QString &name = QString())
    {
        if (!name.isEmpty()) {
            const QString source = fixture(name) + QStringLiteral("/.");
            m_ok = QProcess::execute(QStringLiteral("cp"), { QStringLiteral("-a"), source, m_dir.path() }) == 0;
        }
    }

    bool isValid() const { return m_ok && m_dir.isValid(); }
    QString root() const { return m_dir.path(); }

    /// The path of a supply's attribute (or of the supply itself with an empty attribute), through
    /// the class folder.
    QString supplyPath(const QString &supply, const QString &attribute = QString()) const
    {
        const QString dir = root() + QStringLiteral("/class/power_supply/") + supply;
        return attribute.isEmpty() ? dir : dir + QLatin1Char('/') + attribute;
    }

    /// Changes one file below the root: "<remove>" removes it, "<dir>" puts a folder in its place (a
    /// read then fails) or makes the folder where nothing is, anything else becomes its text.
    bool change(const QString &relativePath, const QString &content) const
    {
        const QString path = root() + QLatin1Char('/') + relativePath;
        if (content == QLatin1String("<remove>"))
            return QFile::remove(path) || QDir(path).removeRecursively();
        if (content == QLatin1String("<dir>"))
            return (QFile::remove(path) || !QFileInfo::exists(path)) && QDir().mkdir(path);
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content.toUtf8() + '\n') > 0;
    }

    /// Applies changes written "<path below `prefix`>=<content>" (content as change() takes it); the first
    /// that fails, or empty when all were made.
    QString apply(const QStringList &changes, const QString &prefix = QString()) const
    {
        for (const QString &change : changes) {
            const qsizetype equals = change.indexOf(QLatin1Char('='));
            if (equals < 0 || !this->change(prefix + change.left(equals), change.mid(equals + 1)))
                return change;
        }
        return {};
    }

private:
    QTemporaryDir m_dir;
    bool m_ok = true;
};
