#include "olvane/securefolders.h"

#include <platform/core/bookmark.h>
#include <platform/core/userdefaults.h>
#include <platform/ui/openpanel.h>

#include <algorithm>

namespace olvane {

namespace {
    QSet<QUrl> &folders()
    {
        static QSet<QUrl> set;
        return set;
    }

    void present(platform::ui::Window *window, const std::optional<QUrl> &folder, const QString &prompt,
        std::function<void(platform::ui::OpenPanel &panel, bool chosen)> finished)
    {
        auto *panel = new platform::ui::OpenPanel;
        if (folder)
            panel->setDirectoryUrl(*folder);
        panel->setAllowsMultipleSelection(false);
        panel->setCanChooseDirectories(true);
        panel->setCanCreateDirectories(false);
        panel->setCanChooseFiles(false);
        panel->setPrompt(prompt);
        panel->beginSheetModalForWindow(
            window, [panel, finished = std::move(finished)](platform::ui::ModalResponse response) {
                panel->deleteLater();
                finished(*panel, response == platform::ui::ModalResponse::ok && !panel->url().isEmpty());
            });
    }
}

QSet<QUrl> SecureFolders::storedUrls() { return folders(); }

void SecureFolders::restore(const QStringList &keys)
{
    for (const QString &key : keys)
        restore(key);
}

void SecureFolders::restore(const QString &key)
{
    if (const std::optional<QByteArray> data = platform::UserDefaults::standard().data(key))
        restore(*data);
}

void SecureFolders::restore(const QByteArray &bookmarkData)
{
    const std::optional<platform::ResolvedBookmark> resolved
        = platform::Bookmark::resolve(bookmarkData, platform::Bookmark::kResolutionWithSecurityScope);
    if (!resolved || resolved->isStale)
        return;
    if (platform::Bookmark::startAccessingSecurityScopedResource(resolved->url))
        folders().insert(resolved->url);
}

void SecureFolders::store(const QUrl &url, const QString &key)
{
    const std::optional<QByteArray> data
        = platform::Bookmark::create(url, platform::Bookmark::kCreationWithSecurityScope);
    if (!data || !platform::Bookmark::startAccessingSecurityScopedResource(url))
        return;
    folders().insert(url);
    platform::UserDefaults::standard().set(key, platform::Value(*data));
}

void SecureFolders::stopAccessing(const QUrl &url)
{
    platform::Bookmark::stopAccessingSecurityScopedResource(url);
    folders().remove(url);
}

void SecureFolders::removeBookmarks(const QStringList &keys)
{
    platform::UserDefaults &defaults = platform::UserDefaults::standard();
    for (const auto &[key, value] : defaults.dictionaryRepresentation()) {
        if (keys.contains(key))
            defaults.remove(key);
    }
}

void SecureFolders::requestAccess(platform::ui::Window *window, const QUrl &folder, const QString &key,
    const QString &prompt, std::function<void(bool chosen)> completion)
{
    present(
        window, folder, prompt, [key, completion = std::move(completion)](platform::ui::OpenPanel &panel, bool chosen) {
            if (chosen)
                store(panel.url(), key);
            if (completion)
                completion(chosen);
        });
}

void SecureFolders::requestAccess(platform::ui::Window *window, const std::optional<QUrl> &folder, const QString &key,
    const QString &prompt, std::function<void(std::optional<QUrl> url)> completion)
{
    present(
        window, folder, prompt, [key, completion = std::move(completion)](platform::ui::OpenPanel &panel, bool chosen) {
            if (chosen)
                store(panel.url(), key);
            if (!completion)
                return;
            // The folder chosen (and stored), not the one the panel happened to show around it.
            completion(chosen ? std::optional<QUrl>(panel.url()) : std::nullopt);
        });
}

bool SecureFolders::hasAccess(const QUrl &url) { return folders().contains(url); }

bool SecureFolders::hasAccess(const QList<QUrl> &urls)
{
    return std::all_of(urls.begin(), urls.end(), [](const QUrl &url) { return hasAccess(url); });
}

} // namespace olvane
