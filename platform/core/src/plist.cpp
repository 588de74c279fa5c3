#include "platform/core/plist.h"

#include "platform/core/coding.h"

#include <plist/plist.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <memory>
#include <optional>
#include <vector>

namespace platform::plist {

namespace {
    // Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
    constexpr qint64 kReferenceEpochSeconds = 978307200;
    // Deeper nesting than this is not a property list anyone writes; refusing it keeps a crafted
    // file from exhausting the stack.
    constexpr int kMaxDepth = 256;
    // Binary property lists may refer to one object from many places, and every reference becomes a
    // copy when read: a few hundred bytes of arrays sharing their elements would otherwise unfold into
    // billions of objects. No property list we read holds anywhere near this many.
    constexpr uint64_t kMaxObjects = 200'000;

    struct PlistDeleter {
        void operator()(plist_t p) const
        {
            if (p)
                plist_free(p);
        }
    };
    using PlistPtr = std::unique_ptr<void, PlistDeleter>;

    // libplist reads XML reals with the C library's strtod, which follows LC_NUMERIC: under a
    // German locale "2.5" would read as 2. The calling thread uses the C locale while libplist runs.
    class CNumericLocale {
    public:
        CNumericLocale()
            : m_previous(c() ? uselocale(c()) : nullptr)
        {
        }
        ~CNumericLocale()
        {
            if (m_previous)
                uselocale(m_previous);
        }
        CNumericLocale(const CNumericLocale &) = delete;
        CNumericLocale &operator=(const CNumericLocale &) = delete;

    private:
        static locale_t c()
        {
            static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
            return locale;
        }
        locale_t m_previous;
    };

    std::optional<uint64_t> bigEndian(const QByteArray &bytes, uint64_t offset, uint64_t width)
    {
        if (width == 0 || width > 8 || offset > uint64_t(bytes.size()) || width > uint64_t(bytes.size()) - offset)
            return std::nullopt;
        uint64_t v = 0;
        for (uint64_t i = 0; i < width; ++i)
            v = (v << 8) | static_cast<uint8_t>(bytes[static_cast<qsizetype>(offset + i)]);
        return v;
    }

    // libplist 2.2 keeps a UTF-16 text with a U+0000 inside under a length that disagrees with its
    // C string, and then aborts on an assertion when the text is read as a dictionary key. Such files
    // are refused before libplist sees them. Only the objects are looked at; anything malformed is
    // left for libplist to refuse.
    bool hasUtf16Nul(const QByteArray &bytes)
    {
        const uint64_t size = static_cast<uint64_t>(bytes.size());
        if (size < 8 + 32)
            return false;
        const uint64_t trailer = size - 32;
        const auto offsetSize = bigEndian(bytes, trailer + 6, 1);
        const auto objectCount = bigEndian(bytes, trailer + 8, 8);
        const auto tableOffset = bigEndian(bytes, trailer + 24, 8);
        if (!offsetSize || !objectCount || !tableOffset || *offsetSize == 0 || *offsetSize > 8
            || *tableOffset > trailer || *objectCount > (trailer - *tableOffset) / *offsetSize)
            return false;
        for (uint64_t i = 0; i < *objectCount; ++i) {
            const auto offset = bigEndian(bytes, *tableOffset + i * *offsetSize, *offsetSize);
            const auto marker = offset ? bigEndian(bytes, *offset, 1) : std::nullopt;
            if (!marker || (*marker & 0xf0) != 0x60)
                continue;
            uint64_t units = *marker & 0x0f;
            uint64_t start = *offset + 1;
            if (units == 0x0f) {
                // The length follows as an integer object: 0x1n with 2^n big-endian bytes.
                const auto intMarker = bigEndian(bytes, start, 1);
                if (!intMarker || (*intMarker & 0xf0) != 0x10 || (*intMarker & 0x0f) > 3)
                    continue;
                const uint64_t width = uint64_t(1) << (*intMarker & 0x0f);
                const auto count = bigEndian(bytes, start + 1, width);
                if (!count)
                    continue;
                units = *count;
                start += 1 + width;
            }
            if (start > size || units > (size - start) / 2)
                continue;
            for (uint64_t u = 0; u < units; ++u) {
                if (bytes[static_cast<qsizetype>(start + 2 * u)] == 0 && bytes[static_cast<qsizetype>(start + 2 * u + 1)] == 0)
                    return true;
            }
        }
        return false;
    }

