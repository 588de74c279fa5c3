#include "tavrin/support.h"

#include <platform/desktop/workspace.h>

#include <QUrl>

namespace tavrin {

void Support::openContactPage() { openURL(contactPage); }

void Support::openFAQPage() { openURL(faqPage); }

void Support::openURL(const QString &address)
{
    const QUrl url(address, QUrl::StrictMode);
    if (address.isEmpty() || !url.isValid())
        return;
    platform::Workspace::current().openUrl(url);
}

} // namespace tavrin
