#include "platform/registry/memoryregistry.h"

#include "platform/core/coding.h"
#include "platform/core/json.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <functional>
#include <unordered_map>

namespace platform {

struct MemoryRegistry::State {
    struct Node {
        Entry entry;
        QStringList chain;
        EntryId parent = 0;
        std::vector<EntryId> children;
        bool unreadable = false;
        bool parentUnreachable = false;
    };

    std::unordered_map<EntryId, Node> nodes;
    std::vector<EntryId> roots;
    EntryId nextId = 1;
    QSet<QString> failingClasses;
    int liveHandles = 0;
    int totalQueries = 0;
    int propertyReads = 0;
    QHash<QString, int> queries;

    const Node *node(EntryId id) const
    {
        auto it = nodes.find(id);
        return it == nodes.end() ? nullptr : &it->second;
    }
    Node *node(EntryId id)
    {
        auto it = nodes.find(id);
        return it == nodes.end() ? nullptr : &it->second;
    }

    // Depth-first, children in insertion order: the registry order of this backend.
    void walk(const std::function<void(EntryId, const Node &)> &visit) const
    {
        std::vector<EntryId> stack(roots.rbegin(), roots.rend());
        while (!stack.empty()) {
            const EntryId id = stack.back();
            stack.pop_back();
            const Node &n = nodes.at(id);
            visit(id, n);
            stack.insert(stack.end(), n.children.rbegin(), n.children.rend());
        }
    }
};

namespace {
    using State = MemoryRegistry::State;

    class MemoryEntryReference final : public RegistryEntryBackend {
    public:
        MemoryEntryReference(std::shared_ptr<State> state, MemoryRegistry::EntryId id)
            : m_state(std::move(state))
            , m_id(id)
        {
            ++m_state->liveHandles;
        }
        ~MemoryEntryReference() override { --m_state->liveHandles; }
        MemoryEntryReference(const MemoryEntryReference &) = delete;
        MemoryEntryReference &operator=(const MemoryEntryReference &) = delete;

        std::uint64_t entryId() const override { return m_id; }

        QString name() const override
        {
            const auto *n = m_state->node(m_id);
            return n ? n->entry.name : QString();
        }

        QStringList classChain() const override
        {
            const auto *n = m_state->node(m_id);
            return n ? n->chain : QStringList();
        }

        std::optional<Value::Dictionary> properties() const override
        {
            ++m_state->propertyReads;
            const auto *n = m_state->node(m_id);
            if (!n || n->unreadable)
                return std::nullopt;
            return n->entry.properties;
        }

        std::optional<Value> property(const QString &key) const override
        {
            ++m_state->propertyReads;
            const auto *n = m_state->node(m_id);
            if (!n || n->unreadable)
                return std::nullopt;
            auto it = n->entry.properties.find(key);
            if (it == n->entry.properties.end())
                return std::nullopt;
            return it->second;
        }

        std::shared_ptr<RegistryEntryBackend> parent(const QString &plane) const override
        {
            const auto *n = m_state->node(m_id);
            if (!n || n->parentUnreachable || n->parent == 0 || plane != QLatin1String(kServicePlane))
                return nullptr;
            return std::make_shared<MemoryEntryReference>(m_state, n->parent);
        }

    private:
        std::shared_ptr<State> m_state;
        MemoryRegistry::EntryId m_id;
    };

    // One entry of a fixture, checked but not yet added.
    struct FixtureEntry {
        MemoryRegistry::Entry entry;
        std::vector<FixtureEntry> children;
    };

    [[noreturn]] void fixtureError(const QString &where, const QString &what)
    {
        throw DecodingError(QStringLiteral("registry fixture: %1: %2").arg(where, what));
    }