    // Measures what a binary property list unfolds to (every reference counted as the copy it becomes)
    // before libplist builds it, and refuses one too deep, too large or referring to itself. Anything
    // malformed that does not grow the result is left for libplist to refuse.
    class BinaryShape {
    public:
        explicit BinaryShape(const QByteArray &bytes)
            : m_bytes(bytes)
        {
        }

        void check()
        {
            const uint64_t size = static_cast<uint64_t>(m_bytes.size());
            if (size < 8 + 32)
                return;
            const uint64_t trailer = size - 32;
            const auto offsetSize = bigEndian(m_bytes, trailer + 6, 1);
            const auto refSize = bigEndian(m_bytes, trailer + 7, 1);
            const auto objectCount = bigEndian(m_bytes, trailer + 8, 8);
            const auto top = bigEndian(m_bytes, trailer + 16, 8);
            const auto tableOffset = bigEndian(m_bytes, trailer + 24, 8);
            if (!offsetSize || !refSize || !objectCount || !top || !tableOffset || *offsetSize == 0
                || *offsetSize > 8 || *refSize == 0 || *refSize > 8 || *tableOffset > trailer
                || *objectCount > (trailer - *tableOffset) / *offsetSize || *top >= *objectCount)
                return;
            m_offsetSize = *offsetSize;
            m_refSize = *refSize;
            m_tableOffset = *tableOffset;
            m_objectCount = *objectCount;
            m_unfolded.assign(m_objectCount, kUnvisited);
            m_depth.assign(m_objectCount, 0);
            (void)unfold(*top, 0);
        }

    private:
        static constexpr uint64_t kUnvisited = ~uint64_t(0);
        static constexpr uint64_t kInProgress = ~uint64_t(0) - 1;

        // The number of objects `index` unfolds to (itself included), at most kMaxObjects + 1.
        uint64_t unfold(uint64_t index, int depth)
        {
            if (depth > kMaxDepth)
                throw DecodingError(QStringLiteral("property list nested too deeply"));
            uint64_t &count = m_unfolded[index];
            if (count == kInProgress)
                throw DecodingError(QStringLiteral("property list contains itself"));
            if (count != kUnvisited) {
                if (depth + m_depth[index] > kMaxDepth)
                    throw DecodingError(QStringLiteral("property list nested too deeply"));
                return count;
            }
            count = kInProgress;
            uint64_t total = 1;
            int below = 0;
            for (const uint64_t child : children(index)) {
                const uint64_t unfolded = unfold(child, depth + 1);
                below = std::max(below, m_depth[child] + 1);
                total += unfolded;
                if (total > kMaxObjects)
                    throw DecodingError(QStringLiteral("property list holds too many objects"));
            }
            m_unfolded[index] = total;
            m_depth[index] = below;
            return total;
        }

