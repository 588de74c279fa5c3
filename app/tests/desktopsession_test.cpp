// The program on a display of its own (an X server, or a headless Wayland compositor with XWayland)
// with a session bus of its own: its status items as a StatusNotifierItem host and an XEmbed tray see
// them, the strip it falls back to when the tray goes, the menu a host shows for it on Wayland, and a
// second start of the same bundle.

#include "../../platform/core/tests/copytree.h"
#include "../../platform/desktop/tests/dbusmock.h"
#include "platform/core/plist.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <optional>

#include <sys/stat.h>
#include <memory>

using platform::Value;

namespace {

const QString kBuiltApp = QStringLiteral(QUENBY_BIN_DIR "/Quenby.app");
const QString kMachine = QStringLiteral(QUENBY_SOURCE_DIR "/demo/desk.json");
const QString kWatcherTemplate = QStringLiteral(QUENBY_SOURCE_DIR "/platform/ui/tests/data/status_notifier_watcher.py");
const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kPortalTemplate = QStringLiteral(QUENBY_SOURCE_DIR "/platform/ui/tests/data/settings_portal.py");
const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kItemInterface = QStringLiteral("org.kde.StatusNotifierItem");
// Starting a Qt program (and a compositor) on a busy machine.
constexpr int kBound = 30000;
constexpr int kScreenWidth = 1280;

// An X server of its own; the display number is the one it picked.
class Xvfb {
public:
    bool start()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
            return false;
        m_process.start(QStringLiteral("Xvfb"),
            { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                QStringLiteral("%1x800x24").arg(kScreenWidth), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                // The test's own xwininfo and xprop come and go; without this the server resets each time
                // the last of them leaves and drops a program that connects during the reset.
                QStringLiteral("-noreset") });
        if (!m_process.waitForStarted(10000))
            return false;
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(10000))
                return false;
        }
        m_display = QStringLiteral(":") + QString::fromLatin1(m_process.readLine()).trimmed();
        return true;
    }
    ~Xvfb()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(5000);
        }
    }
    QString display() const { return m_display; }

private:
    QProcess m_process;
    QString m_display;
};

// A headless Wayland compositor of its own with XWayland; the X display number is the one XWayland
// got. Screenshots need weston's debug protocol, which --debug turns on.
class Weston {
public:
    static bool isInstalled()
    {
        return !QStandardPaths::findExecutable(QStringLiteral("weston")).isEmpty()
            && !QStandardPaths::findExecutable(QStringLiteral("Xwayland")).isEmpty();
    }

    bool start()
    {
        // XWayland's sockets go there; a machine that never ran an X server may lack the folder.
        if (!QFileInfo::exists(QStringLiteral("/tmp/.X11-unix")) && ::mkdir("/tmp/.X11-unix", 01777) == 0)
            ::chmod("/tmp/.X11-unix", 01777);
        if (!m_runtime.isValid() || ::chmod(QFile::encodeName(m_runtime.path()).constData(), 0700) != 0)
            return false;
        static std::atomic<int> counter = 0;
        m_socket = QStringLiteral("quenby-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(++counter);
        const QString log = m_runtime.path() + QStringLiteral("/weston.log");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("DISPLAY"));
        m_process.setProcessEnvironment(env);
        m_process.start(QStringLiteral("weston"),
            { QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--use-pixman"),
                QStringLiteral("--width=%1").arg(kScreenWidth), QStringLiteral("--height=800"),
                QStringLiteral("--socket=") + m_socket, QStringLiteral("--xwayland"), QStringLiteral("--no-config"),
                QStringLiteral("--idle-time=0"), QStringLiteral("--debug"), QStringLiteral("--log=") + log });
        if (!m_process.waitForStarted(10000))
            return false;
        static const QRegularExpression listening(QStringLiteral("xserver listening on display (:\\d+)"));
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < kBound && m_process.state() == QProcess::Running) {
            QFile file(log);
            if (file.open(QIODevice::ReadOnly)) {
                const auto match = listening.match(QString::fromUtf8(file.readAll()));
                if (match.hasMatch() && QFileInfo::exists(m_runtime.path() + QStringLiteral("/") + m_socket)) {
                    m_display = match.captured(1);
                    return true;
                }
            }
            QTest::qWait(50);
        }
        return false;
    }
    ~Weston()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(5000))
                m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    QString socket() const { return m_socket; }
    QString runtimeDirectory() const { return m_runtime.path(); }
    QString display() const { return m_display; }

