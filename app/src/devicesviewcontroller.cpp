#include "quenby/devicesviewcontroller.h"

#include "localization_p.h"
#include "quenby/devicecell.h"
#include "quenby/icontroller.h"

#include <fennic/batterydevice.h>
#include <fennic/doublebatterydevice.h>
#include <platform/core/mainqueue.h>

#include <QLabel>
#include <QPointer>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace quenby {

DevicesViewController::DevicesViewController(QWidget *parent)
    : Page(parent)
    , m_scrollView(new QScrollArea(this))
    , m_grid(new QWidget)
    , m_gridLayout(new QVBoxLayout(m_grid))
    , m_infoView(new QLabel(localized(QStringLiteral("NO_DEVICES")), this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scrollView);
    layout->addWidget(m_infoView);
    static_cast<QLabel *>(m_infoView)->setAlignment(Qt::AlignCenter);
    m_gridLayout->setContentsMargins(8, 8, 8, 2);
    m_gridLayout->setSpacing(16);
    m_gridLayout->addStretch(1);
    m_scrollView->setWidget(m_grid);
    m_scrollView->setWidgetResizable(true);
    m_scrollView->setFrameShape(QFrame::NoFrame);
    m_scrollView->hide();
}

DevicesViewController::~DevicesViewController()
{
    if (m_controller)
        m_controller->removeObserver(this);
}

void DevicesViewController::viewWillAppear()
{
    if (m_controller)
        m_controller->addObserver(this);
    refresh();
}

void DevicesViewController::viewWillDisappear()
{
    if (m_controller)
        m_controller->removeObserver(this);
}

void DevicesViewController::refresh()
{
    m_devices.clear();
    if (m_controller)
        for (const auto &[identifier, device] : m_controller->model().devices())
            m_devices.push_back(device);
    std::stable_sort(m_devices.begin(), m_devices.end(),
        [](const auto &left, const auto &right) { return left->name() < right->name(); });
    QPointer<DevicesViewController> self(this);
    platform::MainQueue::async([self] {
        if (self)
            self->reloadData();
    });
}

QList<DeviceCell *> DevicesViewController::cells() const
{
    QList<DeviceCell *> list;
    for (int i = 0; i < m_gridLayout->count(); ++i)
        if (auto *cell = qobject_cast<DeviceCell *>(m_gridLayout->itemAt(i)->widget()))
            list << cell;
    return list;
}

void DevicesViewController::reloadData()
{
    m_scrollView->setVisible(!m_devices.empty());
    m_infoView->setVisible(m_devices.empty());
    // A pair that reports only one of its levels shows the level it has.
    const auto barsOf = [](const std::shared_ptr<fennic::BatteryDevice> &device) {
        const auto *pair = dynamic_cast<const fennic::DoubleBatteryDevice *>(device.get());
        return pair && pair->firstLevel() && pair->secondLevel() ? 2 : 1;
    };
    const auto show = [](DeviceCell *cell, const std::shared_ptr<fennic::BatteryDevice> &device, int bars) {
        if (bars == 2) {
            const auto *pair = static_cast<const fennic::DoubleBatteryDevice *>(device.get());
            cell->showDouble(device, *pair->firstLevel() / 100.0, *pair->secondLevel() / 100.0);
        } else {
            cell->showSingle(device);
        }
    };
    QList<DeviceCell *> spare = cells();
    // The same kinds of cell in the same order, as on nearly every refresh: the cells take their
    // devices where they stand, and the grid is not laid out again.
    const bool sameShape = std::size_t(spare.size()) == m_devices.size()
        && std::equal(m_devices.begin(), m_devices.end(), spare.begin(),
            [&](const auto &device, const DeviceCell *cell) { return cell->bars() == barsOf(device); });
    if (sameShape) {
        for (std::size_t i = 0; i < m_devices.size(); ++i)
            show(spare.at(qsizetype(i)), m_devices[i], spare.at(qsizetype(i))->bars());
        return;
    }
    // Cells are reused by kind, as a collection view dequeues them: whatever a cell opened (the rename
    // sheet) and the keyboard focus survive the refresh every two seconds.
    for (DeviceCell *cell : std::as_const(spare))
        m_gridLayout->removeWidget(cell);
    int row = 0;
    for (const auto &device : m_devices) {
        const int bars = barsOf(device);
        const auto reusable = std::find_if(
            spare.begin(), spare.end(), [bars](const DeviceCell *cell) { return cell->bars() == bars; });
        DeviceCell *cell = nullptr;
        if (reusable != spare.end()) {
            cell = *reusable;
            spare.erase(reusable);
        } else {
            cell = new DeviceCell(bars, m_grid);
        }
        show(cell, device, bars);
        m_gridLayout->insertWidget(row++, cell);
        cell->show();
    }
    qDeleteAll(spare);
}

} // namespace quenby
