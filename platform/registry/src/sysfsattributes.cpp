#include "sysfsattributes_p.h"

#include <QFile>

namespace platform {

SysfsAttributes::SysfsAttributes(QString directory)
    : m_directory(std::move(directory))
{
}

std::optional<QByteArray> SysfsAttributes::readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Attribute files claim a page's size whatever they hold; read until the end. A driver that
    // cannot answer (a battery that went away, a device asleep) fails the read itself.
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

std::optional<QString> SysfsAttributes::text(const QString &name) const
{
    auto cached = m_texts.constFind(name);
    if (cached != m_texts.constEnd())
        return *cached;
    std::optional<QString> value;
    if (auto bytes = readFile(m_directory + QLatin1Char('/') + name)) {
        const QString trimmed = QString::fromUtf8(*bytes).trimmed();
        if (!trimmed.isEmpty())
            value = trimmed;
    }
    m_texts.insert(name, value);
    return value;
}

std::optional<qint64> SysfsAttributes::integer(const QString &name) const
{
    const auto t = text(name);
    if (!t)
        return std::nullopt;
    bool ok = false;
    const qint64 n = t->toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return n;
}

} // namespace platform
