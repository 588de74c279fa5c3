#pragma once

#include "quenby/icontrollable.h"
#include "quenby/observer.h"
#include "quenby/page.h"

#include <memory>

class QLabel;

namespace pirrow {
class GradientProgressView;
class GraphView;
}

namespace quenby {

/// The page about the computer's own battery: capacities, cycles, condition, temperature, maker,
/// voltage, rate, power, time left and the power drawn over the last two hours.
class InternalViewController final : public Page, public IControllable, public Observer {
    Q_OBJECT
public:
    explicit InternalViewController(QWidget *parent = nullptr);
    ~InternalViewController() override;

    IController *controller() const override { return m_controller; }
    void setController(IController *controller) override { m_controller = controller; }

    /// Reads the battery and the histories anew; nothing without a controller or a battery.
    void update() override;

    QLabel *currentCapacity() const { return m_currentCapacity; }
    QLabel *maxCapacity() const { return m_maxCapacity; }
    QLabel *maxDesignCapacity() const { return m_maxDesignCapacity; }
    QLabel *cycleCount() const { return m_cycleCount; }
    QLabel *designCycleCount() const { return m_designCycleCount; }
    QLabel *amperage() const { return m_amperage; }
    QLabel *health() const { return m_health; }
    QLabel *temperature() const { return m_temperature; }
    QLabel *timeRemaining() const { return m_timeRemaining; }
    QLabel *manufacturer() const { return m_manufacturer; }
    QLabel *manufactureDate() const { return m_manufactureDate; }
    QLabel *voltage() const { return m_voltage; }
    QLabel *chargeInfo() const { return m_chargeInfo; }
    QLabel *amperageInfo() const { return m_amperageInfo; }
    QLabel *watts() const { return m_watts; }
    QLabel *wattsInfo() const { return m_wattsInfo; }
    QLabel *healthIndicator() const { return m_healthIndicator; }
    pirrow::GradientProgressView *cycleProgress() const { return m_cycleProgress; }
    pirrow::GraphView *consumptionGraph() const { return m_graph; }

protected:
    void viewWillAppear() override;
    void viewWillDisappear() override;

private:
    QLabel *m_currentCapacity, *m_maxCapacity, *m_maxDesignCapacity, *m_cycleCount, *m_designCycleCount;
    QLabel *m_amperage, *m_health, *m_temperature, *m_timeRemaining, *m_manufacturer, *m_manufactureDate;
    QLabel *m_voltage, *m_chargeInfo, *m_amperageInfo, *m_watts, *m_wattsInfo, *m_healthIndicator;
    pirrow::GradientProgressView *m_cycleProgress = nullptr;
    pirrow::GraphView *m_graph = nullptr;
    IController *m_controller = nullptr;
};

} // namespace quenby
