#pragma once

#include "platform/core/coding.h"
#include "platform/core/value.h"

#include <QDateTime>
#include <QStringList>
#include <QUrl>

#include <any>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace platform {

/// The null object of the original platform: a present value that stands for "nothing", unlike an
/// empty optional.
struct NullObject {
    bool operator==(const NullObject &) const { return true; }
};

/// A value that cannot be written, with the value itself and where it was met.
class EncodingError : public std::runtime_error {
public:
    EncodingError(std::any value, QStringList codingPath, const QString &debugDescription)
        : std::runtime_error(debugDescription.toStdString())
        , m_value(std::move(value))
        , m_codingPath(std::move(codingPath))
        , m_debugDescription(debugDescription)
    {
    }
    const std::any &value() const { return m_value; }
    const QStringList &codingPath() const { return m_codingPath; }
    const QString &debugDescription() const { return m_debugDescription; }

private:
    std::any m_value;
    QStringList m_codingPath;
    QString m_debugDescription;
};

class Encoder;

/// Something that writes itself to an encoder.
class Encodable {
public:
    virtual ~Encodable() = default;
    virtual void encode(Encoder &encoder) const = 0;
};

/// Writes one value. Each write replaces what the container held; errors are `EncodingError`.
class SingleValueEncodingContainer {
public:
    virtual ~SingleValueEncodingContainer() = default;
    virtual QStringList codingPath() const = 0;
    virtual void encodeNil() = 0;
    virtual void encode(bool value) = 0;
    virtual void encode(std::int8_t value) = 0;
    virtual void encode(std::int16_t value) = 0;
    virtual void encode(std::int32_t value) = 0;
    virtual void encode(std::int64_t value) = 0;
    virtual void encode(std::uint8_t value) = 0;
    virtual void encode(std::uint16_t value) = 0;
    virtual void encode(std::uint32_t value) = 0;
    virtual void encode(std::uint64_t value) = 0;
    virtual void encode(float value) = 0;
    virtual void encode(double value) = 0;
    virtual void encode(const QString &value) = 0;
    /// The generic writes: a date and a URL in the encoder's own form, lists and text-keyed
    /// dictionaries of encodable elements.
    virtual void encode(const QDateTime &value) = 0;
    virtual void encode(const QUrl &value) = 0;
    virtual void encode(const std::vector<const Encodable *> &elements) = 0;
    virtual void encode(const std::vector<std::pair<QString, const Encodable *>> &members) = 0;
};

class Encoder {
public:
    virtual ~Encoder() = default;
    virtual QStringList codingPath() const = 0;
    virtual std::unique_ptr<SingleValueEncodingContainer> singleValueContainer() = 0;
};

class Decoder;

/// Reads one value. A read of the wrong kind throws `DecodingError` and leaves the container as it was.
class SingleValueDecodingContainer {
public:
    virtual ~SingleValueDecodingContainer() = default;
    virtual QStringList codingPath() const = 0;
    virtual bool decodeNil() const = 0;
    virtual bool decodeBool() const = 0;
    virtual std::int64_t decodeInt64() const = 0;
    virtual std::uint64_t decodeUInt64() const = 0;
    virtual double decodeDouble() const = 0;
    virtual QString decodeString() const = 0;
    /// One decoder per element, in order.
    virtual std::vector<std::unique_ptr<Decoder>> decodeList() const = 0;
    /// One decoder per member.
    virtual std::vector<std::pair<QString, std::unique_ptr<Decoder>>> decodeDictionary() const = 0;
};

class Decoder {
public:
    virtual ~Decoder() = default;
    virtual QStringList codingPath() const = 0;
    virtual std::unique_ptr<SingleValueDecodingContainer> singleValueContainer() const = 0;
};

/// Writes into a `Value`: integers as integers, floats widened, dates as dates, URLs as their text.
class ValueEncoder : public Encoder {
public:
    explicit ValueEncoder(QStringList codingPath = {});
    QStringList codingPath() const override { return m_codingPath; }
    std::unique_ptr<SingleValueEncodingContainer> singleValueContainer() override;
    /// What was written; null before anything was.
    const Value &value() const { return m_value; }

private:
    friend class ValueEncodingContainer;
    QStringList m_codingPath;
    Value m_value;
};

/// Reads from a `Value` strictly: a Boolean read takes only Booleans, integer reads only integers (or
/// integral reals) within range, a real read any number but a Boolean, a text read only texts.
class ValueDecoder : public Decoder {
public:
    explicit ValueDecoder(Value value, QStringList codingPath = {});
    QStringList codingPath() const override { return m_codingPath; }
    std::unique_ptr<SingleValueDecodingContainer> singleValueContainer() const override;

private:
    Value m_value;
    QStringList m_codingPath;
};

} // namespace platform
