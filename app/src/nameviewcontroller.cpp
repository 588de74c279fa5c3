#include "quenby/nameviewcontroller.h"

#include "localization_p.h"
#include "quenby/settings.h"

#include <fennic/batterydevice.h>
#include <fennic/devicetype.h>
#include <tavrin/notifications.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace quenby {

NameViewController::NameViewController(std::shared_ptr<fennic::BatteryDevice> device, QWidget *parent)
    : QDialog(parent)
    , m_device(std::move(device))
    , m_textField(new QLineEdit(this))
    , m_button(new QPushButton(localized(QStringLiteral("SAVE")), this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    auto *prompt = new QLabel(localized(QStringLiteral("RENAME_DEVICE")), this);
    QFont bold = prompt->font();
    bold.setBold(true);
    prompt->setFont(bold);
    layout->addWidget(prompt);
    layout->addWidget(m_textField);
    layout->addWidget(m_button, 0, Qt::AlignRight);
    setMinimumWidth(340);
    setWindowTitle(localized(QStringLiteral("RENAME_DEVICE")));
    m_button->setDefault(true);
    connect(m_button, &QPushButton::clicked, this, &NameViewController::buttonClicked);
    setAttribute(Qt::WA_DeleteOnClose);
}

NameViewController::~NameViewController() = default;

void NameViewController::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // A sheet comes down from the top edge of its window, centred.
    if (QWidget *owner = parentWidget()) {
        adjustSize();
        move(owner->mapToGlobal(QPoint((owner->width() - width()) / 2, 0)));
    }
    if (!m_device)
        return;
    m_textField->setPlaceholderText(fennic::description(m_device->type()));
    const QString name = Settings::customNames().value(m_device->serial());
    m_textField->setText(name);
    m_initialName = name;
}

void NameViewController::buttonClicked()
{
    if (!m_device)
        return;
    const QString text = m_textField->text();
    if (m_initialName && !m_initialName->isEmpty() && *m_initialName == text) {
        accept();
        return;
    }
    Settings::setCustomName(m_device->serial(), text);
    tavrin::Notifications::post(QStringLiteral("ModeChanged"));
    accept();
}

} // namespace quenby
