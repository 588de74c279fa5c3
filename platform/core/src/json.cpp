#include "platform/core/json.h"

#include "platform/core/coding.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

namespace platform::json {

namespace {
    Value fromJson(const QJsonValue &v)
    {
        switch (v.type()) {
        case QJsonValue::Null:
        case QJsonValue::Undefined:
            return Value();
        case QJsonValue::Bool:
            return Value(v.toBool());
        case QJsonValue::Double: {
            // Qt keeps integers that were written without fraction as 64-bit integers internally;
            // the variant tells them apart from reals.
            const QVariant var = v.toVariant();
            if (var.typeId() == QMetaType::LongLong)
                return Value(var.toLongLong());
            return Value(v.toDouble());
        }
        case QJsonValue::String:
            return Value(v.toString());
        case QJsonValue::Array: {
            Value::Array array;
            const QJsonArray a = v.toArray();
            array.reserve(static_cast<size_t>(a.size()));
            for (const auto &e : a)
                array.push_back(fromJson(e));
            return Value(std::move(array));
        }
        case QJsonValue::Object: {
            Value::Dictionary dict;
            const QJsonObject o = v.toObject();
            for (auto it = o.begin(); it != o.end(); ++it)
                dict[it.key()] = fromJson(it.value());
            return Value(std::move(dict));
        }
        }
        return Value();
    }

    QJsonValue toJson(const Value &v)
    {
        switch (v.type()) {
        case Value::Type::Null:
            return QJsonValue(QJsonValue::Null);
        case Value::Type::Bool:
            return QJsonValue(*v.toBool());
        case Value::Type::Integer:
            if (v.isUnsignedBeyondSigned())
                return QJsonValue(*v.toDouble());
            return QJsonValue(static_cast<qint64>(*v.toInteger()));
        case Value::Type::Real:
            return QJsonValue(*v.toDouble());
        case Value::Type::String:
            return QJsonValue(*v.toString());
        case Value::Type::Data:
            return QJsonValue(QString::fromLatin1(v.toData()->toBase64()));
        case Value::Type::Date:
            return QJsonValue(v.toDate()->toUTC().toString(Qt::ISODateWithMs));
        case Value::Type::Array: {
            QJsonArray a;
            for (const auto &e : *v.toArray())
                a.append(toJson(e));
            return a;
        }
        case Value::Type::Dictionary: {
            QJsonObject o;
            for (const auto &[k, e] : *v.toDictionary())
                o.insert(k, toJson(e));
            return o;
        }
        }
        return QJsonValue(QJsonValue::Null);
    }
}

Value parse(const QByteArray &bytes)
{
    QJsonParseError error {};
    // Wrap so that any JSON value, not only objects and arrays, parses the same way.
    const QByteArray wrapped = QByteArrayLiteral("[") + bytes + QByteArrayLiteral("]");
    const QJsonDocument doc = QJsonDocument::fromJson(wrapped, &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray() || doc.array().size() != 1)
        throw DecodingError(QStringLiteral("invalid JSON: %1").arg(error.errorString()));
    return fromJson(doc.array().at(0));
}

QByteArray serialize(const Value &value, bool compact)
{
    const QJsonValue v = toJson(value);
    const auto fmt = compact ? QJsonDocument::Compact : QJsonDocument::Indented;
    if (v.isObject())
        return QJsonDocument(v.toObject()).toJson(fmt);
    if (v.isArray())
        return QJsonDocument(v.toArray()).toJson(fmt);
    QByteArray wrapped = QJsonDocument(QJsonArray { v }).toJson(QJsonDocument::Compact);
    return wrapped.mid(1, wrapped.size() - 2);
}

} // namespace platform::json
