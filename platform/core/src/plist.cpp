#include "platform/core/plist.h"

#include "platform/core/coding.h"

#include <plist/plist.h>

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <memory>

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
            char *s = nullptr;
            plist_get_string_val(node, &s);
            QString text = QString::fromUtf8(s ? s : "");
            std::free(s);
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
    if (plist_is_binary(bytes.constData(), len))
        plist_from_bin(bytes.constData(), len, &root);
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
