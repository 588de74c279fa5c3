#include "quenby/internalviewcontroller.h"

#include "localization_p.h"
#include "quenby/icontroller.h"
#include "quenby/settings.h"
#include "quenby/statusdot.h"
#include "viewhost_p.h"

#include <ammerl/batterycondition.h>
#include <ammerl/internalbattery.h>
#include <pirrow/colorgradient.h>
#include <pirrow/constants.h>
#include <pirrow/gradientprogressview.h>
#include <pirrow/gradients.h>
#include <pirrow/graphview.h>
#include <pirrow/straightlineplotter.h>
#include <platform/core/format.h>
#include <tavrin/constants.h>

#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include <cmath>

namespace quenby {

namespace {

    QPixmap dot(const platform::ui::Image &image)
    {
        const QImage bitmap = image.bitmap(2.0);
        QPixmap pixmap = QPixmap::fromImage(bitmap);
        pixmap.setDevicePixelRatio(2.0);
        return pixmap;
    }

    // The yellow dot of a battery in fair condition.
    QPixmap partialDot()
    {
        const int side = int(StatusDot::kDiameter * 2);
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 204, 0));
        painter.drawEllipse(QRectF(1, 1, side - 2, side - 2));
        painter.end();
        pixmap.setDevicePixelRatio(2.0);
        return pixmap;
    }

} // namespace

InternalViewController::InternalViewController(QWidget *parent)
    : Page(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    layout->addLayout(grid);
    int row = 0;
    const auto field = [&](const QString &caption, QLabel **captionOut = nullptr) {
        auto *title = new QLabel(caption, this);
        auto *value = new QLabel(tavrin::kNoValue, this);
        grid->addWidget(title, row, 0);
        grid->addWidget(value, row, 1);
        ++row;
        if (captionOut)
            *captionOut = title;
        return value;
    };
    m_currentCapacity = field(localized(QStringLiteral("CURRENT_CAPACITY")));
    m_maxCapacity = field(localized(QStringLiteral("MAX_CAPACITY")));
    m_maxDesignCapacity = field(localized(QStringLiteral("DESIGN_CAPACITY")));
    m_cycleCount = field(localized(QStringLiteral("CYCLE_COUNT")));
    m_designCycleCount = field(localized(QStringLiteral("DESIGN_CYCLE_COUNT")));
    auto *cycleHost = new ViewHost<pirrow::GradientProgressView>(this);
    cycleHost->setFixedHeight(8);
    grid->addWidget(cycleHost, row++, 0, 1, 3);
    m_cycleProgress = cycleHost->view();
    m_health = field(localized(QStringLiteral("CONDITION")));
    m_healthIndicator = new QLabel(this);
    grid->addWidget(m_healthIndicator, row - 1, 2);
    m_temperature = field(localized(QStringLiteral("TEMPERATURE")));
    m_manufacturer = field(localized(QStringLiteral("MANUFACTURER")));
    m_manufactureDate = field(localized(QStringLiteral("MANUFACTURE_DATE")));
    m_voltage = field(localized(QStringLiteral("VOLTAGE")));
    m_amperage = field(localized(QStringLiteral("CHARGE_RATE")), &m_amperageInfo);
    m_watts = field(localized(QStringLiteral("POWER_USAGE")), &m_wattsInfo);
    m_timeRemaining = field(localized(QStringLiteral("TIME_UNTIL_EMPTY")), &m_chargeInfo);

    auto *graphHost = new ViewHost<pirrow::GraphView>(this);
    graphHost->setMinimumHeight(140);
    layout->addWidget(graphHost, 1);
    m_graph = graphHost->view();
    m_graph->setUnit(QStringLiteral("W"));
    auto gridOptions = m_graph->gridOptions();
    gridOptions.horizontalSegments = 4;
    gridOptions.verticalSegments = 0;
    gridOptions.lineDashPhase = 3;
    gridOptions.lineDashPattern = std::vector<double> { 3, 3 };
    m_graph->setGridOptions(gridOptions);
    auto fontOptions = m_graph->fontOptions();
    fontOptions.font = platform::ui::Font::systemFont(11, platform::ui::FontWeight::regular);
    fontOptions.showMinValue = false;
    fontOptions.showHalfValue = false;
    m_graph->setFontOptions(fontOptions);
    m_graph->setAutoCalculateMax(false);
    // The page rounds its maximum itself; the graph must not lift it to a step of its own.
    m_graph->setScaleMode(pirrow::ScaleMode::none);
    const auto &gradient = pirrow::Gradients::violetToPink();
    auto line = std::make_shared<pirrow::StraightLinePlotter>(gradient.mColors);
    line->setFillArea(true);
    line->setFillColors(gradient.fadedColors());
    line->setLineWidth(2 * pirrow::Constants::onePixel());
    std::vector<platform::ui::Color> faded;
    for (const auto &color : gradient.mColors)
        faded.push_back(color.withAlphaComponent(0.2));
    auto charging = std::make_shared<pirrow::StraightLinePlotter>(faded);
    charging->setFillArea(true);
    charging->setFillColors(gradient.fadedColors());
    charging->setLineWidth(0);
    m_graph->addPlotter(line);
    m_graph->addPlotter(charging);
}

InternalViewController::~InternalViewController()
{
    if (m_controller)
        m_controller->removeObserver(this);
}

