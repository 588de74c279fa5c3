#include "tavrin/wrappedidentifier.h"

#include <QtGlobal>

namespace tavrin {

WrappedIdentifier::WrappedIdentifier(
    QString identifier, QString name, QString wrappedIdentifier, std::optional<platform::ui::Image> icon)
    : m_wrappedIdentifier(std::move(wrappedIdentifier))
    , m_identifier(std::move(identifier))
    , m_name(std::move(name))
    , m_icon(std::move(icon))
{
}

std::optional<platform::Number> WrappedIdentifier::value() const
{
    qFatal("Tavrin/WrappedIdentifier: Use IDataStore to get value of wrapped identifier.");
}

QString WrappedIdentifier::text() const
{
    qFatal("Tavrin/WrappedIdentifier: Use IDataStore to get string of wrapped identifier.");
}

} // namespace tavrin
