// The floor a tray program cannot go below: a bare Qt 6 program with one tray icon that it draws
// again every 2 seconds from one battery file it reads (BAT0's capacity under $QUENBY_SYSFS_ROOT, else
// /sys; a level that counts down when there is none), nothing else. bench/measure-idle runs it beside
// Quenby to compare what each costs at rest.
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {

QPixmap levelIcon(int level)
{
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRoundedRect(QRectF(1.5, 6.5, 17, 9), 2, 2);
    painter.fillRect(QRectF(19, 9, 2, 4), Qt::white);
    painter.fillRect(QRectF(3, 8, 14.0 * level / 100, 6), level > 20 ? Qt::green : Qt::red);
    QFont font = painter.font();
    font.setPixelSize(8);
    painter.setFont(font);
    painter.drawText(QRectF(0, 14, 22, 8), Qt::AlignCenter, QString::number(level));
    return pixmap;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QSystemTrayIcon icon;
    int level = 100;
    icon.setIcon(QIcon(levelIcon(level)));
    icon.setToolTip(QStringLiteral("Battery %1%").arg(level));
    icon.show();
    const QString root = qEnvironmentVariable("QUENBY_SYSFS_ROOT", QStringLiteral("/sys"));
    QFile capacity(root + QStringLiteral("/class/power_supply/BAT0/capacity"));
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        bool read = false;
        if (capacity.open(QIODevice::ReadOnly)) {
            level = capacity.readAll().trimmed().toInt(&read);
            capacity.close();
        }
        if (!read)
            level = level > 1 ? level - 1 : 100;
        icon.setIcon(QIcon(levelIcon(level)));
        icon.setToolTip(QStringLiteral("Battery %1%").arg(level));
    });
    timer.start(2000);
    return app.exec();
}
