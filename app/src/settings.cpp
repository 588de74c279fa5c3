#include "quenby/settings.h"

#include <platform/core/userdefaults.h>
#include <platform/core/value.h>

#include <algorithm>
#include <optional>

namespace quenby {

namespace {
    // The values of this run; empty until first read.
    struct Cache {
        std::optional<int> appMode;
        std::optional<bool> enableNotifications;
        std::optional<bool> useLevelColors;
        std::optional<bool> barMode;
        std::optional<bool> imperial;
        std::optional<QMap<QString, QString>> customNames;
        std::optional<QStringList> ignoredDevices;
        std::optional<bool> wasStarted;
        std::optional<std::uint8_t> threshold;
        std::optional<bool> singleItem;
        std::optional<bool> useVerticalColors;
    };

    Cache &cache()
    {
        static Cache s_cache;
        return s_cache;
    }

    platform::UserDefaults &defaults() { return platform::UserDefaults::standard(); }

    QString key(const char *name) { return QString::fromLatin1(name); }

    int appModeFrom(std::int64_t stored) { return stored >= 0 && stored <= 3 ? static_cast<int>(stored) : 0; }

    std::uint8_t thresholdFrom(std::int64_t stored)
    {
        // A hand-edited or foreign file may hold anything; only 1 to 255 is a threshold.
        return stored > 0 && stored <= 255 ? static_cast<std::uint8_t>(stored) : Settings::kDefaultThreshold;
    }

    bool readBool(std::optional<bool> &slot, const char *name)
    {
        if (!slot)
            slot = defaults().boolean(key(name));
        return *slot;
    }

    void writeBool(std::optional<bool> &slot, const char *name, bool value)
    {
        defaults().set(key(name), value);
        slot = value;
    }

    // The ignored list is edited entry by entry on what the file holds when it is written, so an entry
    // another program stored meanwhile stays.
    void editIgnored(const QString &identifier, bool ignored)
    {
        defaults().update(key(kIgnoredDevicesKey), [identifier, ignored](const std::optional<platform::Value> &stored) {
            platform::Value::Array array;
            if (const auto *list = stored ? stored->toArray() : nullptr)
                array = *list;
            const platform::Value entry(identifier);
            const bool present = std::find(array.begin(), array.end(), entry) != array.end();
            if (ignored && !present)
                array.push_back(entry);
            if (!ignored)
                std::erase(array, entry);
            return std::optional<platform::Value>(platform::Value(std::move(array)));
        });
        cache().ignoredDevices = Settings::loadIgnoredDevices();
    }
}

int Settings::appMode()
{
    auto &slot = cache().appMode;
    if (!slot)
        slot = appModeFrom(defaults().integer(key(kAppModeKey)));
    return *slot;
}

Settings::ScopedAppMode::ScopedAppMode(int mode)
    : m_previous(cache().appMode)
{
    cache().appMode = appModeFrom(mode);
}

Settings::ScopedAppMode::~ScopedAppMode() { cache().appMode = m_previous; }

void Settings::setAppMode(int mode)
{
    defaults().set(key(kAppModeKey), mode);
    cache().appMode = appModeFrom(mode);
}

bool Settings::enableNotifications() { return readBool(cache().enableNotifications, kEnableNotificationsKey); }
void Settings::setEnableNotifications(bool enabled)
{
    writeBool(cache().enableNotifications, kEnableNotificationsKey, enabled);
}

bool Settings::useLevelColors() { return readBool(cache().useLevelColors, kUseLevelColorsKey); }
void Settings::setUseLevelColors(bool enabled) { writeBool(cache().useLevelColors, kUseLevelColorsKey, enabled); }

bool Settings::barMode() { return readBool(cache().barMode, kBarModeKey); }
void Settings::setBarMode(bool enabled) { writeBool(cache().barMode, kBarModeKey, enabled); }

bool Settings::imperial() { return readBool(cache().imperial, kImperialKey); }
void Settings::setImperial(bool enabled) { writeBool(cache().imperial, kImperialKey, enabled); }

const QMap<QString, QString> &Settings::customNames()
{
    auto &slot = cache().customNames;
    if (!slot)
        slot = loadCustomNames();
    return *slot;
}

QMap<QString, QString> Settings::loadCustomNames()
{
    QMap<QString, QString> names;
    const auto stored = defaults().dictionary(key(kCustomNamesKey));
    if (!stored)
        return names;
    for (const auto &[identifier, value] : *stored) {
        // Skipping single odd entries keeps the user's other names: the next write stores them again.
        const auto name = value.isString() ? value.toString() : std::nullopt;
        if (name && !name->isEmpty())
            names.insert(identifier, *name);
    }
    return names;
}

void Settings::setCustomName(const QString &identifier, const QString &name)
{
    // One entry changes, on the names the file holds when it is written: a name another program stored
    // meanwhile stays.
    defaults().update(key(kCustomNamesKey), [identifier, name](const std::optional<platform::Value> &stored) {
        platform::Value::Dictionary names;
        if (const auto *dictionary = stored ? stored->toDictionary() : nullptr)
            names = *dictionary;
        if (name.isEmpty())
            names.erase(identifier);
        else
            names.insert_or_assign(identifier, platform::Value(name));
        return std::optional<platform::Value>(platform::Value(std::move(names)));
    });
    cache().customNames = loadCustomNames();
}

const QStringList &Settings::ignoredDevices()
{
    auto &slot = cache().ignoredDevices;
    if (!slot)
        slot = loadIgnoredDevices();
    return *slot;
}

bool Settings::isIgnored(const QString &identifier) { return ignoredDevices().contains(identifier); }

QStringList Settings::loadIgnoredDevices()
{
    QStringList list;
    const auto stored = defaults().array(key(kIgnoredDevicesKey));
    if (!stored)
        return list;
    for (const auto &element : *stored) {
        if (element.isString())
            list.append(*element.toString());
    }
    return list;
}

void Settings::addIgnoredDevice(const QString &identifier) { editIgnored(identifier, true); }

void Settings::removeIgnoredDevice(const QString &identifier) { editIgnored(identifier, false); }

bool Settings::wasStarted() { return readBool(cache().wasStarted, kWasStartedKey); }

void Settings::markStarted()
{
    // Read first, so the kept value is the one the run started with.
    wasStarted();
    defaults().set(key(kWasStartedKey), true);
}

std::uint8_t Settings::threshold()
{
    auto &slot = cache().threshold;
    if (!slot)
        slot = thresholdFrom(defaults().integer(key(kThresholdKey)));
    return *slot;
}

void Settings::setThreshold(std::uint8_t percent)
{
    defaults().set(key(kThresholdKey), static_cast<int>(percent));
    cache().threshold = thresholdFrom(percent);
}

bool Settings::singleItem() { return readBool(cache().singleItem, kSingleItemKey); }
void Settings::setSingleItem(bool enabled) { writeBool(cache().singleItem, kSingleItemKey, enabled); }

bool Settings::useVerticalColors() { return readBool(cache().useVerticalColors, kUseVerticalColorsKey); }
void Settings::setUseVerticalColors(bool enabled)
{
    writeBool(cache().useVerticalColors, kUseVerticalColorsKey, enabled);
}

void Settings::reload() { cache() = Cache {}; }

} // namespace quenby