void InternalViewController::viewWillAppear()
{
    update();
    if (m_controller)
        m_controller->addObserver(this);
}

void InternalViewController::viewWillDisappear()
{
    if (m_controller)
        m_controller->removeObserver(this);
}

void InternalViewController::update()
{
    if (!m_controller || !m_controller->internalBattery())
        return;
    const ammerl::InternalBattery &battery = *m_controller->internalBattery();
    const QString none = tavrin::kNoValue;
    const auto charged = battery.isCharged();
    // A battery neither charging nor on its adapter that reads no current has a current nobody measured:
    // its rate, and the power worked out from it, are unknown rather than 0.
    const bool discharging = !battery.isCharging().value_or(false) && !battery.acPowered().value_or(false);
    const auto amperage = battery.amperage();
    const bool rateUnknown = amperage && *amperage == 0 && discharging;
    const bool goingDown = amperage && (*amperage < 0 || rateUnknown);

    if (amperage) {
        m_amperageInfo->setText(
            localized(goingDown ? QStringLiteral("DISCHARGE_RATE") : QStringLiteral("CHARGE_RATE")));
        // A rate is a current: milliamperes.
        m_amperage->setText(charged.value_or(false) || rateUnknown
                ? none
                : platform::format("%lld mA", static_cast<long long>(std::llabs(*amperage))));
    } else {
        m_amperage->setText(none);
    }

    if (const auto minutes = battery.timeRemaining()) {
        if (amperage)
            m_chargeInfo->setText(
                localized(goingDown ? QStringLiteral("TIME_UNTIL_EMPTY") : QStringLiteral("TIME_TO_FULL")));
        // 0 is a battery not going this way and -1 one still estimated: neither is a time.
        if (charged)
            m_timeRemaining->setText(*charged ? localized(QStringLiteral("BATTERY_FULL"))
                    : *minutes <= 0           ? none
                                              : platform::format("%.2lld:%.2lld", static_cast<long long>(*minutes / 60),
                                                  static_cast<long long>(*minutes % 60)));
    } else {
        m_timeRemaining->setText(none);
    }

    if (const auto watts = battery.watts()) {
        if (const auto charging = battery.isCharging()) {
            m_wattsInfo->setText(
                localized(*charging ? QStringLiteral("CHARGING_WITH") : QStringLiteral("POWER_USAGE")));
            // The caption says which way the power goes; the number is its size, never a negative zero.
            m_watts->setText(
                charged.value_or(false) || rateUnknown ? none : platform::format("%.2f W", std::abs(*watts)));
        }
    } else {
        m_watts->setText(none);
    }

    m_maxCapacity->setText(battery.maxCapacityText());
    m_currentCapacity->setText(battery.currentCapacityText());
    m_maxDesignCapacity->setText(battery.designCapacityText());

    switch (battery.condition().value_or(ammerl::BatteryCondition(-1))) {
    case ammerl::BatteryCondition::good:
        m_health->setText(localized(QStringLiteral("GOOD_BATTERY")));
        m_healthIndicator->setPixmap(dot(StatusDot::available()));
        break;
    case ammerl::BatteryCondition::fair:
        m_health->setText(localized(QStringLiteral("FAIR_BATTERY")));
        m_healthIndicator->setPixmap(partialDot());
        break;
    case ammerl::BatteryCondition::poor:
        m_health->setText(localized(QStringLiteral("POOR_BATTERY")));
        m_healthIndicator->setPixmap(dot(StatusDot::unavailable()));
        break;
    default:
        m_health->setText(none);
        m_healthIndicator->setPixmap(QPixmap());
    }

    const auto cycles = battery.cycleCount();
    const auto designCycles = battery.designCycleCount();
    m_designCycleCount->setText(designCycles ? platform::format("%lld", static_cast<long long>(*designCycles)) : none);
    m_cycleCount->setText(cycles ? platform::format("%lld", static_cast<long long>(*cycles)) : none);
    // Without a design count (or with one of 0) there is nothing to measure the cycles against: the bar is
    // empty, not full.
    m_cycleProgress->setValue(
        cycles && designCycles && *designCycles > 0 ? std::min(double(*cycles) / double(*designCycles), 1.0) : 0.0);

    if (const auto celsius = battery.temperature()) {
        const bool imperial = Settings::imperial();
        m_temperature->setText(
            imperial ? platform::format("%.2f °F", *celsius * 1.8 + 32) : platform::format("%.2f °C", *celsius));
    } else {
        m_temperature->setText(none);
    }
    const auto &date = battery.manufactureDate();
    m_manufactureDate->setText(date && date->isValid() ? QLocale().toString(date->date(), QLocale::ShortFormat) : none);
    m_manufacturer->setText(battery.manufacturer().value_or(none));
    m_voltage->setText(battery.voltage() ? platform::format("%.3f V", *battery.voltage()) : none);

    m_graph->setMaxValue((std::floor(m_controller->maxConsumption() / 10.0) + 1) * 10);
    if (const auto first = m_graph->firstPlotter())
        first->setData(m_controller->consumption().values());
    if (const auto second = m_graph->secondPlotter())
        second->setData(m_controller->acConsumption().values());
    m_graph->setNeedsLayout();
}

} // namespace quenby
