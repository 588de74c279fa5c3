#include "platform/registry/memorypowersources.h"

#include "platform/core/coding.h"
#include "platform/core/json.h"

#include <QFile>

namespace platform {

namespace {
    // A source reference is its position in the list at snapshot time, kept as text so that it
    // cannot be mistaken for a count or a capacity.
    QString reference(std::size_t index)
    {
        return QStringLiteral("PowerSource-%1").arg(index);
    }

    struct MemoryInfo final : PowerSourcesInfo {
        MemoryInfo(std::vector<Value> sources, std::optional<Value> list)
            : descriptions(std::move(sources))
            , listOverride(std::move(list))
        {
        }
        std::vector<Value> descriptions;
        std::optional<Value> listOverride;
    };
}

MemoryPowerSources::MemoryPowerSources(std::vector<Value> descriptions)
    : m_descriptions(std::move(descriptions))
{
}

void MemoryPowerSources::loadFixture(const Value &document)
{
    if (!document.isDictionary())
        throw DecodingError(QStringLiteral("a fixture must be a dictionary, found %1")
                                .arg(QString::fromLatin1(typeName(document.type()))));
    const Value *section = document.find(QString::fromLatin1(kFixtureSection));
    if (!section)
        return;
    const auto *array = section->toArray();
    if (!array)
        throw DecodingError(QStringLiteral("\"%1\" must be an array of descriptions, found %2")
                                .arg(QString::fromLatin1(kFixtureSection),
                                    QString::fromLatin1(typeName(section->type()))));
    m_descriptions = *array;
}

void MemoryPowerSources::loadFixtureFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DecodingError(QStringLiteral("power-source fixture: cannot read %1: %2").arg(path, file.errorString()));
    loadFixture(json::parse(file.readAll()));
}

std::unique_ptr<PowerSourcesInfo> MemoryPowerSources::copyInfo()
{
    ++m_infoCalls;
    if (!m_infoAvailable)
        return nullptr;
    return std::make_unique<MemoryInfo>(m_descriptions, m_listOverride);
}

Value MemoryPowerSources::list(const PowerSourcesInfo &info)
{
    ++m_listCalls;
    const auto *snapshot = dynamic_cast<const MemoryInfo *>(&info);
    if (!snapshot)
        return {};
    if (snapshot->listOverride)
        return *snapshot->listOverride;
    Value::Array refs;
    refs.reserve(snapshot->descriptions.size());
    for (std::size_t i = 0; i < snapshot->descriptions.size(); ++i)
        refs.emplace_back(reference(i));
    return Value(std::move(refs));
}

Value MemoryPowerSources::description(const PowerSourcesInfo &info, const Value &source)
{
    ++m_descriptionCalls;
    const auto *snapshot = dynamic_cast<const MemoryInfo *>(&info);
    if (!snapshot)
        return {};
    for (std::size_t i = 0; i < snapshot->descriptions.size(); ++i) {
        if (source == Value(reference(i)))
            return snapshot->descriptions[i];
    }
    return {};
}

} // namespace platform
