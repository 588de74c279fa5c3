#pragma once

#include "tavrin/identifier.h"

namespace tavrin {

/// An alias: an entry that stands for the entry stored under `wrappedIdentifier`. Only a data store
/// resolves it; asking the alias itself for its value or text is a programming error that stops the
/// program.
class WrappedIdentifier : public Identifier {
public:
    WrappedIdentifier(QString identifier, QString name, QString wrappedIdentifier,
        std::optional<platform::ui::Image> icon = std::nullopt);

    const QString &wrappedIdentifier() const { return m_wrappedIdentifier; }
    void setWrappedIdentifier(QString identifier) { m_wrappedIdentifier = std::move(identifier); }
    QString identifier() const override { return m_identifier; }
    void setIdentifier(QString identifier) { m_identifier = std::move(identifier); }
    QString name() const override { return m_name; }
    void setName(QString name) { m_name = std::move(name); }
    std::optional<platform::ui::Image> icon() const override { return m_icon; }
    void setIcon(std::optional<platform::ui::Image> icon) { m_icon = std::move(icon); }

    /// Stops the program: read an alias through the store.
    std::optional<platform::Number> value() const override;
    /// Stops the program: read an alias through the store.
    QString text() const override;

private:
    QString m_wrappedIdentifier;
    QString m_identifier;
    QString m_name;
    std::optional<platform::ui::Image> m_icon;
};

} // namespace tavrin
