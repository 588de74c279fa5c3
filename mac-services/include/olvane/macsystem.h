#pragma once

#include "olvane/applehardwaredetails.h"
#include "platform/ui/image.h"

#include <QString>

#include <optional>

namespace olvane {

/// Facts about the computer the program runs on. Texts that cannot be found are "-".
///
/// Stored facts are worked out once, on first use, and kept; their setters replace the kept value
/// (tests, and callers that know better). The other facts are worked out on every read.
///
/// On Linux every file is read below `SystemRoot` (a new root forgets the kept facts): the system's
/// name and version come from /etc/os-release, the model, serial number and marketing name from the
/// firmware's DMI fields (the device tree's model on ARM), the kind of computer from the DMI chassis
/// type, processors from /proc/cpuinfo, memory from /proc/meminfo, the host name from
/// /proc/sys/kernel/hostname, the computer name from the pretty host name of /etc/machine-info (else
/// the host name), and the thermal state from the thermal zones' trip points. The machine text is
/// uname's with "aarch64" spelt "arm64". Main thread only.
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
    /// A symbol name for the kind of computer the model names; a model that is no Mac's is a laptop
    /// ("laptopcomputer") when its enclosure is a portable one, else "desktopcomputer".
    static QString symbolName();
    /// The system's name for a kernel major version ("macOS Sequoia" for 24).
    static QString macOSName(int kernelMajorVersion);
    /// The running system's name ("Debian GNU/Linux"): NAME of os-release, "Linux" without one.
    static QString currentMacOSName();
    /// The first number of versionText(), none when it does not begin with one.
    static std::optional<int> majorVersion();
    /// "Version 12" for os-release's VERSION_ID 12, "Version 24.04 (Build 7)" with a BUILD_ID, the
    /// build alone for a rolling release, "Version -" without either.
    static QString versionString();
    /// versionString() without "Version" ("12").
    static QString versionText();
    /// versionString() with the system's name for "Version" ("Debian GNU/Linux 12").
    static QString macOSVersionText();
    /// The system's name, a blank and versionText().
    static QString versionDescription();
    /// VERSION_ID of os-release, "-" without one.
    static QString productVersion();
    static int activeProcessorCount();
    /// 0 nominal, 1 fair, 2 serious, 3 critical: the highest trip point any enabled thermal zone has
    /// reached ("active" fair, "passive" serious, "hot" and "critical" critical).
    static int thermalState();
    /// MemTotal of /proc/meminfo in bytes; 0 when it cannot be read.
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
