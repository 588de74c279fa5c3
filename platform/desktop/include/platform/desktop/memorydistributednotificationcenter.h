#pragma once

#include "platform/desktop/distributednotificationcenter.h"

#include <QList>

namespace platform {

/// A centre confined to this process, for tests: posts are recorded and delivered to this process's
/// observers through the event loop.
class MemoryDistributedNotificationCenter final : public DistributedNotificationCenter {
    Q_OBJECT
public:
    explicit MemoryDistributedNotificationCenter(QObject *parent = nullptr);

    void post(const QString &name, const std::optional<QString> &object = std::nullopt) override;

    /// Every post so far, oldest first.
    const QList<DistributedNotification> &posted() const { return m_posted; }
    void clearPosted() { m_posted.clear(); }

    /// Delivers a notification as if another process had posted it (not recorded in posted()).
    void receive(const DistributedNotification &notification);

signals:
    void didPost(const platform::DistributedNotification &notification);

private:
    QList<DistributedNotification> m_posted;
};

} // namespace platform
