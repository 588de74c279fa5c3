#pragma once

namespace platform {

/// The operating-system version the code branches on. The original system branched on its
/// release number (12 for newer symbols, 13 for the new login service); on Linux there is no such
/// number, so the process reports the newest behaviour and tests set older versions to reach the
/// older branches.
struct SystemVersion {
    int major = 15;
    int minor = 0;
    int patch = 0;

    bool isAtLeast(int maj, int min = 0, int pat = 0) const
    {
        if (major != maj)
            return major > maj;
        if (minor != min)
            return minor > min;
        return patch >= pat;
    }

    static SystemVersion current();
};

/// Sets the reported version for the lifetime of the guard.
class ScopedSystemVersion {
public:
    explicit ScopedSystemVersion(SystemVersion version);
    ScopedSystemVersion(int major, int minor = 0, int patch = 0)
        : ScopedSystemVersion(SystemVersion { major, minor, patch })
    {
    }
    ~ScopedSystemVersion();
    ScopedSystemVersion(const ScopedSystemVersion &) = delete;
    ScopedSystemVersion &operator=(const ScopedSystemVersion &) = delete;

private:
    SystemVersion m_previous;
};

} // namespace platform
