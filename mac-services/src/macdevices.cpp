#include "olvane/macdevices.h"

#include "olvane/olvane.h"
#include "platform/core/bundle.h"
#include "platform/core/coding.h"
#include "platform/core/json.h"
#include "platform/core/plist.h"
#include "platform/desktop/workspace.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

namespace olvane {

namespace {

    const QString kDefaultCoreTypesFolder = QStringLiteral("/System/Library/CoreServices/CoreTypes.bundle/Contents");
    QString s_coreTypesFolder;
    QString s_tablePath;

    QHash<QString, MacDevice> &cache()
    {
        static QHash<QString, MacDevice> devices;
        return devices;
    }

    QString tablePath()
    {
        if (!s_tablePath.isEmpty())
            return s_tablePath;
        return platform::Bundle::module(kBundleName)
            .pathForResource(QStringLiteral("mac-devices"), QStringLiteral("json"));
    }

    // Every ".plist" below the folder, depth first in name order; hidden items are skipped, packages entered.
    void listPropertyLists(const QString &folder, QStringList &files)
    {
        const QFileInfoList entries
            = QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name | QDir::DirsLast);
        for (const QFileInfo &entry : entries) {
            if (entry.fileName().endsWith(QStringLiteral(".plist")))
                files << entry.absoluteFilePath();
            if (entry.isDir() && !entry.isSymLink())
                listPropertyLists(entry.absoluteFilePath(), files);
        }
    }

    // Reverse-DNS type identifiers: letters, digits, dots and hyphens.
    bool isTypeIdentifier(const QString &identifier)
    {
        static const QRegularExpression kPattern(QStringLiteral("^[A-Za-z0-9.-]+$"));
        return kPattern.match(identifier).hasMatch();
    }

    std::optional<platform::ui::Image> iconOfDeclaration(const platform::Value::Dictionary &declaration)
    {
        const auto identifier = declaration.find(QStringLiteral("UTTypeIdentifier"));
        if (identifier == declaration.end() || !identifier->second.isString())
            return std::nullopt;
        const QString type = *identifier->second.toString();
        if (!isTypeIdentifier(type))
            return std::nullopt;
        return platform::Workspace::current().iconForContentType(type);
    }

    std::optional<platform::ui::Image> searchDeclarations(const QStringList &files, const QString &code)
    {
        for (const QString &path : files) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            platform::Value root;
            try {
                root = platform::plist::parse(file.readAll());
            } catch (const platform::DecodingError &) {
                continue;
            }
            const platform::Value::Dictionary *dictionary = root.toDictionary();
            if (!dictionary)
                continue;
            const auto declarations = dictionary->find(QStringLiteral("UTExportedTypeDeclarations"));
            if (declarations == dictionary->end() || !declarations->second.toArray())
                continue;
            const platform::Value::Array &list = *declarations->second.toArray();
            if (!std::all_of(list.begin(), list.end(), [](const platform::Value &v) { return v.isDictionary(); }))
                continue;
            for (const platform::Value &entry : list) {
                const platform::Value::Dictionary &declaration = *entry.toDictionary();
                const auto tags = declaration.find(QStringLiteral("UTTypeTagSpecification"));
                if (tags == declaration.end() || !tags->second.isDictionary())
                    continue;
                const platform::Value::Dictionary &tagDictionary = *tags->second.toDictionary();
                const auto models = tagDictionary.find(QStringLiteral("com.apple.device-model-code"));
                if (models == tagDictionary.end())
                    continue;
                int matches = 0;
                if (models->second.isString()) {
                    matches = *models->second.toString() == code ? 1 : 0;
                } else if (const platform::Value::Array *codes = models->second.toArray()) {
                    if (!std::all_of(
                            codes->begin(), codes->end(), [](const platform::Value &v) { return v.isString(); }))
                        continue;
                    matches = int(std::count_if(codes->begin(), codes->end(),
                        [&code](const platform::Value &v) { return *v.toString() == code; }));
                }
                if (matches > 0) {
                    if (std::optional<platform::ui::Image> icon = iconOfDeclaration(declaration))
                        return icon;
                }
            }
        }
        return std::nullopt;
    }

} // namespace

QList<MacDevice> MacDevices::devices()
{
    const QString path = tablePath();
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    try {
        const platform::Value table = platform::json::parse(file.readAll());
        const platform::Value::Array *rows = table.toArray();
        if (!rows)
            return {};
        QList<MacDevice> result;
        for (const platform::Value &row : *rows)
            result.append(MacDevice::decode(row));
        return result;
    } catch (const platform::DecodingError &) {
        return {};
    }
}

std::optional<MacDevice> MacDevices::device(const QString &model)
{
    const auto cached = cache().constFind(model);
    if (cached != cache().constEnd())
        return *cached;
    const QList<MacDevice> table = devices();
    const auto found
        = std::find_if(table.begin(), table.end(), [&model](const MacDevice &row) { return row.model == model; });
    if (found == table.end()) {
        cache().remove(model);
        return std::nullopt;
    }
    cache().insert(model, *found);
    return *found;
}

std::optional<platform::ui::Image> MacDevices::icon(const QString &model)
{
    QStringList files;
    listPropertyLists(coreTypesFolder(), files);
    const QString beforeComma = model.section(QLatin1Char(','), 0, 0);
    QString withoutDigits;
    for (const QChar c : beforeComma) {
        if (!c.isDigit())
            withoutDigits += c;
    }
    for (const QString &form : { model, beforeComma, withoutDigits }) {
        if (std::optional<platform::ui::Image> icon = searchDeclarations(files, form))
            return icon;
    }
    return std::nullopt;
}

QString MacDevices::coreTypesFolder()
{
    return s_coreTypesFolder.isEmpty() ? kDefaultCoreTypesFolder : s_coreTypesFolder;
}

void MacDevices::setCoreTypesFolder(const QString &path) { s_coreTypesFolder = path; }

void MacDevices::setTablePath(const QString &path) { s_tablePath = path; }

} // namespace olvane
