#include "olvane/folderpermissions.h"

#include "fileurl_p.h"
#include "olvane/directory.h"
#include "olvane/olvane.h"

#include <platform/core/bundle.h>
#include <platform/core/userdefaults.h>
#include <platform/ui/openpanel.h>

#include <QPointer>

#include <algorithm>
#include <cstdio>

namespace olvane {

FolderPermissions::FolderPermissions(platform::UserDefaults &userDefaults)
    : m_userDefaults(&userDefaults)
{
    restoreAll();
}

FolderPermissions::FolderPermissions(
    platform::UserDefaults &userDefaults, unsigned creationOptions, unsigned resolutionOptions)
    : m_userDefaults(&userDefaults)
    , m_creationOptions(creationOptions)
    , m_resolutionOptions(resolutionOptions)
{
    restoreAll();
}

void FolderPermissions::restoreAll()
{
    const std::optional<platform::Value::Array> stored = m_userDefaults->array(kBookmarksKey);
    if (!stored)
        return;
    QStringList keys;
    bool onlyTexts = true;
    for (const platform::Value &element : *stored) {
        if (const std::optional<QString> key = element.toString())
            keys << *key;
        else
            onlyTexts = false;
    }
    // Entries that are not regained now stay stored: their folders may come back in a later run.
    m_storedKeys = keys;
    if (!onlyTexts)
        return; // a list holding anything but texts is not ours to read
    for (const QString &key : std::as_const(keys)) {
        if (const std::optional<QByteArray> data = m_userDefaults->data(key))
            restoreBookmark(key, *data);
    }
}

void FolderPermissions::restoreBookmark(const QString &key, const QByteArray &data)
{
    QString error;
    const std::optional<platform::ResolvedBookmark> resolved
        = platform::Bookmark::resolve(data, m_resolutionOptions, &error);
    if (!resolved) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        return;
    }
    if (resolved->isStale || !platform::Bookmark::startAccessingSecurityScopedResource(resolved->url))
        return;
    m_storedUrls.insert(resolved->url);
    m_keys.append(key);
}

void FolderPermissions::add(const QUrl &url)
{
    const std::optional<QByteArray> data = platform::Bookmark::create(url, m_creationOptions);
    if (!data || !platform::Bookmark::startAccessingSecurityScopedResource(url))
        return;
    const QString path = fileurl::path(url);
    m_storedUrls.insert(url);
    m_userDefaults->set(path, platform::Value(*data));
    m_keys.append(path);
    m_storedKeys.append(path);
    storeKey(path, true);
}

void FolderPermissions::remove(const QString &path)
{
    m_userDefaults->remove(path);
    const auto found = std::find_if(
        m_storedUrls.begin(), m_storedUrls.end(), [&](const QUrl &url) { return fileurl::path(url) == path; });
    if (found != m_storedUrls.end())
        m_storedUrls.erase(found);
    m_keys.removeAll(path);
    m_storedKeys.removeAll(path);
    storeKey(path, false);
}

void FolderPermissions::remove(const QUrl &url)
{
    m_storedUrls.remove(url);
    remove(fileurl::path(url));
}

void FolderPermissions::requestUserFolderAccess(platform::ui::Window *window, Completion completion)
{
    requestAccess(window, Directory::url(Directory::user), std::move(completion));
}

void FolderPermissions::requestAccess(platform::ui::Window *window, const QUrl &directory, Completion completion)
{
    auto *panel = new platform::ui::OpenPanel;
    panel->setDirectoryUrl(directory);
    panel->setAllowsMultipleSelection(false);
    panel->setCanChooseDirectories(true);
    panel->setCanCreateDirectories(false);
    panel->setCanChooseFiles(false);
    panel->setPrompt(platform::Bundle::module(kBundleName).localizedString(QStringLiteral("ALLOW")));
    panel->beginSheetModalForWindow(window,
        [this, alive = std::weak_ptr<bool>(m_alive), panel, completion = std::move(completion)](
            platform::ui::ModalResponse response) {
            panel->deleteLater();
            const QUrl chosen = panel->url();
            if (response == platform::ui::ModalResponse::ok && !chosen.isEmpty()) {
                // The store may have been released while the panel was up; the choice is still reported.
                if (!alive.expired())
                    add(chosen);
                if (completion)
                    completion(chosen);
            } else if (completion) {
                completion(std::nullopt);
            }
        });
}

bool FolderPermissions::contains(const QUrl &url) const { return m_storedUrls.contains(url); }

bool FolderPermissions::containsAll(const QList<QUrl> &urls) const
{
    return std::all_of(urls.begin(), urls.end(), [&](const QUrl &url) { return m_storedUrls.contains(url); });
}

void FolderPermissions::removeAll()
{
    // Also the stored entries that were not regained in this run.
    QStringList keys = m_storedKeys;
    for (const QString &key : std::as_const(m_keys)) {
        if (!keys.contains(key))
            keys.append(key);
    }
    for (const QString &key : std::as_const(keys))
        remove(key);
}

void FolderPermissions::storeKey(const QString &key, bool add)
{
    // Edited on the list the file holds when it is written, so a folder another program added meanwhile stays.
    m_userDefaults->update(kBookmarksKey, [key, add](const std::optional<platform::Value> &stored) {
        platform::Value::Array array;
        if (const auto *list = stored ? stored->toArray() : nullptr)
            array = *list;
        if (add)
            array.emplace_back(key);
        else
            std::erase(array, platform::Value(key));
        return std::optional<platform::Value>(platform::Value(std::move(array)));
    });
}

} // namespace olvane
