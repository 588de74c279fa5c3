#include "pirrow/otherapp.h"

#include <platform/core/coding.h>

namespace pirrow {

namespace {
    const QString kBundleIdentifier = QStringLiteral("bundleIdentifier");
    const QString kName = QStringLiteral("name");
    const QString kGerman = QStringLiteral("german");
    const QString kEnglish = QStringLiteral("english");
    const QString kIconUrl = QStringLiteral("iconUrl");
    const QString kStoreUrl = QStringLiteral("storeUrl");
    const QString kApps = QStringLiteral("apps");
}

OtherApp OtherApp::decode(const platform::Value &value)
{
    const platform::KeyedDecoder decoder(value);
    OtherApp app;
    app.bundleIdentifier = decoder.decodeString(kBundleIdentifier);
    app.name = decoder.decodeString(kName);
    app.german = decoder.decodeString(kGerman);
    app.english = decoder.decodeString(kEnglish);
    app.iconUrl = decoder.decodeString(kIconUrl);
    app.storeUrl = decoder.decodeString(kStoreUrl);
    return app;
}

platform::Value OtherApp::encoded() const
{
    platform::KeyedEncoder encoder;
    encoder.set(kBundleIdentifier, platform::Value(bundleIdentifier));
    encoder.set(kName, platform::Value(name));
    encoder.set(kGerman, platform::Value(german));
    encoder.set(kEnglish, platform::Value(english));
    encoder.set(kIconUrl, platform::Value(iconUrl));
    encoder.set(kStoreUrl, platform::Value(storeUrl));
    return encoder.value();
}

OtherApps OtherApps::decode(const platform::Value &value)
{
    const platform::KeyedDecoder decoder(value);
    const platform::Value &list = decoder.decodeValue(kApps);
    const platform::Value::Array *entries = list.toArray();
    if (!entries)
        throw platform::DecodingError(QStringLiteral("\"apps\" is not an array"));
    OtherApps result;
    for (const platform::Value &entry : *entries)
        result.apps.append(OtherApp::decode(entry));
    return result;
}

platform::Value OtherApps::encoded() const
{
    platform::Value::Array entries;
    for (const OtherApp &app : apps)
        entries.push_back(app.encoded());
    platform::KeyedEncoder encoder;
    encoder.set(kApps, platform::Value(std::move(entries)));
    return encoder.value();
}

} // namespace pirrow
