#pragma once

#include "quenby/icontrollable.h"
#include "quenby/observer.h"
#include "quenby/page.h"

#include <memory>
#include <vector>

class QScrollArea;
class QVBoxLayout;

namespace fennic {
class BatteryDevice;
}

namespace quenby {

class DeviceCell;

/// The devices page: every device the data model knows, by name, one cell each; a note takes the
/// grid's place while there are none. Refreshes with the controller while shown.
class DevicesViewController final : public Page, public IControllable, public Observer {
    Q_OBJECT
public:
    explicit DevicesViewController(QWidget *parent = nullptr);
    ~DevicesViewController() override;

    IController *controller() const override { return m_controller; }
    void setController(IController *controller) override { m_controller = controller; }

    /// Reads the devices now; the grid follows on the next pass of the event loop.
    void refresh();
    void update() override { refresh(); }

    const std::vector<std::shared_ptr<fennic::BatteryDevice>> &devices() const { return m_devices; }
    QScrollArea *scrollView() const { return m_scrollView; }
    QWidget *infoView() const { return m_infoView; }
    /// The cells in grid order.
    QList<DeviceCell *> cells() const;

protected:
    void viewWillAppear() override;
    void viewWillDisappear() override;

private:
    void reloadData();

    QScrollArea *m_scrollView = nullptr;
    QWidget *m_grid = nullptr;
    QVBoxLayout *m_gridLayout = nullptr;
    QWidget *m_infoView = nullptr;
    std::vector<std::shared_ptr<fennic::BatteryDevice>> m_devices;
    IController *m_controller = nullptr;
};

} // namespace quenby
