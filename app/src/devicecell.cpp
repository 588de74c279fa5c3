#include "quenby/devicecell.h"

#include "localization_p.h"
#include "quenby/nameviewcontroller.h"
#include "symbolpixmap_p.h"
#include "viewhost_p.h"

#include <fennic/batterydevice.h>
#include <fennic/lowenergydevice.h>
#include <pirrow/gradientprogressview.h>
#include <tavrin/images.h>

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>

namespace quenby {

namespace {

    pirrow::GradientProgressView *addBar(QGridLayout *layout, int row, QWidget *parent)
    {
        auto *host = new ViewHost<pirrow::GradientProgressView>(parent);
        host->setFixedHeight(8);
        layout->addWidget(host, row, 1, 1, 2);
        return host->view();
    }

} // namespace

DeviceCell::DeviceCell(int bars, QWidget *parent)
    : QFrame(parent)
    , m_icon(new QLabel(this))
    , m_manufacturer(new QLabel(this))
    , m_model(new QLabel(this))
    , m_gear(new QToolButton(this))
{
    setFrameShape(QFrame::StyledPanel);
    setFixedHeight(kHeight - 10);
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    m_icon->setFixedSize(64, 64);
    m_icon->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_icon, 0, 0, 4, 1);
    QFont small = m_manufacturer->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_manufacturer->setFont(small);
    layout->addWidget(m_manufacturer, 0, 1);
    QFont bold = m_model->font();
    bold.setBold(true);
    m_model->setFont(bold);
    layout->addWidget(m_model, 1, 1);
    m_gear->setAutoRaise(true);
    layout->addWidget(m_gear, 0, 3);
    if (bars == 2)
        m_upper = addBar(layout, 2, this);
    m_lower = addBar(layout, 3, this);
    if (bars == 1) {
        m_bolt = new QLabel(this);
        m_bolt->setFixedSize(16, 16);
        layout->addWidget(m_bolt, 3, 3);
    }
    layout->setColumnStretch(1, 1);
    connect(m_gear, &QToolButton::clicked, this, [this] { gearClicked(); });
    paintSymbols();
}

void DeviceCell::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        paintSymbols();
}

void DeviceCell::paintSymbols()
{
    // A refresh shows the same pictures nearly always: each is made again only when what it shows (the
    // device's symbol, charging, the ink) changed.
    const QColor ink = palette().color(QPalette::WindowText);
    const Painted painted { m_device ? std::optional<QString>(m_device->imageName()) : std::nullopt, m_isCharging,
        ink.rgba() };
    const bool inkChanged = !m_painted || m_painted->ink != painted.ink;
    if (inkChanged)
        m_gear->setIcon(QIcon(symbolPixmap(tavrin::Images::symbol(QStringLiteral("gear")), 16, ink)));
    if (inkChanged || m_painted->image != painted.image)
        m_icon->setPixmap(painted.image ? symbolPixmap(tavrin::Images::symbol(*painted.image), 64, ink) : QPixmap());
    if (m_bolt && (inkChanged || m_painted->charging != painted.charging))
        m_bolt->setPixmap(
            m_isCharging ? symbolPixmap(tavrin::Images::symbol(QStringLiteral("bolt.fill")), 16, ink) : QPixmap());
    m_painted = painted;
}

DeviceCell::~DeviceCell() = default;

void DeviceCell::showCommon(const std::shared_ptr<fennic::BatteryDevice> &device)
{
    m_device = device;
    m_manufacturer->setText(device->manufacturer().value_or(localized(QStringLiteral("UNKNOWN_MANUFACTURER"))));
}

void DeviceCell::showSingle(const std::shared_ptr<fennic::BatteryDevice> &device)
{
    showCommon(device);
    QString model = device->name();
    if (const auto *lowEnergy = dynamic_cast<const fennic::LowEnergyDevice *>(device.get())) {
        model = lowEnergy->model().value_or(QString());
        if (model.isEmpty())
            model = localized(QStringLiteral("UNKNOWN_MODEL"));
    }
    m_model->setText(model);
    m_isCharging = device->isCharging();
    paintSymbols();
    m_lower->setValue(device->batteryLevel() ? *device->batteryLevel() / 100.0 : 0.0);
}

void DeviceCell::showDouble(const std::shared_ptr<fennic::BatteryDevice> &device, double upper, double lower)
{
    showCommon(device);
    m_model->setText(device->name());
    paintSymbols();
    if (m_upper)
        m_upper->setValue(upper);
    m_lower->setValue(lower);
}

NameViewController *DeviceCell::gearClicked()
{
    if (!m_device)
        return nullptr;
    auto *sheet = new NameViewController(m_device, window());
    sheet->setWindowModality(Qt::WindowModal);
    sheet->open();
    return sheet;
}

} // namespace quenby
