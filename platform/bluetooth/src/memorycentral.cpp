#include "platform/bluetooth/memorycentral.h"

#include "memoryperipheral_p.h"
#include "platform/core/coding.h"
#include "platform/core/json.h"

#include <QFile>
#include <QSet>

namespace platform {

namespace {
    [[noreturn]] void fixtureError(const QString &where, const QString &what)
    {
        throw DecodingError(QStringLiteral("peripheral fixture: %1: %2").arg(where, what));
    }

    void checkMembers(const Value::Dictionary &dict, const QSet<QString> &known, const QString &where)
    {
        for (const auto &[key, member] : dict) {
            Q_UNUSED(member);
            if (!known.contains(key))
                fixtureError(where, QStringLiteral("unknown member \"%1\"").arg(key));
        }
    }

    BluetoothUuid fixtureUuid(const Value &v, const QString &where)
    {
        const auto text = v.toString();
        const BluetoothUuid uuid = text ? BluetoothUuid::fromString(*text) : BluetoothUuid();
        if (uuid.isNull())
            fixtureError(where, QStringLiteral("\"uuid\" must be 4, 8 or 36 characters of identifier text"));
        return uuid;
    }

    // A value is text (its UTF-8 bytes), an array of bytes, {"$data": base64}, or null (reads fail).
    std::optional<QByteArray> fixtureBytes(const Value &v, const QString &where)
    {
        if (v.isNull())
            return std::nullopt;
        if (const auto text = v.toString())
            return text->toUtf8();
        if (const auto *array = v.toArray()) {
            QByteArray bytes;
            for (const auto &b : *array) {
                const auto n = b.isInteger() ? b.toInteger() : std::nullopt;
                if (!n || *n < 0 || *n > 255)
                    fixtureError(where, QStringLiteral("a byte array holds integers from 0 to 255"));
                bytes.append(static_cast<char>(*n));
            }
            return bytes;
        }
        if (const auto *dict = v.toDictionary(); dict && dict->size() == 1 && dict->count(QStringLiteral("$data"))) {
            const auto text = dict->begin()->second.toString();
            auto decoded = text
                ? QByteArray::fromBase64Encoding(text->toLatin1(), QByteArray::AbortOnBase64DecodingErrors)
                : QByteArray::FromBase64Result {};
            if (!text || !decoded)
                fixtureError(where, QStringLiteral("\"$data\" is not valid base64"));
            return *decoded;
        }
        fixtureError(where, QStringLiteral("\"value\" must be text, an array of bytes, {\"$data\": ...} or null"));
    }

