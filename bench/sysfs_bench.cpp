// Cost of one refresh of the registry finder and the internal finder when both read sysfs: a laptop on
// battery with four accessories (a fixture tree laid out as on the machine it was taken from), and
// desks with 20, 100 and 500 Bluetooth mice (a tree made for the run).
//
// Each tick runs from the event loop, as the application's timer runs it. Besides the time, every
// benchmark reports the read system calls a tick makes ("reads"), from the kernel's count for the
// process (/proc/self/io).
#include "benchmain.h"
#include "ammerl/internalfinder.h"
#include "fennic/bluetoothfinder.h"
#include "platform/registry/sysfspowersources.h"
#include "platform/registry/memoryregistry.h"
#include "platform/registry/sysfsregistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <map>

#include <fcntl.h>
#include <unistd.h>

namespace {
const QString kRoot = QStringLiteral(QUENBY_SOURCE_DIR "/platform/registry/tests/data/sysfs/thinkpad");

struct Machine {
    explicit Machine(const QString &root = kRoot)
        : registry(root)
        , sources(root)
    {
    }
    platform::SysfsRegistry registry;
    platform::SysfsPowerSources sources;
    fennic::BluetoothFinder accessories { registry };
    ammerl::InternalFinder battery { registry, sources };
};

// The process's read system calls so far.
qint64 readCalls()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : io.readAll().split('\n')) {
        if (line.startsWith("syscr:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return 0;
}

// Runs `tick` once from the event loop.
void onTick(const std::function<void()> &tick)
{
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        tick();
        loop.quit();
    });
    loop.exec();
}

