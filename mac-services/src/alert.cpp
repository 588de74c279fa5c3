#include "olvane/alert.h"

#include "olvane/olvane.h"
#include "platform/core/bundle.h"
#include "platform/ui/alert.h"

#include <QLineEdit>

namespace olvane {

namespace {

    QString text(const char *key) { return platform::localized(kBundleName, QString::fromLatin1(key)); }

    constexpr int kFirstButton = platform::ui::Alert::kFirstButtonResponse;
    constexpr int kSecondButton = platform::ui::Alert::kFirstButtonResponse + 1;

} // namespace

void Alert::info(const QString &messageText, const QString &informativeText)
{
    platform::ui::Alert alert;
    alert.setMessageText(messageText);
    alert.setInformativeText(informativeText);
    alert.setAlertStyle(platform::ui::Alert::Style::warning);
    alert.addButtonWithTitle(QStringLiteral("OK"));
    alert.runModal();
}

bool Alert::ask(const QString &messageText, const QString &informativeText)
{
    platform::ui::Alert alert;
    alert.setMessageText(messageText);
    alert.setInformativeText(informativeText);
    alert.setAlertStyle(platform::ui::Alert::Style::warning);
    alert.addButtonWithTitle(text("NO"));
    alert.addButtonWithTitle(text("YES"));
    return alert.runModal() == kSecondButton;
}

void Alert::confirm(
    QWidget *window, const QString &messageText, const QString &informativeText, std::function<void(bool)> completion)
{
    // The sheet deletes itself once it has ended.
    auto *alert = new platform::ui::Alert;
    alert->setMessageText(messageText);
    alert->setInformativeText(informativeText);
    alert->setAlertStyle(platform::ui::Alert::Style::informational);
    alert->addButtonWithTitle(text("NO"));
    alert->addButtonWithTitle(text("YES"));
    alert->beginSheetModalForWindow(window, [completion = std::move(completion)](int response) {
        if (completion)
            completion(response == kSecondButton);
    });
}

void Alert::input(const QString &messageText, const QString &informativeText, const std::optional<QString> &initialText,
    const std::function<void(const QString &, bool)> &completion)
{
    platform::ui::Alert alert;
    alert.addButtonWithTitle(text("OK"));
    alert.addButtonWithTitle(text("CANCEL"));
    alert.setMessageText(messageText);
    alert.setInformativeText(informativeText);
    auto *field = new QLineEdit;
    field->setFixedSize(192, 21);
    field->setText(initialText.value_or(QString()));
    alert.setAccessoryView(field);
    const int response = alert.runModal();
    if (completion)
        completion(field->text(), response == kFirstButton);
}

} // namespace olvane
