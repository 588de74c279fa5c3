#pragma once

#include <QString>

namespace dorsk {

/// The distributed notifications exchanged with the helper application, all sent without object.
/// The data they ask for travels through the shared store.
struct HelperNotifications {
    HelperNotifications() = delete;

    /// Asks the helper to quit.
    static inline const QString terminateHelper = QStringLiteral("TerminateHelper");
    static inline const QString helperStarted = QStringLiteral("HelperStarted");
    static inline const QString helperStopped = QStringLiteral("HelperStopped");
    static inline const QString requestSensors = QStringLiteral("RequestSensors");
    static inline const QString requestFans = QStringLiteral("RequestFans");
    static inline const QString requestTraffic = QStringLiteral("RequestTraffic");
    /// Asks the helper to store both battery lists anew.
    static inline const QString requestBatteries = QStringLiteral("RequestBatteries");
    static inline const QString responseSensors = QStringLiteral("ResponseSensors");
    static inline const QString responseFans = QStringLiteral("ResponseFans");
    static inline const QString responseTraffic = QStringLiteral("ResponseTraffic");
    static inline const QString responseBatteries = QStringLiteral("ResponseBatteries");
};

} // namespace dorsk
