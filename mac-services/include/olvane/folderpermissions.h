#pragma once

#include "olvane/ifolderpermissions.h"

#include <platform/core/bookmark.h>

#include <memory>

namespace platform {
class UserDefaults;
}

namespace olvane {

/// Keeps the folders the user granted in a user-defaults store: under "Bookmarks" the list of entry keys
/// (folder paths), under each entry key the folder's bookmark data. Stored folders are regained at
/// construction; a bookmark that cannot be resolved is noted once on standard error and skipped.
/// Adding and removing a folder edit the stored list entry by entry, on what the store holds when it is
/// written: every other stored entry stays, also those not regained in this run (a folder on a volume that
/// is not mounted is regained when it is back) and those another program added meanwhile.
///
/// On Linux a bookmark is the folder's stored path (see `platform::Bookmark`), so a moved folder is
/// not found again. The store must outlive this object. Main thread only.
class FolderPermissions : public IFolderPermissions {
public:
    explicit FolderPermissions(platform::UserDefaults &userDefaults);
    FolderPermissions(platform::UserDefaults &userDefaults, unsigned creationOptions, unsigned resolutionOptions);

    int count() const override { return int(m_storedUrls.size()); }
    QStringList keys() const override { return m_keys; }
    QSet<QUrl> storedUrls() const override { return m_storedUrls; }
    unsigned creationOptions() const override { return m_creationOptions; }
    void setCreationOptions(unsigned options) override { m_creationOptions = options; }
    unsigned resolutionOptions() const override { return m_resolutionOptions; }
    void setResolutionOptions(unsigned options) override { m_resolutionOptions = options; }

    void add(const QUrl &url) override;
    void remove(const QString &path) override;
    void remove(const QUrl &url) override;
    void requestUserFolderAccess(platform::ui::Window *window, Completion completion) override;
    void requestAccess(platform::ui::Window *window, const QUrl &directory, Completion completion) override;
    bool contains(const QUrl &url) const override;
    bool containsAll(const QList<QUrl> &urls) const override;
    void removeAll() override;

    /// Regains one stored folder.
    void restoreBookmark(const QString &key, const QByteArray &data);
    /// The entry keys the store keeps: those read at start (regained or not), then those added, less
    /// those removed.
    QStringList storedKeys() const { return m_storedKeys; }

private:
    void restoreAll();
    void storeKey(const QString &key, bool add);

    platform::UserDefaults *m_userDefaults;
    QStringList m_keys;
    QStringList m_storedKeys;
    QSet<QUrl> m_storedUrls;
    unsigned m_creationOptions = platform::Bookmark::kCreationWithSecurityScope;
    unsigned m_resolutionOptions = platform::Bookmark::kResolutionWithSecurityScope;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace olvane