        // The objects an array, set or dictionary refers to; nothing for anything else or anything
        // malformed.
        std::vector<uint64_t> children(uint64_t index) const
        {
            const auto offset = bigEndian(m_bytes, m_tableOffset + index * m_offsetSize, m_offsetSize);
            const auto marker = offset ? bigEndian(m_bytes, *offset, 1) : std::nullopt;
            if (!marker)
                return {};
            const uint64_t kind = *marker & 0xf0;
            if (kind != 0xa0 && kind != 0xc0 && kind != 0xd0)
                return {};
            uint64_t count = *marker & 0x0f;
            uint64_t start = *offset + 1;
            if (count == 0x0f) {
                const auto intMarker = bigEndian(m_bytes, start, 1);
                if (!intMarker || (*intMarker & 0xf0) != 0x10 || (*intMarker & 0x0f) > 3)
                    return {};
                const uint64_t width = uint64_t(1) << (*intMarker & 0x0f);
                const auto n = bigEndian(m_bytes, start + 1, width);
                if (!n)
                    return {};
                count = *n;
                start += 1 + width;
            }
            if (kind == 0xd0) {
                if (count > ~uint64_t(0) / 2)
                    return {};
                count *= 2; // keys, then values
            }
            const uint64_t size = static_cast<uint64_t>(m_bytes.size());
            if (start > size || count > (size - start) / m_refSize)
                return {};
            std::vector<uint64_t> refs;
            refs.reserve(count);
            for (uint64_t i = 0; i < count; ++i) {
                const auto ref = bigEndian(m_bytes, start + i * m_refSize, m_refSize);
                if (ref && *ref < m_objectCount)
                    refs.push_back(*ref);
            }
            return refs;
        }

        const QByteArray &m_bytes;
        uint64_t m_offsetSize = 0;
        uint64_t m_refSize = 0;
        uint64_t m_tableOffset = 0;
        uint64_t m_objectCount = 0;
        std::vector<uint64_t> m_unfolded;
        std::vector<int> m_depth;
    };

    struct Budget {
        uint64_t objects = 0;
    };

    Value fromNode(plist_t node, int depth, Budget &budget)
    {
        if (depth > kMaxDepth)
            throw DecodingError(QStringLiteral("property list nested too deeply"));
        if (++budget.objects > kMaxObjects)
            throw DecodingError(QStringLiteral("property list holds too many objects"));
        switch (plist_get_node_type(node)) {
        case PLIST_BOOLEAN: {
            uint8_t b = 0;
            plist_get_bool_val(node, &b);
            return Value(b != 0);
        }
        case PLIST_UINT: {
            uint64_t u = 0;
            plist_get_uint_val(node, &u);
            // libplist 2.2 keeps every integer in one unsigned 64-bit slot and cannot say whether a
            // large one was negative; property lists written by the platforms we talk to hold signed
            // 64-bit integers, so read them as such.
            return Value(static_cast<long long>(static_cast<int64_t>(u)));
        }
        case PLIST_REAL: {
            double d = 0;
            plist_get_real_val(node, &d);
            return Value(d);
        }
        case PLIST_STRING: {
            // plist_get_string_val asserts on a string with a NUL inside; the pointer form does not.
            uint64_t length = 0;
            const char *s = plist_get_string_ptr(node, &length);
            const QString text = QString::fromUtf8(s ? s : "", s ? static_cast<qsizetype>(length) : 0);
            if (text == QLatin1String(kNullMarker))
                return Value();
            return Value(text);
        }
        case PLIST_DATA: {
            char *d = nullptr;
            uint64_t len = 0;
            plist_get_data_val(node, &d, &len);
            QByteArray bytes(d, static_cast<qsizetype>(len));
            std::free(d);
            return Value(bytes);
        }
        case PLIST_DATE: {
            int32_t sec = 0;
            int32_t usec = 0;
            plist_get_date_val(node, &sec, &usec);
            const qint64 ms = (kReferenceEpochSeconds + sec) * 1000 + usec / 1000;
            return Value(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC));
        }
        case PLIST_ARRAY: {
            Value::Array array;
            const uint32_t n = plist_array_get_size(node);
            array.reserve(n);
            for (uint32_t i = 0; i < n; ++i)
                array.push_back(fromNode(plist_array_get_item(node, i), depth + 1, budget));
            return Value(std::move(array));
        }
        case PLIST_DICT: {
            Value::Dictionary dict;
            plist_dict_iter rawIterator = nullptr;
            plist_dict_new_iter(node, &rawIterator);
            // Freed on every way out, a refused member's exception included.
            const std::unique_ptr<void, decltype(&std::free)> iterator(rawIterator, &std::free);
            for (;;) {
                char *rawKey = nullptr;
                plist_t item = nullptr;
                plist_dict_next_item(node, iterator.get(), &rawKey, &item);
                const std::unique_ptr<char, decltype(&std::free)> key(rawKey, &std::free);
                if (!item)
                    break;
                dict[QString::fromUtf8(key ? key.get() : "")] = fromNode(item, depth + 1, budget);
            }
            return Value(std::move(dict));
        }
        case PLIST_UID: {
            uint64_t u = 0;
            plist_get_uid_val(node, &u);
            return Value(static_cast<unsigned long long>(u));
        }
        default:
            throw DecodingError(QStringLiteral("unsupported property-list node"));
        }
    }

