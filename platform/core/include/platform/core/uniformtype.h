#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

/// A uniform type identifier ("public.jpeg", "com.adobe.pdf") with the types it conforms to.
///
/// The identifiers come from a table of our own keyed by MIME type (as the freedesktop MIME database
/// names a file's type); a MIME type missing from the table is "dyn.mime.<MIME name>" and conforms to
/// what its MIME ancestors and its media type ("image/", "video/", "audio/", "text/") say. Conformance
/// includes equality and follows supertypes transitively.
class UniformType {
public:
    /// The type of the file or folder at `path` (by name first, then by content); none when it does not exist.
    static std::optional<UniformType> forFile(const QString &path);
    /// The type the table gives a MIME type name, or the dynamic type for it.
    static UniformType forMimeType(const QString &mimeName);
    /// A type of the table by identifier; none for identifiers the table does not hold.
    static std::optional<UniformType> withIdentifier(const QString &identifier);

    static UniformType item();
    static UniformType data();
    static UniformType folder();
    static UniformType image();
    static UniformType movie();
    static UniformType audio();
    static UniformType archive();
    static UniformType pdf();
    static UniformType text();
    static UniformType plainText();

    const QString &identifier() const { return m_identifier; }
    /// The MIME type of the file's kind; empty for folders and the abstract types.
    const QString &preferredMimeType() const { return m_mimeType; }
    /// Every identifier this type conforms to, itself first.
    const QStringList &conformances() const { return m_conformances; }
    bool conforms(const UniformType &other) const { return m_conformances.contains(other.m_identifier); }

    bool operator==(const UniformType &other) const { return m_identifier == other.m_identifier; }
    bool operator!=(const UniformType &other) const { return !(*this == other); }

private:
    UniformType() = default;
    static UniformType fromTable(const QString &identifier);

    QString m_identifier;
    QString m_mimeType;
    QStringList m_conformances;
};

} // namespace platform