private:
    QTemporaryDir m_runtime;
    QProcess m_process;
    QString m_socket;
    QString m_display;
};

struct Registration {
    QString sender;
    QString item;
    uint pid = 0;
};

// What the window manager and the test read of a top-level window.
struct Window {
    QString id;
    qint64 pid = 0;
    QStringList types;
    QList<quint32> strut;
    QRect geometry;
    bool viewable = false;
    bool overrideRedirect = false;
    QString name;
};

// A copy of the built application bundle under a bundle identifier of its own, so that a copy the
// user runs on the same bus never takes part; settings and caches in the copy's folder.
class Session {
public:
    Session()
    {
        static std::atomic<int> counter = 0;
        m_identifier
            = QStringLiteral("com.velmorn.quenby.test%1x%2").arg(QCoreApplication::applicationPid()).arg(++counter);
        m_app = m_root.path() + QStringLiteral("/Quenby.app");
        m_ok = m_root.isValid() && platform::copyTree(kBuiltApp, m_app);
        QFile plist(m_app + QStringLiteral("/Contents/Info.plist"));
        if (!m_ok || !plist.open(QIODevice::ReadWrite))
            return;
        Value info = platform::plist::parse(plist.readAll());
        (*info.toDictionary())[QStringLiteral("CFBundleIdentifier")] = Value(m_identifier);
        plist.resize(0);
        plist.seek(0);
        m_ok = plist.write(platform::plist::serialize(info, platform::plist::Format::Xml)) > 0;
    }
    ~Session()
    {
        for (auto &process : m_processes) {
            if (process->state() != QProcess::NotRunning) {
                process->terminate();
                if (!process->waitForFinished(5000))
                    process->kill();
                process->waitForFinished(5000);
            }
        }
    }