    plist_t toNode(const Value &value, int depth)
    {
        if (depth > kMaxDepth)
            throw DecodingError(QStringLiteral("value nested too deeply for a property list"));
        switch (value.type()) {
        case Value::Type::Null:
            return plist_new_string(kNullMarker);
        case Value::Type::Bool:
            return plist_new_bool(*value.toBool() ? 1 : 0);
        case Value::Type::Integer:
            if (value.isUnsignedBeyondSigned())
                return plist_new_uint(*value.toUnsigned());
            return plist_new_uint(static_cast<uint64_t>(*value.toInteger()));
        case Value::Type::Real:
            return plist_new_real(*value.toDouble());
        case Value::Type::String:
            return plist_new_string(value.toString()->toUtf8().constData());
        case Value::Type::Data: {
            const QByteArray d = *value.toData();
            return plist_new_data(d.constData(), static_cast<uint64_t>(d.size()));
        }
        case Value::Type::Date: {
            const qint64 ms = value.toDate()->toMSecsSinceEpoch() - kReferenceEpochSeconds * 1000;
            qint64 sec = ms / 1000;
            qint64 rem = ms % 1000;
            if (rem < 0) {
                rem += 1000;
                sec -= 1;
            }
            return plist_new_date(static_cast<int32_t>(sec), static_cast<int32_t>(rem * 1000));
        }
        case Value::Type::Array: {
            plist_t array = plist_new_array();
            for (const auto &v : *value.toArray())
                plist_array_append_item(array, toNode(v, depth + 1));
            return array;
        }
        case Value::Type::Dictionary: {
            plist_t dict = plist_new_dict();
            for (const auto &[k, v] : *value.toDictionary())
                plist_dict_set_item(dict, k.toUtf8().constData(), toNode(v, depth + 1));
            return dict;
        }
        }
        return plist_new_string(kNullMarker);
    }
}

Value parse(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        throw DecodingError(QStringLiteral("empty property list"));
    const CNumericLocale cLocale;
    plist_t root = nullptr;
    const auto len = static_cast<uint32_t>(bytes.size());
    if (plist_is_binary(bytes.constData(), len)) {
        if (hasUtf16Nul(bytes))
            throw DecodingError(QStringLiteral("property list text holds a NUL character"));
        BinaryShape(bytes).check();
        plist_from_bin(bytes.constData(), len, &root);
    }
    else
        plist_from_xml(bytes.constData(), len, &root);
    PlistPtr guard(root);
    if (!root)
        throw DecodingError(QStringLiteral("not a property list"));
    Budget budget;
    return fromNode(root, 0, budget);
}

QByteArray serialize(const Value &value, Format format)
{
    const CNumericLocale cLocale;
    PlistPtr root(toNode(value, 0));
    char *out = nullptr;
    uint32_t len = 0;
    if (format == Format::Binary)
        plist_to_bin(root.get(), &out, &len);
    else
        plist_to_xml(root.get(), &out, &len);
    QByteArray bytes(out, static_cast<qsizetype>(len));
    std::free(out);
    return bytes;
}

} // namespace platform::plist