// Time per accessory: the tick's time over the number of accessories on the desk.
void perAccessory(benchmark::State &state, std::size_t count)
{
    state.counters["per_accessory"] = benchmark::Counter(
        double(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Runs the benchmark's ticks and reports the reads each made, without the reads of /proc/self/io. The
// ticks measured come after `untimed` ticks: the first meets every device for the first time.
template <typename Tick> void runTicks(benchmark::State &state, Tick tick, int untimed = 1)
{
    for (int i = 0; i < untimed; ++i)
        onTick(tick);
    const qint64 before = readCalls();
    const qint64 overhead = readCalls() - before;
    const qint64 start = readCalls();
    std::int64_t ticks = 0;
    for (auto _ : state) {
        onTick(tick);
        ++ticks;
    }
    const qint64 reads = readCalls() - start - overhead;
    state.counters["reads"] = ticks ? double(reads) / double(ticks) : 0.0;
}

// What the application's 2-second tick asks of both finders.
void BM_BothFindersRefresh(benchmark::State &state)
{
    Machine machine;
    std::size_t records = 0;
    runTicks(state, [&] {
        machine.accessories.refresh();
        auto internal = machine.battery.find();
        benchmark::DoNotOptimize(internal.get());
        records = machine.accessories.devices().size() + (internal ? 1 : 0);
    });
    if (records != 5)
        state.SkipWithError("expected four accessories and the battery");
}
BENCHMARK(BM_BothFindersRefresh)->Unit(benchmark::kMicrosecond);

void BM_BluetoothFinderRefresh(benchmark::State &state)
{
    Machine machine;
    runTicks(state, [&] {
        machine.accessories.refresh();
        benchmark::DoNotOptimize(machine.accessories.devices().data());
    });
    if (machine.accessories.devices().size() != 4)
        state.SkipWithError("expected four accessories");
}
BENCHMARK(BM_BluetoothFinderRefresh)->Unit(benchmark::kMicrosecond);

void BM_InternalFinderFind(benchmark::State &state)
{
    Machine machine;
    bool found = false;
    runTicks(state, [&] {
        auto internal = machine.battery.find();
        found = internal != nullptr;
        benchmark::DoNotOptimize(internal.get());
    });
    if (!found)
        state.SkipWithError("expected the battery");
}
BENCHMARK(BM_InternalFinderFind)->Unit(benchmark::kMicrosecond);

// A desk with `count` Bluetooth mice, each a HID device with its input device and battery, laid out
// as the kernel shows a mouse that BlueZ connected.
class Desk {
public:
    explicit Desk(int count)
    {
        const QString root = m_dir.path();
        QDir().mkpath(root + QStringLiteral("/class/power_supply"));
        QDir().mkpath(root + QStringLiteral("/bus/hid/devices"));
        const QByteArray descriptor = QByteArray::fromHex("05010902a1010901a100050919012903c0c0");
        for (int i = 0; i < count; ++i) {
            const QString address = QStringLiteral("D4:57:63:%1:%2:%3")
                                        .arg((i >> 16) & 0xFF, 2, 16, QChar(u'0'))
                                        .arg((i >> 8) & 0xFF, 2, 16, QChar(u'0'))
                                        .arg(i & 0xFF, 2, 16, QChar(u'0'))
                                        .toUpper();
            const QString name = QStringLiteral("0005:004C:0269.%1").arg(i + 1, 4, 16, QChar(u'0')).toUpper();
            const QString hid = QStringLiteral("devices/virtual/misc/uhid/") + name;
            const QString supply = QStringLiteral("hid-") + address.toLower() + QStringLiteral("-battery");
            const QString battery = hid + QStringLiteral("/power_supply/") + supply;
            const QString input = hid + QStringLiteral("/input/input") + QString::number(100 + i);
            write(hid + QStringLiteral("/uevent"),
                "DRIVER=magicmouse\nHID_ID=0005:0000004C:00000269\nHID_NAME=Mouse " + QByteArray::number(i)
                    + "\nHID_UNIQ=" + address.toLower().toLatin1() + "\n");
            write(hid + QStringLiteral("/report_descriptor"), descriptor);
            write(input + QStringLiteral("/capabilities/ev"), "17\n");
            write(input + QStringLiteral("/capabilities/key"), "70000 0 0 0 0\n");
            write(input + QStringLiteral("/capabilities/rel"), "143\n");
            write(input + QStringLiteral("/capabilities/abs"), "0\n");
            write(battery + QStringLiteral("/type"), "Battery\n");
            write(battery + QStringLiteral("/scope"), "Device\n");
            write(battery + QStringLiteral("/status"), "Discharging\n");
            write(battery + QStringLiteral("/present"), "1\n");
            write(battery + QStringLiteral("/capacity"), QByteArray::number(10 + i % 90) + "\n");
            write(battery + QStringLiteral("/model_name"), "Mouse " + QByteArray::number(i) + "\n");
            QFile::link(QStringLiteral("../../") + battery, root + QStringLiteral("/class/power_supply/") + supply);
            QFile::link(QStringLiteral("../../../") + hid, root + QStringLiteral("/bus/hid/devices/") + name);
            QFile::link(QStringLiteral("../../../") + name, root + QLatin1Char('/') + battery + QStringLiteral("/device"));
        }
    }

    QString root() const { return m_dir.path(); }

private:
    void write(const QString &relative, const QByteArray &content)
    {
        const QString path = m_dir.path() + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
    }

    QTemporaryDir m_dir;
};

void BM_BluetoothFinderRefreshAtScale(benchmark::State &state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Desk desk(static_cast<int>(count));
    Machine machine(desk.root());
    runTicks(state, [&] {
        machine.accessories.refresh();
        benchmark::DoNotOptimize(machine.accessories.devices().data());
    });
    if (machine.accessories.devices().size() != count)
        state.SkipWithError("not every mouse was found");
    perAccessory(state, count);
}
BENCHMARK(BM_BluetoothFinderRefreshAtScale)->Arg(20)->Arg(100)->Arg(500)->Unit(benchmark::kMicrosecond);

// The same desk once it has settled: a HID device's input directory is listed on its first five checks
// (input devices may come a moment after it), which the ticks above include a few of; these start after them.
void BM_BluetoothFinderRefreshSettled(benchmark::State &state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Desk desk(static_cast<int>(count));
    Machine machine(desk.root());
    runTicks(
        state,
        [&] {
            machine.accessories.refresh();
            benchmark::DoNotOptimize(machine.accessories.devices().data());
        },
        6);
    if (machine.accessories.devices().size() != count)
        state.SkipWithError("not every mouse was found");
    perAccessory(state, count);
}
BENCHMARK(BM_BluetoothFinderRefreshSettled)->Arg(20)->Arg(100)->Arg(500)->Unit(benchmark::kMicrosecond);

// The same desk held in memory: each entry the sysfs registry shows for the mice (event service, interface,
// HID device) copied with its properties into a memory registry, so the finder meets the same records and
// only the reading differs. Its per-accessory time is the floor the sysfs finder is compared with.
std::uint64_t copyEntry(platform::MemoryRegistry &memory, const platform::RegistryEntry &entry,
    std::map<std::uint64_t, std::uint64_t> &copied)
{
    if (!entry)
        return 0;
    if (const auto it = copied.find(entry.entryId()); it != copied.end())
        return it->second;
    const std::uint64_t parent = copyEntry(memory, entry.parent(), copied);
    QStringList superclasses;
    for (const char *name : { "IOHIDEventService", "IOPMPowerSource", "IOHIDDevice", "IOService" }) {
        if (entry.className() != QLatin1String(name) && entry.conformsTo(QString::fromLatin1(name)))
            superclasses << QString::fromLatin1(name);
    }
    const std::uint64_t id = memory.addEntry({ entry.className(), superclasses, entry.name(),
                                                 entry.properties().value_or(platform::Value::Dictionary {}) },
        parent);
    copied.emplace(entry.entryId(), id);
    return id;
}

void BM_MemoryFinderRefreshAtScale(benchmark::State &state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Desk desk(static_cast<int>(count));
    platform::SysfsRegistry sysfs(desk.root());
    platform::MemoryRegistry memory;
    std::map<std::uint64_t, std::uint64_t> copied;
    for (const QString &className : fennic::BluetoothFinder::registryClasses()) {
        for (const auto &entry : sysfs.matchingServices(className).value_or(std::vector<platform::RegistryEntry> {}))
            copyEntry(memory, entry, copied);
    }
    fennic::BluetoothFinder finder(memory);
    runTicks(state, [&] {
        finder.refresh();
        benchmark::DoNotOptimize(finder.devices().data());
    });
    if (finder.devices().size() != count)
        state.SkipWithError("not every mouse was found");
    perAccessory(state, count);
}
BENCHMARK(BM_MemoryFinderRefreshAtScale)->Arg(20)->Arg(100)->Arg(500)->Unit(benchmark::kMicrosecond);

// The floor of the sysfs finder's tick: an accessory's two files (level and status), kept open, read
// from their start. What a tick costs an accessory beyond the memory finder cannot go below this.
void BM_KeptFilesRead(benchmark::State &state)
{
    Desk desk(1);
    const QString supply = desk.root() + QStringLiteral("/class/power_supply/hid-d4:57:63:00:00:00-battery/");
    const int level = ::open(QFile::encodeName(supply + QStringLiteral("capacity")).constData(), O_RDONLY | O_CLOEXEC);
    const int status = ::open(QFile::encodeName(supply + QStringLiteral("status")).constData(), O_RDONLY | O_CLOEXEC);
    char buffer[4096];
    for (auto _ : state) {
        benchmark::DoNotOptimize(::pread(level, buffer, sizeof buffer, 0));
        benchmark::DoNotOptimize(::pread(status, buffer, sizeof buffer, 0));
    }
    if (level < 0 || status < 0)
        state.SkipWithError("the mouse's files cannot be opened");
    ::close(level);
    ::close(status);
}
BENCHMARK(BM_KeptFilesRead)->Unit(benchmark::kMicrosecond);

// The same floor on a desk: every accessory's two files read in turn, as a tick reads them, so the kernel's
// structures of 2 x `count` files are in play rather than those of two files read again and again.
void BM_KeptFilesReadAtScale(benchmark::State &state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Desk desk(static_cast<int>(count));
    std::vector<int> files;
    const QString supplies = desk.root() + QStringLiteral("/class/power_supply/");
    for (const QString &supply : QDir(supplies).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        for (const char *name : { "capacity", "status" }) {
            const QString path = supplies + supply + QLatin1Char('/') + QLatin1String(name);
            files.push_back(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC));
        }
    }
    char buffer[4096];
    for (auto _ : state) {
        for (const int fd : files)
            benchmark::DoNotOptimize(::pread(fd, buffer, sizeof buffer, 0));
    }
    if (files.size() != 2 * count || std::find(files.begin(), files.end(), -1) != files.end())
        state.SkipWithError("the mice's files cannot be opened");
    for (const int fd : files)
        ::close(fd);
    perAccessory(state, count);
}
BENCHMARK(BM_KeptFilesReadAtScale)->Arg(20)->Arg(100)->Arg(500)->Unit(benchmark::kMicrosecond);
}

int main(int argc, char **argv) { return bench::runBenchmarks<QCoreApplication>(argc, argv); }
