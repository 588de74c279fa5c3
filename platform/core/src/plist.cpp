#include "platform/core/plist.h"

#include "platform/core/coding.h"

#include <plist/plist.h>

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <memory>
#include <optional>

namespace platform::plist {

namespace {
    // Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
    constexpr qint64 kReferenceEpochSeconds = 978307200;
    // Deeper nesting than this is not a property list anyone writes; refusing it keeps a crafted
    // file from exhausting the stack.
    constexpr int kMaxDepth = 256;

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

    Value fromNode(plist_t node, int depth)
    {
        if (depth > kMaxDepth)
            throw DecodingError(QStringLiteral("property list nested too deeply"));
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
                array.push_back(fromNode(plist_array_get_item(node, i), depth + 1));
            return Value(std::move(array));
        }
        case PLIST_DICT: {
            Value::Dictionary dict;
            plist_dict_iter it = nullptr;
            plist_dict_new_iter(node, &it);
            for (;;) {
                char *key = nullptr;
                plist_t item = nullptr;
                plist_dict_next_item(node, it, &key, &item);
                if (!item) {
                    std::free(key);
                    break;
                }
                const QString k = QString::fromUtf8(key ? key : "");
                std::free(key);
                dict[k] = fromNode(item, depth + 1);
            }
            std::free(it);
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
        plist_from_bin(bytes.constData(), len, &root);
    }
    else
        plist_from_xml(bytes.constData(), len, &root);
    PlistPtr guard(root);
    if (!root)
        throw DecodingError(QStringLiteral("not a property list"));
    return fromNode(root, 0);
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
