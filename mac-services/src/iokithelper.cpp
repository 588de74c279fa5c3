#include "olvane/iokithelper.h"

#include <QStringDecoder>

namespace olvane {

namespace {

    std::optional<QByteArray> dataProperty(const platform::RegistryEntry &entry, const QString &key)
    {
        const std::optional<platform::Value> value = entry.property(key);
        if (!value || !value->isData())
            return std::nullopt;
        return value->toData();
    }

} // namespace

std::optional<quint32> IOKitHelper::numberProperty(const platform::RegistryEntry &entry, const QString &key)
{
    const std::optional<QByteArray> data = dataProperty(entry, key);
    if (!data)
        return std::nullopt;
    quint32 number = 0;
    for (qsizetype i = 0; i < std::min<qsizetype>(data->size(), 4); ++i)
        number |= quint32(quint8(data->at(i))) << (8 * i);
    return number;
}

std::optional<QString> IOKitHelper::stringProperty(const platform::RegistryEntry &entry, const QString &key)
{
    const std::optional<QByteArray> data = dataProperty(entry, key);
    if (!data)
        return std::nullopt;
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(*data);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace olvane
