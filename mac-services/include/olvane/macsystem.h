#pragma once

#include "olvane/applehardwaredetails.h"
#include "platform/ui/image.h"

#include <QString>

#include <optional>

namespace olvane {

/// Facts about the computer the program runs on. Texts that cannot be found are "-".
///
/// Stored facts are worked out once, on first use, and kept; their setters replace the kept value
/// (tests, and callers that know better). The other facts are worked out on every read. On Linux
/// the model is the firmware's product name, the machine text is uname's with "aarch64" spelt
/// "arm64", and the computer name is the pretty host name of /etc/machine-info, else the host name.
/// Main thread only.
class MacSystem {
public:
    MacSystem() = delete;

    // Stored facts.
    static std::optional<platform::ui::Image> bigSurPicture();
    static std::optional<platform::ui::Image> montereyPicture();
    static std::optional<platform::ui::Image> venturaPicture();
    static QString serialNumber();
    static void setSerialNumber(const QString &value);
    static QString marketingName();
    static void setMarketingName(const QString &value);
    static QString computerName();
    static void setComputerName(const QString &value);
    static QString model();
    static void setModel(const QString &value);
    static QString cpuBrand();
    static void setCpuBrand(const QString &value);
    static QString hostName();
    static void setHostName(const QString &value);
    static quint8 threadCount();
    static void setThreadCount(quint8 value);
    static quint8 physicalCores();
    static void setPhysicalCores(quint8 value);
    static quint8 logicalCores();
    static void setLogicalCores(quint8 value);
    static QString machine();
    static void setMachine(const QString &value);
    /// "Apple Silicon" when the machine text begins with "arm", else "Intel".
    static QString architecture();
    static void setArchitecture(const QString &value);
    static std::optional<AppleHardwareDetails> hardwareDetails();
    static void setHardwareDetails(const std::optional<AppleHardwareDetails> &value);

    // Computed facts.
    /// A symbol name for the kind of computer the model names.
    static QString symbolName();
    /// The system's name for a kernel major version ("macOS Sequoia" for 24).
    static QString macOSName(int kernelMajorVersion);
    /// The name for majorVersion() (11 to 14), else the localised "UNKNOWN_MACOS_VERSION".
    static QString currentMacOSName();
    static std::optional<int> majorVersion();
    /// "Version 15.0.0" for the running system version.
    static QString versionString();
    static QString versionText();
    static QString macOSVersionText();
    static QString versionDescription();
    static QString productVersion();
    static int activeProcessorCount();
    /// 0 nominal, 1 fair, 2 serious, 3 critical.
    static int thermalState();
    static quint64 physicalMemory();
    static QString physicalMemoryText();
    static QString uptimeText();
    static QString timeSinceBootText();
    static bool isAppleSilicon();
    /// Cores whose device-tree "compatible" names "icestorm" / "firestorm"; none unless arm64.
    static std::optional<int> efficiencyCoreCount();
    static std::optional<int> performanceCoreCount();
};

} // namespace olvane
