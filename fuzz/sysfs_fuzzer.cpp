#include "fuzzinput.h"

#include "../platform/registry/src/powersupply_p.h"
#include "../platform/registry/src/sysfsattributes_p.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

// Kernel attribute values are outside input. The bytes are lines "name=value" making up the files of
// one battery's sysfs directory (names of letters, digits and "_", or "device/<name>" for the HID
// device it belongs to; "\n" in a value stands for a line break); after a line "--" they make up an
// adapter's, which is also read as a second battery beside the first. Every reader of the power-supply
// class reads them.
namespace {
std::unique_ptr<QTemporaryDir> s_root;

bool plainName(const QByteArray &name)
{
    if (name.isEmpty() || name.size() > 64)
        return false;
    for (const char c : name) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    }
    return true;
}

void fill(const QString &directory, const QList<QByteArray> &lines)
{
    QDir(directory).removeRecursively();
    QDir().mkpath(directory + QStringLiteral("/device"));
    for (const QByteArray &line : lines) {
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            continue;
        QByteArray name = line.left(equals);
        QString folder = directory;
        if (name.startsWith("device/")) {
            name = name.mid(7);
            folder += QStringLiteral("/device");
        }
        if (!plainName(name))
            continue;
        QFile file(folder + u'/' + QString::fromLatin1(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(line.mid(equals + 1).replace("\\n", "\n"));
    }
}
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication application(*argc, *argv);
    s_root = std::make_unique<QTemporaryDir>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    namespace supply = platform::powersupply;
    const QList<QByteArray> lines = fuzzBytes(data, size).split('\n');
    const qsizetype separator = lines.indexOf(QByteArray("--"));
    const QString batteryPath = s_root->path() + QStringLiteral("/hid-00:11:22:33:44:55-battery");
    const QString adapterPath = s_root->path() + QStringLiteral("/AC");
    fill(batteryPath, lines.mid(0, separator < 0 ? lines.size() : separator));
    fill(adapterPath, separator < 0 ? QList<QByteArray>() : lines.mid(separator + 1));

    const platform::SysfsAttributes battery(batteryPath);
    const supply::Supply entry { QStringLiteral("hid-00:11:22:33:44:55-battery"), batteryPath };
    (void)supply::smartBatteryProperties(battery);
    (void)supply::controllerClass(battery);
    (void)supply::powerSourceDescription(entry, battery, { platform::SysfsAttributes(adapterPath) });
    (void)supply::powerSourceDescription(entry, platform::SysfsAttributes(batteryPath), {});
    const platform::SysfsAttributes both
        = supply::combinedBatteries({ platform::SysfsAttributes(batteryPath), platform::SysfsAttributes(adapterPath) });
    (void)supply::smartBatteryProperties(both);
    (void)supply::controllerClass(both);
    (void)supply::powerSourceDescription(entry, both, {});
    const auto hid = supply::hidDeviceOf(entry);
    (void)supply::hidEventServiceProperties(entry, battery, hid);
    if (hid) {
        (void)hid->properties();
        (void)hid->primaryUsage();
    }
    return 0;
}