    MemoryCentral::PeripheralSpec fixturePeripheral(const Value &v, const QString &where)
    {
        const auto *dict = v.toDictionary();
        if (!dict)
            fixtureError(where, QStringLiteral("a peripheral must be an object"));
        checkMembers(*dict,
            { QStringLiteral("identifier"), QStringLiteral("name"), QStringLiteral("systemConnected"),
                QStringLiteral("services") },
            where);
        MemoryCentral::PeripheralSpec spec;
        const auto identifier = v[QStringLiteral("identifier")].toString();
        spec.identifier = identifier && identifier->size() == 36 ? QUuid::fromString(*identifier) : QUuid();
        if (spec.identifier.isNull())
            fixtureError(where, QStringLiteral("\"identifier\" must be a 36-character UUID text"));
        if (const auto *name = v.find(QStringLiteral("name")); name && !name->isNull()) {
            if (!name->isString())
                fixtureError(where, QStringLiteral("\"name\" must be text or null"));
            spec.name = name->toString();
        }
        if (const auto *connected = v.find(QStringLiteral("systemConnected"))) {
            if (!connected->isBool())
                fixtureError(where, QStringLiteral("\"systemConnected\" must be true or false"));
            spec.systemConnected = *connected->toBool();
        }
        const auto *services = v.find(QStringLiteral("services"));
        if (services && !services->isArray())
            fixtureError(where, QStringLiteral("\"services\" must be an array"));
        for (size_t i = 0; services && i < services->toArray()->size(); ++i) {
            const Value &s = services->toArray()->at(i);
            const QString at = QStringLiteral("%1.services[%2]").arg(where).arg(i);
            if (!s.isDictionary())
                fixtureError(at, QStringLiteral("a service must be an object"));
            checkMembers(*s.toDictionary(), { QStringLiteral("uuid"), QStringLiteral("characteristics") }, at);
            MemoryCentral::Service service { fixtureUuid(s[QStringLiteral("uuid")], at), {} };
            const auto *chars = s.find(QStringLiteral("characteristics"));
            if (chars && !chars->isArray())
                fixtureError(at, QStringLiteral("\"characteristics\" must be an array"));
            for (size_t j = 0; chars && j < chars->toArray()->size(); ++j) {
                const Value &c = chars->toArray()->at(j);
                const QString cat = QStringLiteral("%1.characteristics[%2]").arg(at).arg(j);
                if (!c.isDictionary())
                    fixtureError(cat, QStringLiteral("a characteristic must be an object"));
                checkMembers(*c.toDictionary(), { QStringLiteral("uuid"), QStringLiteral("value") }, cat);
                service.characteristics.push_back(
                    { fixtureUuid(c[QStringLiteral("uuid")], cat), fixtureBytes(c[QStringLiteral("value")], cat) });
            }
            spec.services.push_back(std::move(service));
        }
        return spec;
    }
}

MemoryCentral::MemoryCentral(State state, QObject *parent)
    : Central(parent)
    , m_state(state)
{
}

MemoryCentral::~MemoryCentral() = default;

void MemoryCentral::post(std::function<void()> event)
{
    ++m_pending;
    QMetaObject::invokeMethod(
        this,
        [this, event = std::move(event)] {
            --m_pending;
            event();
        },
        Qt::QueuedConnection);
}

MemoryPeripheral *MemoryCentral::memoryPeripheral(const std::shared_ptr<Peripheral> &peripheral) const
{
    auto *p = dynamic_cast<MemoryPeripheral *>(peripheral.get());
    for (const auto &known : m_peripherals) {
        if (known.get() == p)
            return p;
    }
    return nullptr;
}

std::vector<std::shared_ptr<Peripheral>> MemoryCentral::retrieveConnectedPeripherals(
    const QList<BluetoothUuid> &services)
{
    ++m_retrieves;
    std::vector<std::shared_ptr<Peripheral>> out;
    for (const auto &p : m_peripherals) {
        if (p->spec().systemConnected && p->offers(services))
            out.push_back(p);
    }
    return out;
}

void MemoryCentral::connectPeripheral(const std::shared_ptr<Peripheral> &peripheral)
{
    auto *p = memoryPeripheral(peripheral);
    if (!p)
        return;
    ++m_requests[p->identifier()].connects;
    if (m_state != State::poweredOn) {
        ++m_ignored;
        return;
    }
    auto shared = std::static_pointer_cast<MemoryPeripheral>(peripheral);
    switch (p->state()) {
    case Peripheral::State::connected:
        post([this, shared] { emit peripheralConnected(shared); });
        return;
    case Peripheral::State::connecting:
    case Peripheral::State::disconnecting:
        return;
    case Peripheral::State::disconnected:
        break;
    }
    p->setState(Peripheral::State::connecting);
    if (m_holdConnections)
        m_held.push_back(shared);
    else
        post([this, shared] { finishConnect(shared); });
}

void MemoryCentral::finishConnect(const std::shared_ptr<MemoryPeripheral> &peripheral)
{
    if (peripheral->state() != Peripheral::State::connecting || m_state != State::poweredOn)
        return;
    if (peripheral->connectionFails) {
        peripheral->setState(Peripheral::State::disconnected);
        emit peripheralConnectionFailed(peripheral, QStringLiteral("the connection could not be made"));
        return;
    }
    peripheral->setState(Peripheral::State::connected);
    emit peripheralConnected(peripheral);
}

void MemoryCentral::cancelPeripheralConnection(const std::shared_ptr<Peripheral> &peripheral)
{
    auto *p = memoryPeripheral(peripheral);
    if (!p)
        return;
    ++m_requests[p->identifier()].cancels;
    if (p->state() == Peripheral::State::disconnected)
        return;
    p->setState(Peripheral::State::disconnecting);
    auto shared = std::static_pointer_cast<MemoryPeripheral>(peripheral);
    post([this, shared] {
        if (shared->state() != Peripheral::State::disconnecting)
            return;
        shared->setState(Peripheral::State::disconnected);
        emit peripheralDisconnected(shared, QString());
    });
}

void MemoryCentral::setState(State state)
{
    m_state = state;
    if (state != State::poweredOn) {
        for (const auto &p : m_peripherals)
            p->setState(Peripheral::State::disconnected);
        m_held.clear();
    }
    post([this, state] { emit stateUpdated(state); });
}

std::shared_ptr<Peripheral> MemoryCentral::addPeripheral(PeripheralSpec spec)
{
    for (const auto &p : m_peripherals) {
        if (p->identifier() == spec.identifier) {
            p->spec() = std::move(spec);
            return p;
        }
    }
    auto p = std::make_shared<MemoryPeripheral>(this, std::move(spec));
    m_peripherals.push_back(p);
    return p;
}

void MemoryCentral::removePeripheral(const QUuid &identifier)
{
    for (const auto &p : m_peripherals) {
        if (p->identifier() == identifier)
            p->spec().systemConnected = false;
    }
    dropConnection(identifier);
}

std::shared_ptr<Peripheral> MemoryCentral::peripheral(const QUuid &identifier) const
{
    for (const auto &p : m_peripherals) {
        if (p->identifier() == identifier)
            return p;
    }
    return nullptr;
}

void MemoryCentral::setValue(const QUuid &identifier, const BluetoothUuid &service, const BluetoothUuid &characteristic,
    std::optional<QByteArray> value)
{
    for (const auto &p : m_peripherals) {
        if (p->identifier() != identifier)
            continue;
        auto &services = p->spec().services;
        auto s = std::find_if(services.begin(), services.end(), [&](const Service &x) { return x.uuid == service; });
        if (s == services.end())
            s = services.insert(services.end(), Service { service, {} });
        auto c = std::find_if(s->characteristics.begin(), s->characteristics.end(),
            [&](const Characteristic &x) { return x.uuid == characteristic; });
        if (c == s->characteristics.end())
            s->characteristics.push_back({ characteristic, std::move(value) });
        else
            c->value = std::move(value);
    }
}

void MemoryCentral::setConnectionFails(const QUuid &identifier, bool fails)
{
    for (const auto &p : m_peripherals) {
        if (p->identifier() == identifier)
            p->connectionFails = fails;
    }
}

void MemoryCentral::setHoldConnections(bool hold) { m_holdConnections = hold; }

void MemoryCentral::completeHeldConnections()
{
    for (const auto &weak : std::exchange(m_held, {})) {
        if (auto p = weak.lock())
            post([this, p] { finishConnect(p); });
    }
}

void MemoryCentral::dropConnection(const QUuid &identifier)
{
    for (const auto &p : m_peripherals) {
        if (p->identifier() != identifier || p->state() == Peripheral::State::disconnected)
            continue;
        p->setState(Peripheral::State::disconnected);
        post([this, p] { emit peripheralDisconnected(p, QStringLiteral("the peripheral ended the connection")); });
    }
}

void MemoryCentral::advertise(const QUuid &identifier, const Value &advertisementData, int rssi)
{
    if (auto p = peripheral(identifier))
        post([this, p, advertisementData, rssi] { emit peripheralDiscovered(p, advertisementData, rssi); });
}

void MemoryCentral::resetCounters()
{
    m_retrieves = 0;
    m_ignored = 0;
    m_requests.clear();
}

void MemoryCentral::loadFixture(const Value &document)
{
    if (!document.isDictionary())
        throw DecodingError(QStringLiteral("peripheral fixture: the document must be an object"));
    const Value *section = document.find(QStringLiteral("peripherals"));
    if (!section)
        return;
    if (!section->isArray())
        fixtureError(QStringLiteral("peripherals"), QStringLiteral("must be an array of peripherals"));
    std::vector<PeripheralSpec> specs;
    for (size_t i = 0; i < section->toArray()->size(); ++i)
        specs.push_back(fixturePeripheral(section->toArray()->at(i), QStringLiteral("peripherals[%1]").arg(i)));
    for (auto &spec : specs)
        addPeripheral(std::move(spec));
}

void MemoryCentral::loadFixtureFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DecodingError(QStringLiteral("peripheral fixture: cannot read %1: %2").arg(path, file.errorString()));
    loadFixture(json::parse(file.readAll()));
}

} // namespace platform