    // JSON has no data or date values; the fixture spells them as one-key objects.
    Value fixtureValue(const Value &v, const QString &where)
    {
        if (const auto *array = v.toArray()) {
            Value::Array out;
            out.reserve(array->size());
            for (size_t i = 0; i < array->size(); ++i)
                out.push_back(fixtureValue((*array)[i], QStringLiteral("%1[%2]").arg(where).arg(i)));
            return Value(std::move(out));
        }
        const auto *dict = v.toDictionary();
        if (!dict)
            return v;
        if (dict->size() == 1 && dict->begin()->first == QLatin1String("$data")) {
            const auto text = dict->begin()->second.toString();
            if (!text)
                fixtureError(where, QStringLiteral("\"$data\" must be base64 text"));
            auto decoded = QByteArray::fromBase64Encoding(text->toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
            if (!decoded)
                fixtureError(where, QStringLiteral("\"$data\" is not valid base64"));
            return Value(*decoded);
        }
        if (dict->size() == 1 && dict->begin()->first == QLatin1String("$date")) {
            const auto text = dict->begin()->second.toString();
            const QDateTime date = text ? QDateTime::fromString(*text, Qt::ISODateWithMs) : QDateTime();
            if (!date.isValid())
                fixtureError(where, QStringLiteral("\"$date\" must be ISO 8601 text"));
            return Value(date.toUTC());
        }
        Value::Dictionary out;
        for (const auto &[key, member] : *dict)
            out[key] = fixtureValue(member, where + QLatin1Char('.') + key);
        return Value(std::move(out));
    }

    FixtureEntry fixtureEntry(const Value &v, const QString &where)
    {
        const auto *dict = v.toDictionary();
        if (!dict)
            fixtureError(where, QStringLiteral("an entry must be an object"));
        static const QSet<QString> known { QStringLiteral("class"), QStringLiteral("superclasses"),
            QStringLiteral("name"), QStringLiteral("properties"), QStringLiteral("children") };
        for (const auto &[key, member] : *dict) {
            Q_UNUSED(member);
            if (!known.contains(key))
                fixtureError(where, QStringLiteral("unknown member \"%1\"").arg(key));
        }

        FixtureEntry out;
        const auto className = v[QStringLiteral("class")].toString();
        if (!className || className->isEmpty())
            fixtureError(where, QStringLiteral("\"class\" must be non-empty text"));
        out.entry.className = *className;

        if (const auto *supers = v.find(QStringLiteral("superclasses"))) {
            const auto *list = supers->toArray();
            if (!list)
                fixtureError(where, QStringLiteral("\"superclasses\" must be an array of text"));
            for (const auto &s : *list) {
                const auto text = s.toString();
                if (!text || text->isEmpty())
                    fixtureError(where, QStringLiteral("\"superclasses\" must be an array of text"));
                out.entry.superclasses << *text;
            }
        }
        if (const auto *name = v.find(QStringLiteral("name"))) {
            if (!name->isString())
                fixtureError(where, QStringLiteral("\"name\" must be text"));
            out.entry.name = *name->toString();
        }
        if (const auto *props = v.find(QStringLiteral("properties"))) {
            if (!props->isDictionary())
                fixtureError(where, QStringLiteral("\"properties\" must be an object"));
            const Value converted = fixtureValue(*props, where + QStringLiteral(".properties"));
            out.entry.properties = *converted.toDictionary();
        }
        if (const auto *children = v.find(QStringLiteral("children"))) {
            const auto *list = children->toArray();
            if (!list)
                fixtureError(where, QStringLiteral("\"children\" must be an array of entries"));
            for (size_t i = 0; i < list->size(); ++i)
                out.children.push_back(fixtureEntry((*list)[i], QStringLiteral("%1.children[%2]").arg(where).arg(i)));
        }
        return out;
    }
}

MemoryRegistry::MemoryRegistry()
    : m_state(std::make_shared<State>())
{
}

MemoryRegistry::~MemoryRegistry() = default;

std::optional<std::vector<RegistryEntry>> MemoryRegistry::matchingServices(const QString &className)
{
    ++m_state->totalQueries;
    ++m_state->queries[className];
    if (m_state->failingClasses.contains(className))
        return std::nullopt;
    std::vector<RegistryEntry> out;
    m_state->walk([&](EntryId id, const State::Node &n) {
        if (n.chain.contains(className))
            out.emplace_back(std::make_shared<MemoryEntryReference>(m_state, id));
    });
    return out;
}

MemoryRegistry::EntryId MemoryRegistry::addEntry(Entry entry, EntryId parent)
{
    State::Node *parentNode = nullptr;
    if (parent != 0) {
        parentNode = m_state->node(parent);
        if (!parentNode)
            return 0;
    }
    const EntryId id = m_state->nextId++;
    State::Node n;
    if (entry.name.isEmpty())
        entry.name = entry.className;
    n.chain = QStringList { entry.className } + entry.superclasses;
    n.entry = std::move(entry);
    n.parent = parent;
    if (parentNode)
        parentNode->children.push_back(id);
    else
        m_state->roots.push_back(id);
    m_state->nodes.emplace(id, std::move(n));
    return id;
}

void MemoryRegistry::removeEntry(EntryId id)
{
    auto *n = m_state->node(id);
    if (!n)
        return;
    const std::vector<EntryId> children = n->children;
    for (EntryId child : children)
        removeEntry(child);
    auto &siblings = n->parent ? m_state->node(n->parent)->children : m_state->roots;
    std::erase(siblings, id);
    m_state->nodes.erase(id);
}

void MemoryRegistry::setProperty(EntryId id, const QString &key, Value value)
{
    if (auto *n = m_state->node(id))
        n->entry.properties[key] = std::move(value);
}

void MemoryRegistry::removeProperty(EntryId id, const QString &key)
{
    if (auto *n = m_state->node(id))
        n->entry.properties.erase(key);
}

void MemoryRegistry::clear()
{
    m_state->nodes.clear();
    m_state->roots.clear();
}

void MemoryRegistry::loadFixture(const Value &document)
{
    if (!document.isDictionary())
        throw DecodingError(QStringLiteral("registry fixture: the document must be an object"));
    const Value *section = document.find(QStringLiteral("registry"));
    if (!section)
        return;
    const auto *list = section->toArray();
    if (!list)
        fixtureError(QStringLiteral("registry"), QStringLiteral("must be an array of entries"));

    std::vector<FixtureEntry> parsed;
    for (size_t i = 0; i < list->size(); ++i)
        parsed.push_back(fixtureEntry((*list)[i], QStringLiteral("registry[%1]").arg(i)));

    std::function<void(FixtureEntry &, EntryId)> add = [&](FixtureEntry &e, EntryId parent) {
        const EntryId id = addEntry(std::move(e.entry), parent);
        for (auto &child : e.children)
            add(child, id);
    };
    for (auto &e : parsed)
        add(e, 0);
}

void MemoryRegistry::loadFixtureFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DecodingError(QStringLiteral("registry fixture: cannot read %1: %2").arg(path, file.errorString()));
    loadFixture(json::parse(file.readAll()));
}

std::optional<MemoryRegistry::EntryId> MemoryRegistry::entryNamed(const QString &name) const
{
    std::optional<EntryId> found;
    m_state->walk([&](EntryId id, const State::Node &n) {
        if (!found && n.entry.name == name)
            found = id;
    });
    return found;
}

std::vector<MemoryRegistry::EntryId> MemoryRegistry::entriesOfClass(const QString &className) const
{
    std::vector<EntryId> out;
    m_state->walk([&](EntryId id, const State::Node &n) {
        if (n.chain.contains(className))
            out.push_back(id);
    });
    return out;
}

void MemoryRegistry::setQueryFails(const QString &className, bool fails)
{
    if (fails)
        m_state->failingClasses.insert(className);
    else
        m_state->failingClasses.remove(className);
}

void MemoryRegistry::setPropertiesUnreadable(EntryId id, bool unreadable)
{
    if (auto *n = m_state->node(id))
        n->unreadable = unreadable;
}

void MemoryRegistry::setParentUnreachable(EntryId id, bool unreachable)
{
    if (auto *n = m_state->node(id))
        n->parentUnreachable = unreachable;
}

int MemoryRegistry::liveHandles() const { return m_state->liveHandles; }

int MemoryRegistry::queryCount(const QString &className) const { return m_state->queries.value(className); }

int MemoryRegistry::totalQueries() const { return m_state->totalQueries; }

int MemoryRegistry::propertyReads() const { return m_state->propertyReads; }

void MemoryRegistry::resetCounters()
{
    m_state->totalQueries = 0;
    m_state->propertyReads = 0;
    m_state->queries.clear();
}

} // namespace platform
