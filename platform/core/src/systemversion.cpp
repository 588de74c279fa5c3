#include "platform/core/systemversion.h"

namespace platform {

namespace {
    SystemVersion s_version;
}

SystemVersion SystemVersion::current()
{
    return s_version;
}

ScopedSystemVersion::ScopedSystemVersion(SystemVersion version)
    : m_previous(s_version)
{
    s_version = version;
}

ScopedSystemVersion::~ScopedSystemVersion()
{
    s_version = m_previous;
}

} // namespace platform