    bool isReady() const { return m_ok; }
    bool startBus() { return m_bus.startBus(); }
    DBusMock &bus() { return m_bus; }
    bool startX() { return m_x.start(); }
    // A Wayland session whose programs choose their platform, or with the program made to run natively.
    bool startWayland(bool native)
    {
        m_wayland = true;
        m_native = native;
        return m_weston.start();
    }
    // The bus name a first copy of the bundle owns.
    QString serviceName() const { return m_identifier; }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (m_wayland) {
            env.insert(QStringLiteral("DISPLAY"), m_weston.display());
            env.insert(QStringLiteral("WAYLAND_DISPLAY"), m_weston.socket());
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_weston.runtimeDirectory());
            env.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
            env.remove(QStringLiteral("QT_QPA_PLATFORM"));
            if (m_native)
                env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        } else {
            env.insert(QStringLiteral("DISPLAY"), m_x.display());
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        }
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_bus.address());
        env.remove(QStringLiteral("XDG_CURRENT_DESKTOP"));
        for (const char *name : { "HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME" }) {
            const QString folder = m_root.path() + QStringLiteral("/") + QString::fromLatin1(name).toLower();
            QDir().mkpath(folder);
            env.insert(QString::fromLatin1(name), folder);
        }
        return env;
    }

    // A start of the copy on the demo machine, with extra variables.
    QProcess *startProgram(const QStringList &variables = {})
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = environment();
        for (const QString &variable : variables)
            env.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->start(m_app + QStringLiteral("/Contents/MacOS/Quenby"), { QStringLiteral("--fixture"), kMachine });
        process->waitForStarted(kBound);
        m_processes.push_back(std::move(process));
        return m_processes.back().get();
    }

    QProcess *startTrayer()
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment());
        process->start(QStringLiteral("trayer"),
            { QStringLiteral("--edge"), QStringLiteral("bottom"), QStringLiteral("--widthtype"),
                QStringLiteral("request"), QStringLiteral("--height"), QStringLiteral("22"),
                QStringLiteral("--SetDockType"), QStringLiteral("true") });
        process->waitForStarted(kBound);
        m_processes.push_back(std::move(process));
        return m_processes.back().get();
    }

    QString run(const QString &program, const QStringList &arguments) const
    {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(program, arguments);
        process.waitForFinished(10000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // The windows of the display (a window manager puts the programs' windows in frames of its own), as
    // xwininfo and xprop see them.
    QList<Window> windows() const
    {
        QList<Window> found;
        static const QRegularExpression child(QStringLiteral(R"(^\s+(0x[0-9a-f]+) )"));
        const QStringList lines = run(QStringLiteral("xwininfo"), { QStringLiteral("-root"), QStringLiteral("-tree") })
                                      .split(QLatin1Char('\n'));
        for (const QString &line : lines) {
            const auto match = child.match(line);
            if (!match.hasMatch())
                continue;
            Window window;
            window.id = match.captured(1);
            const QString info = run(QStringLiteral("xwininfo"), { QStringLiteral("-id"), window.id });
            window.viewable = info.contains(QStringLiteral("Map State: IsViewable"));
            window.overrideRedirect = info.contains(QStringLiteral("Override Redirect State: yes"));
            const auto number = [&info](const char *label) {
                const QRegularExpression re(QStringLiteral("%1:\\s+(-?\\d+)").arg(QString::fromLatin1(label)));
                return re.match(info).captured(1).toInt();
            };
            window.geometry = QRect(
                number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"), number("Height"));
            const QString props = run(QStringLiteral("xprop"),
                { QStringLiteral("-id"), window.id, QStringLiteral("_NET_WM_PID"),
                    QStringLiteral("_NET_WM_WINDOW_TYPE"), QStringLiteral("_NET_WM_STRUT_PARTIAL"),
                    QStringLiteral("WM_NAME") });
            for (const QString &prop : props.split(QLatin1Char('\n'))) {
                const QString value = prop.section(QLatin1Char('='), 1).trimmed();
                if (prop.startsWith(QStringLiteral("_NET_WM_PID(")))
                    window.pid = value.toLongLong();
                else if (prop.startsWith(QStringLiteral("_NET_WM_WINDOW_TYPE(")))
                    window.types = value.split(QStringLiteral(", "));
                else if (prop.startsWith(QStringLiteral("_NET_WM_STRUT_PARTIAL("))) {
                    for (const QString &part : value.split(QStringLiteral(", ")))
                        window.strut << part.toUInt();
                } else if (prop.startsWith(QStringLiteral("WM_NAME(")))
                    window.name = value.mid(1, value.size() - 2);
            }
            found << window;
        }
        return found;
    }

    QList<Window> shownWindowsOf(const QProcess *process, const QString &type = {}) const
    {
        QList<Window> shown;
        for (const Window &window : windows()) {
            if (window.viewable && window.pid == process->processId()
                && (type.isEmpty() || window.types.contains(type)))
                shown << window;
        }
        return shown;
    }

    // The status menus the program shows: pop-ups (windows the window manager leaves alone) as wide as
    // the menu's device rows.
    QList<Window> menusOf(const QProcess *program) const
    {
        QList<Window> found;
        for (const Window &window : shownWindowsOf(program))
            if (window.overrideRedirect && window.geometry.width() >= 300 && window.geometry.height() >= 200)
                found << window;
        return found;
    }

    // The status strip of the program: its one shown dock window.
    std::optional<Window> stripOf(const QProcess *process) const
    {
        const QList<Window> docks = shownWindowsOf(process, QStringLiteral("_NET_WM_WINDOW_TYPE_DOCK"));
        if (docks.size() != 1)
            return std::nullopt;
        return docks.front();
    }

    // The desktop's settings portal with a colour scheme (1 dark, 2 light) beside the bus's template.
    bool startPortal(uint scheme)
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment());
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QStringLiteral("/usr/bin/python3"),
            { QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--template"), kPortalTemplate,
                QStringLiteral("-p"), QStringLiteral("{\"color-scheme\": %1}").arg(scheme) });
        m_processes.push_back(std::move(process));
        QElapsedTimer timer;
        timer.start();
        while (!m_bus.bus().interface()->isServiceRegistered(kPortal).value()) {
            if (timer.elapsed() > kBound)
                return false;
            QTest::qWait(100);
        }
        return true;
    }

    bool setColorScheme(uint scheme) const
    {
        QDBusMessage call = QDBusMessage::createMethodCall(kPortal, QStringLiteral("/org/freedesktop/portal/desktop"),
            QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("SetColorScheme"));
        call << scheme;
        return m_bus.bus().call(call, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage;
    }

    // What a window shows on the screen.
    QImage capture(const Window &window) const
    {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(QStringLiteral("import"), { QStringLiteral("-window"), window.id, QStringLiteral("png:-") });
        process.waitForFinished(10000);
        return QImage::fromData(process.readAllStandardOutput(), "PNG");
    }

    // Every registration the watcher on the bus received, in order.
    QList<Registration> registrations() const
    {
        QDBusMessage call = QDBusMessage::createMethodCall(kWatcher, QStringLiteral("/StatusNotifierWatcher"),
            QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("GetRegistrations"));
        const QDBusMessage reply = m_bus.bus().call(call, QDBus::Block, 5000);
        QList<Registration> list;
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return list;
        const auto argument = reply.arguments().front().value<QDBusArgument>();
        argument.beginArray();
        while (!argument.atEnd()) {
            Registration registration;
            argument.beginStructure();
            argument >> registration.sender >> registration.item >> registration.pid;
            argument.endStructure();
            list.append(registration);
        }
        argument.endArray();
        return list;
    }

    // The registered items that are still on the bus (a host forgets an item whose owner went: the
    // program makes and releases items while it finds its devices).
    QStringList liveItems() const
    {
        QStringList items;
        for (const Registration &registration : registrations()) {
            if (!items.contains(registration.item)
                && m_bus.bus().interface()->isServiceRegistered(registration.item).value())
                items << registration.item;
        }
        return items;
    }

    QVariantMap itemProperties(const QString &service) const
    {
        QDBusMessage call = QDBusMessage::createMethodCall(service, QStringLiteral("/StatusNotifierItem"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
        call << kItemInterface;
        const QDBusMessage reply = m_bus.bus().call(call, QDBus::Block, 5000);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return {};
        return qdbus_cast<QVariantMap>(reply.arguments().front());
    }

    bool callItem(const QString &service, const QString &method, const QPoint &point = QPoint(1000, 10)) const
    {
        QDBusMessage call
            = QDBusMessage::createMethodCall(service, QStringLiteral("/StatusNotifierItem"), kItemInterface, method);
        call << point.x() << point.y();
        return m_bus.bus().call(call, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage;
    }

    // The watcher's panel registers its host, or unregisters it.
    bool setHostRegistered(bool registered) const
    {
        QDBusMessage call = QDBusMessage::createMethodCall(kWatcher, QStringLiteral("/StatusNotifierWatcher"),
            QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("SetHostRegistered"));
        call << registered;
        return m_bus.bus().call(call, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage;
    }

    // A call to the menu an item exports.
    QDBusMessage callMenu(
        const QString &service, const QString &path, const QString &method, const QVariantList &arguments) const
    {
        QDBusMessage call
            = QDBusMessage::createMethodCall(service, path, QStringLiteral("com.canonical.dbusmenu"), method);
        call.setArguments(arguments);
        return m_bus.bus().call(call, QDBus::Block, 5000);
    }

private:
    QTemporaryDir m_root;
    QString m_identifier;
    QString m_app;
    bool m_ok = false;
    DBusMock m_bus;
    Xvfb m_x;
    Weston m_weston;
    bool m_wayland = false;
    bool m_native = false;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

// One picture of IconPixmap: width, height, ARGB32 in network byte order.
struct Pixmap {
    int width = 0;
    int height = 0;
    QByteArray argb;
    int opaquePixels() const
    {
        int count = 0;
        for (int i = 0; i + 3 < argb.size(); i += 4)
            count += quint8(argb[i]) > 128;
        return count;
    }
};

QList<Pixmap> pixmaps(const QVariant &value)
{
    QList<Pixmap> list;
    const auto argument = value.value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        Pixmap pixmap;
        argument.beginStructure();
        argument >> pixmap.width >> pixmap.height >> pixmap.argb;
        argument.endStructure();
        list << pixmap;
    }
    argument.endArray();
    return list;
}

// The ToolTip property: (icon name, icon pixmaps, title, text).
QString toolTipTitle(const QVariant &value)
{
    const auto argument = value.value<QDBusArgument>();
    QString iconName;
    QString title;
    argument.beginStructure();
    argument >> iconName;
    argument.beginArray();
    while (!argument.atEnd()) {
        int w = 0;
        int h = 0;
        QByteArray data;
        argument.beginStructure();
        argument >> w >> h >> data;
        argument.endStructure();
    }
    argument.endArray();
    argument >> title;
    argument.endStructure();
    return title;
}

// The colour most of an image is, and how many pixels stand apart from it in lightness.
struct Look {
    QColor background;
    int contrasting = 0;
};

Look lookOf(const QImage &image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000u];
    Look look;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            look.background = QColor::fromRgb(it.key());
        }
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            look.contrasting
                += std::abs(QColor::fromRgb(image.pixel(x, y)).lightnessF() - look.background.lightnessF()) > 0.5;
    return look;
}

// The live items once they have stayed the same for a while.
QStringList settledItems(const Session &session)
{
    QStringList last = session.liveItems();
    QElapsedTimer timer;
    timer.start();
    QElapsedTimer quiet;
    quiet.start();
    while (timer.elapsed() < kBound) {
        QTest::qWait(250);
        const QStringList now = session.liveItems();
        if (now != last) {
            last = now;
            quiet.restart();
        } else if (!last.isEmpty() && quiet.elapsed() > 2000) {
            break;
        }
    }
    return last;
}

// The rows of a dbusmenu layout's root: (id, properties, children) with each child a variant.
QList<QVariantMap> menuRows(const QVariant &layout)
{
    QList<QVariantMap> rows;
    const auto root = layout.value<QDBusArgument>();
    int id = 0;
    QVariantMap properties;
    root.beginStructure();
    root >> id >> properties;
    root.beginArray();
    while (!root.atEnd()) {
        QDBusVariant child;
        root >> child;
        const auto row = child.variant().value<QDBusArgument>();
        int rowId = 0;
        QVariantMap rowProperties;
        row.beginStructure();
        row >> rowId >> rowProperties;
        row.beginArray();
        while (!row.atEnd()) {
            QDBusVariant grandChild;
            row >> grandChild;
        }
        row.endArray();
        row.endStructure();
        rows << rowProperties;
    }
    root.endArray();
    root.endStructure();
    return rows;
}

// A first copy of the bundle, as far as a second start sees it: it answers Activate.
class FirstCopy : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    int calls = 0;
    QVariantMap platformData;

public slots:
    void Activate(const QVariantMap &data)
    {
        ++calls;
        platformData = data;
    }
};

} // namespace

class DesktopSessionTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Session> m_session;

    enum class Desktop { x11, wayland, nativeWayland };
    static constexpr const char *kNoWatcher = nullptr;
    static constexpr const char *kWatcherWithHost = "";

    // A bus and a display of the test's own, with the watcher of a panel (its template's parameters)
    // unless there is none.
    bool prepare(const char *watcher, Desktop desktop = Desktop::x11)
    {
        m_session = std::make_unique<Session>();
        if (!m_session->isReady() || !m_session->startBus())
            return false;
        if (desktop == Desktop::x11 ? !m_session->startX()
                                    : !m_session->startWayland(desktop == Desktop::nativeWayland))
            return false;
        return !watcher || m_session->bus().startTemplate(kWatcherTemplate, kWatcher, QString::fromUtf8(watcher));
    }

private slots:
    void cleanup() { m_session.reset(); }

    void statusNotifierItemsShowLevelsAndFollowTheWatcher()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
            QSKIP("Xvfb is not installed (scripts/setup installs it): Qt's tray needs an X display");
        QVERIFY2(prepare(kWatcherWithHost), qPrintable(m_session->bus().error()));
        Session &session = *m_session;
        QProcess *program = session.startProgram();

        const QStringList items = settledItems(session);
        QVERIFY2(!items.isEmpty(), "no status item registered with the watcher");
        // Each item registered once, though the devices are found one after the other (an item made and
        // dropped again would flash in the host).
        QCOMPARE(session.registrations().size(), items.size());
        // Tray icons only: no strip while a tray host is there.
        QVERIFY(!session.stripOf(program));

        QStringList toolTips;
        for (const QString &item : items) {
            QCOMPARE(qint64(session.bus().bus().interface()->servicePid(item).value()), program->processId());
            const QVariantMap properties = session.itemProperties(item);
            QVERIFY2(!properties.isEmpty(), qPrintable(item));

            const QList<Pixmap> icons = pixmaps(properties.value(QStringLiteral("IconPixmap")));
            QVERIFY2(!icons.isEmpty(), qPrintable(item));
            for (const Pixmap &icon : icons) {
                // A square for the tray's square, with something drawn in it.
                QCOMPARE(icon.width, icon.height);
                QVERIFY(icon.width >= 22);
                QCOMPARE(icon.argb.size(), icon.width * icon.height * 4);
                QVERIFY2(icon.opaquePixels() >= 20, qPrintable(item));
            }

            const QString toolTip = toolTipTitle(properties.value(QStringLiteral("ToolTip")));
            QVERIFY2(!toolTip.isEmpty(), qPrintable(item));
            toolTips << toolTip;

            // No exported menu: the host sends Activate or ContextMenu and the item pops up its own
            // menu, whose device rows a menu export would drop.
            QCOMPARE(properties.value(QStringLiteral("Menu")).value<QDBusObjectPath>().path(),
                QStringLiteral("/NO_DBUSMENU"));
            QCOMPARE(properties.value(QStringLiteral("ItemIsMenu")).toBool(), false);
        }
        const QString all = toolTips.join(QLatin1Char('\n'));
        for (const char *line : { "Magic Keyboard: 82%", "Magic Mouse: 14%", "Magic Trackpad: 100%" })
            QVERIFY2(all.contains(QString::fromUtf8(line)), qPrintable(all));

        // The watcher goes (the panel quits): the items move to the strip, a dock window at the top
        // right that reserves its height along the top edge over its own width.
        session.bus().stopTemplate();
        std::optional<Window> strip;
        QTRY_VERIFY_WITH_TIMEOUT((strip = session.stripOf(program)).has_value(), kBound);
        QCOMPARE(strip->geometry.top(), 0);
        QCOMPARE(strip->geometry.right() + 1, kScreenWidth);
        QVERIFY(strip->geometry.width() >= 22);
        QCOMPARE(strip->strut.size(), 12);
        QCOMPARE(strip->strut.at(2), quint32(strip->geometry.bottom() + 1)); // top
        QCOMPARE(strip->strut.at(0) + strip->strut.at(1) + strip->strut.at(3), 0u); // left, right, bottom
        QCOMPARE(strip->strut.at(8), quint32(strip->geometry.left())); // top start x
        QCOMPARE(strip->strut.at(9), quint32(strip->geometry.right())); // top end x

        // It comes back: the items register again and the strip goes.
        QVERIFY2(session.bus().startTemplate(kWatcherTemplate, kWatcher), qPrintable(session.bus().error()));
        const QStringList again = settledItems(session);
        QCOMPARE(again.size(), items.size());
        QTRY_VERIFY_WITH_TIMEOUT(
            session.shownWindowsOf(program, QStringLiteral("_NET_WM_WINDOW_TYPE_DOCK")).isEmpty(), kBound);

        // An XEmbed tray coming beside the watcher changes nothing: the items stay as they are, with
        // no icon made and dropped again (each would flash in the host).
        const qsizetype registered = session.registrations().size();
        QProcess *trayer = session.startTrayer();
        QTRY_VERIFY_WITH_TIMEOUT(!session.shownWindowsOf(trayer).isEmpty(), kBound);
        QTest::qWait(1500); // the tray follower hears of the tray at once and settles for 0.3 s
        QCOMPARE(session.registrations().size(), registered);
        QCOMPARE(session.liveItems(), again);

        // A click on an item (the host's Activate) opens the status menu at the point the host gives.
        QVERIFY(session.menusOf(program).isEmpty());
        QVERIFY(session.callItem(again.front(), QStringLiteral("Activate"), QPoint(100, 30)));
        QTRY_COMPARE_WITH_TIMEOUT(session.menusOf(program).size(), 1, kBound);
        QCOMPARE(session.menusOf(program).front().geometry.topLeft(), QPoint(100, 30));
        QCOMPARE(program->state(), QProcess::Running);
    }

    void anXEmbedTrayThatComesAndGoesTakesTheItemsFromTheStrip()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("trayer")).isEmpty())
            QSKIP("Xvfb or trayer is not installed (scripts/setup installs both)");
        QVERIFY2(prepare(kNoWatcher), qPrintable(m_session->bus().error()));
        Session &session = *m_session;
        QProcess *program = session.startProgram();

        // No tray at all: the strip.
        QTRY_VERIFY_WITH_TIMEOUT(session.stripOf(program).has_value(), kBound);

        QProcess *trayer = session.startTrayer();
        QTRY_VERIFY_WITH_TIMEOUT(
            session.shownWindowsOf(program, QStringLiteral("_NET_WM_WINDOW_TYPE_DOCK")).isEmpty(), kBound);
        // The icons sit in the tray: the tray's window holds the program's icon windows.
        const auto trayWidth = [&] {
            const QList<Window> shown = session.shownWindowsOf(trayer);
            return shown.isEmpty() ? 0 : shown.front().geometry.width();
        };
        // Trayer sizes itself to its icons: room for at least two of them.
        QTRY_VERIFY_WITH_TIMEOUT(trayWidth() >= 2 * 20, kBound);

        trayer->terminate();
        QVERIFY(trayer->waitForFinished(10000));
        QTRY_VERIFY_WITH_TIMEOUT(session.stripOf(program).has_value(), kBound);
        QCOMPARE(program->state(), QProcess::Running);
    }

    void theStripTakesTheDesktopsColourSchemeAsItChanges()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("import")).isEmpty())
            QSKIP("Xvfb or ImageMagick is not installed (scripts/setup installs both)");
        QVERIFY(prepare(kNoWatcher));
        Session &session = *m_session;
        QVERIFY(session.startPortal(2));
        QProcess *program = session.startProgram();
        std::optional<Window> strip;
        QTRY_VERIFY_WITH_TIMEOUT((strip = session.stripOf(program)).has_value(), kBound);
        // Light: a light strip with dark text on it.
        QTRY_VERIFY_WITH_TIMEOUT(lookOf(session.capture(*strip)).background.lightnessF() > 0.8, kBound);
        QVERIFY(lookOf(session.capture(*strip)).contrasting >= 20);

        // The desktop goes dark while the program runs.
        QVERIFY(session.setColorScheme(1));
        QTRY_VERIFY_WITH_TIMEOUT(lookOf(session.capture(*strip)).background.lightnessF() < 0.25, kBound);
        QVERIFY(lookOf(session.capture(*strip)).contrasting >= 20);
    }

    void aSecondStartOpensTheFirstsMainWindowAndLeaves()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
            QSKIP("Xvfb is not installed (scripts/setup installs it): Qt's tray needs an X display");
        QVERIFY2(prepare(kWatcherWithHost), qPrintable(m_session->bus().error()));
        Session &session = *m_session;
        QProcess *first = session.startProgram();
        const QStringList items = settledItems(session);
        QVERIFY(!items.isEmpty());
        const qsizetype before = session.registrations().size();
        // The main window: a normal window of the first at least as large as its smallest size. (The
        // first start's hint may show already.)
        const auto mainWindows = [&] {
            QList<Window> found;
            for (const Window &window : session.shownWindowsOf(first, QStringLiteral("_NET_WM_WINDOW_TYPE_NORMAL")))
                if (window.geometry.width() >= 640 && window.geometry.height() >= 420)
                    found << window;
            return found;
        };
        QVERIFY(mainWindows().isEmpty());

        QProcess *second = session.startProgram();
        QVERIFY(second->waitForFinished(kBound));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);

        QTRY_COMPARE_WITH_TIMEOUT(mainWindows().size(), 1, kBound);
        QCOMPARE(first->state(), QProcess::Running);
        // Docks and task switchers on X11 match the window to its launcher entry by WM_CLASS, which the
        // entry names in StartupWMClass (scripts/install).
        const QString identity = session.run(
            QStringLiteral("xprop"), { QStringLiteral("-id"), mainWindows().first().id, QStringLiteral("WM_CLASS") });
        QVERIFY2(identity.contains(QStringLiteral("WM_CLASS(STRING) = \"Quenby\", \"Quenby\"")), qPrintable(identity));
        // One set of status items: the second start made none.
        QCOMPARE(session.liveItems(), items);
        for (const Registration &registration : session.registrations().mid(before))
            QCOMPARE(qint64(registration.pid), first->processId());
    }

    void onWaylandAHostThatComesLaterGetsEveryItemOnce()
    {
        if (!Weston::isInstalled())
            QSKIP("weston or Xwayland is not installed (scripts/setup installs both)");
        // A panel whose host registers after the program started, as at login.
        QVERIFY2(prepare("{\"host\": false}", Desktop::wayland), qPrintable(m_session->bus().error()));
        Session &session = *m_session;
        QProcess *program = session.startProgram();

        // No host yet: the strip, a dock window (the program runs through XWayland, where it can ask for
        // its place; weston's window manager places X windows as it likes, so where is checked on the
        // bare X server).
        QTRY_VERIFY_WITH_TIMEOUT(session.stripOf(program).has_value(), kBound);
        QVERIFY(session.registrations().isEmpty());

        // The host comes: every item registers, each once, and the strip goes.
        QVERIFY(session.setHostRegistered(true));
        const QStringList items = settledItems(session);
        QVERIFY2(items.size() >= 3, qPrintable(items.join(QLatin1Char(' '))));
        QStringList registered;
        for (const Registration &registration : session.registrations())
            registered << registration.item;
        QCOMPARE(registered, items);
        QTRY_VERIFY_WITH_TIMEOUT(!session.stripOf(program), kBound);

        // The host's click opens the menu where it says.
        QVERIFY(session.callItem(items.back(), QStringLiteral("Activate"), QPoint(900, 40)));
        QTRY_COMPARE_WITH_TIMEOUT(session.menusOf(program).size(), 1, kBound);
        QCOMPARE(session.menusOf(program).front().geometry.topLeft(), QPoint(900, 40));

        // The host leaves (the panel restarts): the items go and the strip comes back.
        QVERIFY(session.setHostRegistered(false));
        QTRY_VERIFY_WITH_TIMEOUT(session.stripOf(program).has_value(), kBound);
        QTRY_VERIFY_WITH_TIMEOUT(session.liveItems().isEmpty(), kBound);
        QCOMPARE(program->state(), QProcess::Running);
    }

    void nativelyOnWaylandTheHostShowsTheMenu()
    {
        if (!Weston::isInstalled())
            QSKIP("weston or Xwayland is not installed (scripts/setup installs both)");
        if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath)
                + QStringLiteral("/platforms/libqwayland-generic.so")))
            QSKIP("Qt's Wayland platform is not installed (scripts/setup installs qt6-wayland)");
        QVERIFY2(prepare(kWatcherWithHost, Desktop::nativeWayland), qPrintable(m_session->bus().error()));
        Session &session = *m_session;
        QProcess *program = session.startProgram();
        const QStringList items = settledItems(session);
        QVERIFY(!items.isEmpty());
        QCOMPARE(qint64(session.bus().bus().interface()->servicePid(items.front()).value()), program->processId());

        // A Wayland client cannot put a pop-up at a point of the screen: the item offers its menu, and a
        // click shows it.
        const QVariantMap properties = session.itemProperties(items.front());
        const QString menuPath = properties.value(QStringLiteral("Menu")).value<QDBusObjectPath>().path();
        QCOMPARE(menuPath, QStringLiteral("/MenuBar"));
        QCOMPARE(properties.value(QStringLiteral("ItemIsMenu")).toBool(), true);

        QCOMPARE(session.callMenu(items.front(), menuPath, QStringLiteral("AboutToShow"), { 0 }).type(),
            QDBusMessage::ReplyMessage);
        const QDBusMessage layout
            = session.callMenu(items.front(), menuPath, QStringLiteral("GetLayout"), { 0, -1, QStringList() });
        QCOMPARE(layout.type(), QDBusMessage::ReplyMessage);
        const QList<QVariantMap> rows = menuRows(layout.arguments().at(1));
        QStringList labels;
        for (const QVariantMap &row : rows)
            labels << row.value(QStringLiteral("label")).toString();
        const QString all = labels.join(QLatin1Char('\n'));
        // A device row: its name and its level, as the row shows them; the earbuds' row each unit's level
        // after the letter its picture shows.
        for (const char *label : { "^Open Quenby$", "^Magic Keyboard  82\\s?%$", "^Magic Mouse  14\\s?%$",
                 "^Galaxy Buds2  L 18\\s?%  R 23\\s?%$", "^Quit$" })
            QVERIFY2(labels.indexOf(QRegularExpression(QString::fromUtf8(label))) >= 0, qPrintable(all));
        const int mouse = int(labels.indexOf(QRegularExpression(QStringLiteral("^Magic Mouse  14\\s?%$"))));
        QVERIFY(!rows[mouse].value(QStringLiteral("icon-data")).toByteArray().isEmpty());

        // Clicking a device's row does what the menu's row does: the device leaves the status bar.
        const qsizetype before = session.liveItems().size();
        QCOMPARE(session
                     .callMenu(items.front(), menuPath, QStringLiteral("Event"),
                         { mouse + 1, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u })
                     .type(),
            QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(session.liveItems().size(), before - 1, kBound);
        QCOMPARE(program->state(), QProcess::Running);
    }

    void aSecondStartPassesItsActivationToken()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
            QSKIP("Xvfb is not installed (scripts/setup installs it)");
        QVERIFY2(prepare(kNoWatcher), qPrintable(m_session->bus().error()));
        Session &session = *m_session;
        // The test is the first copy: it owns the bundle's name and hears the second start's Activate.
        FirstCopy first;
        QDBusConnection bus = session.bus().bus();
        QVERIFY(bus.registerService(session.serviceName()));
        QVERIFY(bus.registerObject(QStringLiteral("/"), &first, QDBusConnection::ExportAllSlots));

        QProcess *second = session.startProgram({ QStringLiteral("XDG_ACTIVATION_TOKEN=launcher-token-42") });
        QTRY_COMPARE_WITH_TIMEOUT(second->state(), QProcess::NotRunning, kBound);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(first.calls, 1);
        QCOMPARE(first.platformData.value(QStringLiteral("activation-token")).toString(),
            QStringLiteral("launcher-token-42"));
        bus.unregisterObject(QStringLiteral("/"));
        bus.unregisterService(session.serviceName());
    }
};

QTEST_GUILESS_MAIN(DesktopSessionTest)
#include "desktopsession_test.moc"
