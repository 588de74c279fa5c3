#include "tavrin/notifications.h"

#include <platform/core/uuid.h>

#include <QPointer>

namespace tavrin {

using platform::AlertStyle;
using platform::AuthorizationStatus;
using platform::UserNotificationCenter;

Notifications::Token Notifications::addObserver(QObject *observer, const QString &name,
    platform::NotificationCenter::Handler handler, const platform::NotificationObject &object)
{
    return platform::NotificationCenter::defaultCenter().addObserver(observer, name, std::move(handler), object);
}

void Notifications::removeObserver(const QObject *observer, const QString &name)
{
    platform::NotificationCenter::defaultCenter().removeObserver(observer, name);
}

void Notifications::post(const QString &name) { platform::NotificationCenter::defaultCenter().post(name); }

void Notifications::postWithObject(const QString &name, const platform::NotificationObject &object)
{
    platform::NotificationCenter::defaultCenter().post(name, object);
}

platform::AuthorizationOptions Notifications::authorizationOptions()
{
    return platform::AuthorizationOption::Alert | platform::AuthorizationOption::Badge
        | platform::AuthorizationOption::Sound;
}

bool Notifications::isPermitted(AuthorizationStatus status)
{
    return status == AuthorizationStatus::Authorized || status == AuthorizationStatus::Provisional;
}

bool Notifications::alertsEnabled(const platform::NotificationSettings &settings)
{
    return isPermitted(settings.authorizationStatus)
        && (settings.alertStyle == AlertStyle::Banner || settings.alertStyle == AlertStyle::Alert);
}

void Notifications::requestAuthorization(std::function<void(AuthorizationResult)> completion)
{
    UserNotificationCenter::AuthorizationCompletion done;
    if (completion) {
        done
            = [completion = std::move(completion)](bool granted, std::optional<platform::UserNotificationError> error) {
                  if (error)
                      completion(*error);
                  else
                      completion(granted);
              };
    }
    UserNotificationCenter::current().requestAuthorization(authorizationOptions(), std::move(done));
}

void Notifications::checkAlertsEnabled(std::function<void(bool)> completion)
{
    UserNotificationCenter::current().getNotificationSettings(
        [completion = std::move(completion)](const platform::NotificationSettings &settings) {
            if (completion)
                completion(alertsEnabled(settings));
        });
}

void Notifications::deliver(const QString &title, const QString &body,
    std::function<void(std::optional<platform::UserNotificationError>)> completion)
{
    // The request goes to the centre that was asked, even if another one is installed meanwhile.
    QPointer<UserNotificationCenter> center = &UserNotificationCenter::current();
    center->getNotificationSettings(
        [center, title, body, completion = std::move(completion)](const platform::NotificationSettings &settings) {
            if (!center || !isPermitted(settings.authorizationStatus))
                return;
            platform::NotificationRequest request;
            request.identifier = platform::uuidString();
            request.content = { title, body, /*defaultSound=*/true };
            center->add(request, completion);
        });
}

} // namespace tavrin
