#pragma once

#include "tavrin/threadedobject.h"

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tavrin {

/// The entries of a `VZDictionary`: a hash map from key to position over a dense list of pairs, so a
/// position is an index that stays cheap to step through.
template <typename Key, typename Value, typename Hash = std::hash<Key>> struct DenseDictionary {
    std::vector<std::pair<Key, Value>> entries;
    std::unordered_map<Key, std::size_t, Hash> positions;

    const Value *find(const Key &key) const
    {
        auto it = positions.find(key);
        return it == positions.end() ? nullptr : &entries[it->second].second;
    }
    void set(const Key &key, Value value)
    {
        auto it = positions.find(key);
        if (it != positions.end()) {
            entries[it->second].second = std::move(value);
            return;
        }
        positions.emplace(key, entries.size());
        entries.emplace_back(key, std::move(value));
    }
    void remove(const Key &key)
    {
        auto it = positions.find(key);
        if (it == positions.end())
            return;
        const std::size_t at = it->second;
        positions.erase(it);
        if (at + 1 != entries.size()) {
            entries[at] = std::move(entries.back());
            positions[entries[at].first] = at;
        }
        entries.pop_back();
    }
};

/// A dictionary that any thread may use: lookups are reads of its `ThreadedObject`, assignments are
/// queued writes, `removeAll` a synchronous one.
///
/// It is walked by position (`startIndex`, `indexAfter`, `endIndex`, `element`), each step a read of its
/// own, as is the range-for loop; nothing takes a snapshot first. A write between two steps changes the
/// dictionary under the walk: positions taken before it may then name another entry or none, and
/// `element` gives none for a position past the end (never undefined behaviour). `values()` and
/// `snapshot()` are one read each.
template <typename Key, typename Value, typename Hash = std::hash<Key>>
class VZDictionary : public ThreadedObject<DenseDictionary<Key, Value, Hash>> {
    using Base = ThreadedObject<DenseDictionary<Key, Value, Hash>>;
    using Storage = DenseDictionary<Key, Value, Hash>;

public:
    using Index = std::size_t;
    using Element = std::pair<Key, Value>;

    explicit VZDictionary(ThreadingType threadingType = ThreadingType::Concurrent)
        : Base(Storage {}, threadingType)
    {
    }
    VZDictionary(std::initializer_list<Element> elements, ThreadingType threadingType = ThreadingType::Concurrent)
        : Base(make(elements), threadingType)
    {
    }
    /// Takes over the entries of an existing dictionary; its keys are distinct already.
    explicit VZDictionary(const std::unordered_map<Key, Value, Hash> &dictionary,
        ThreadingType threadingType = ThreadingType::Concurrent)
        : Base(make(dictionary), threadingType)
    {
    }

    std::optional<Value> value(const Key &key) const
    {
        return this->read([&](const Storage &s) -> std::optional<Value> {
            const Value *v = s.find(key);
            return v ? std::optional<Value>(*v) : std::nullopt;
        });
    }
    /// Queued; none removes the key.
    void setValue(const Key &key, std::optional<Value> value)
    {
        this->write([key, value = std::move(value)](Storage &s) {
            if (value)
                s.set(key, *value);
            else
                s.remove(key);
        });
    }
    void removeValue(const Key &key) { setValue(key, std::nullopt); }
    /// Reads the value, lets `change` edit it and stores the result: two trips to the queue, not one
    /// atomic step.
    template <typename F> void modify(const Key &key, F &&change)
    {
        std::optional<Value> v = value(key);
        change(v);
        setValue(key, std::move(v));
    }
    /// Returns once the dictionary is empty; its storage is released.
    void removeAll()
    {
        this->syncWrite([](Storage &s) { s = Storage {}; });
    }

    std::vector<Value> values() const
    {
        return this->read([](const Storage &s) {
            std::vector<Value> out;
            out.reserve(s.entries.size());
            for (const auto &e : s.entries)
                out.push_back(e.second);
            return out;
        });
    }
    std::vector<Element> snapshot() const
    {
        return this->read([](const Storage &s) { return s.entries; });
    }

    Index startIndex() const { return 0; }
    Index endIndex() const
    {
        return this->read([](const Storage &s) { return s.entries.size(); });
    }
    Index indexAfter(Index i) const { return i + 1; }
    std::optional<Element> element(Index i) const
    {
        return this->read([i](const Storage &s) -> std::optional<Element> {
            if (i >= s.entries.size())
                return std::nullopt;
            return s.entries[i];
        });
    }

    std::size_t count() const { return endIndex(); }
    bool isEmpty() const { return startIndex() == endIndex(); }
    std::optional<Element> first() const { return startIndex() == endIndex() ? std::nullopt : element(startIndex()); }
    bool contains(const Key &key) const
    {
        return this->read([&](const Storage &s) { return s.find(key) != nullptr; });
    }

    /// A walk in which each step reads the element at the next position once.
    class Iterator {
    public:
        Iterator(const VZDictionary *dict, Index index)
            : m_dict(dict)
            , m_index(index)
        {
        }
        const Element &operator*() const { return *m_current; }
        const Element *operator->() const { return &*m_current; }
        Iterator &operator++()
        {
            ++m_index;
            m_current.reset();
            return *this;
        }
        // Comparison against the end is where the step's read happens.
        bool operator!=(const Iterator &) { return fetch(); }
        bool operator==(const Iterator &other) { return !(*this != other); }

    private:
        bool fetch()
        {
            if (!m_current)
                m_current = m_dict->element(m_index);
            return m_current.has_value();
        }
        const VZDictionary *m_dict;
        Index m_index;
        std::optional<Element> m_current;
    };
    Iterator begin() const { return Iterator(this, startIndex()); }
    Iterator end() const { return Iterator(this, 0); }

private:
    static Storage make(const std::unordered_map<Key, Value, Hash> &dictionary)
    {
        Storage s;
        s.entries.reserve(dictionary.size());
        s.positions.reserve(dictionary.size());
        for (const auto &[key, value] : dictionary)
            s.set(key, value);
        return s;
    }
    static Storage make(std::initializer_list<Element> elements)
    {
        Storage s;
        for (const auto &e : elements)
            if (!s.find(e.first))
                s.set(e.first, e.second);
        return s;
    }
};

} // namespace tavrin
