#pragma once

#include "platform/core/value.h"

#include <QString>

#include <any>
#include <memory>
#include <optional>
#include <type_traits>
#include <typeindex>

namespace platform {

namespace detail {
    // Anything Value takes, except pointers (a pointer would silently become a bool): strings keep
    // working as C string literals.
    template <typename T>
    concept ValueLike = std::is_constructible_v<Value, T> &&(
        !std::is_pointer_v<std::decay_t<T>> || std::is_same_v<std::decay_t<T>, const char *>)&&!std::
        is_same_v<std::decay_t<T>, std::nullptr_t>;
}

/// The optional object a notification carries and an observer may filter on: nothing, a plain value
/// (a number, a text, ...), or an object known by its address (a device record behind a
/// `std::shared_ptr`, or any object by plain pointer, which the notification does not own).
///
/// Two objects match when both are the same value, or both are the same address.
class NotificationObject {
public:
    NotificationObject() = default;
    NotificationObject(std::nullptr_t) { }
    NotificationObject(std::nullopt_t) { }
    /// A null value is no object.
    NotificationObject(Value value);
    NotificationObject(const std::optional<Value> &value);
    template <detail::ValueLike T>
    NotificationObject(T &&value)
        : NotificationObject(Value(std::forward<T>(value)))
    {
    }
    /// Shares the object; an empty pointer is no object.
    template <typename T> NotificationObject(std::shared_ptr<T> object)
    {
        if (object) {
            m_identity = object.get();
            m_type = typeid(T);
            m_holder = std::move(object);
        }
    }
    /// Refers to the object without owning it; a null pointer is no object.
    template <typename T>
    requires std::is_class_v<T> NotificationObject(T *object)
    {
        if (object) {
            m_identity = object;
            m_type = typeid(T);
            m_holder = object;
        }
    }

    bool isNone() const { return !m_value && !m_identity; }
    explicit operator bool() const { return !isNone(); }

    /// The plain value, or nullptr when the object is none or an address.
    const Value *value() const { return m_value ? &*m_value : nullptr; }
    /// The object when it was handed over as `std::shared_ptr<T>` of exactly this T.
    template <typename T> std::shared_ptr<T> shared() const
    {
        if (auto p = std::any_cast<std::shared_ptr<T>>(&m_holder))
            return *p;
        return nullptr;
    }
    /// The object's address when it was handed over as a T pointer or `std::shared_ptr<T>`.
    template <typename T> T *pointer() const
    {
        if (auto p = std::any_cast<T *>(&m_holder))
            return *p;
        if (auto p = std::any_cast<std::shared_ptr<T>>(&m_holder))
            return p->get();
        return nullptr;
    }
    /// The address of an object handed over by pointer, or nullptr.
    const void *identity() const { return m_identity; }

    bool operator==(const NotificationObject &other) const;

    /// A short readable form for test failures and debugging.
    QString debugText() const;

private:
    std::optional<Value> m_value;
    const void *m_identity = nullptr;
    std::optional<std::type_index> m_type;
    std::any m_holder;
};

/// One posted notification: a name and its optional object.
struct Notification {
    QString name;
    NotificationObject object;
};

} // namespace platform
