#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include <array>
#include <memory>

namespace platform::ui {

class Menu;

/// One icon in the desktop's tray, as a tray presenter shows a status item there: pictures of one
/// square at the sizes a host may ask for, a tooltip, and the clicks the host passes on.
///
/// The base keeps what was handed over; each kind of tray (a StatusNotifierItem on the session bus,
/// an XEmbed window in an X11 tray, or none for tests) passes it on in `presented`. Main thread only.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    /// The square's sides, in pixels, of the pictures an icon offers: hosts pick by their panel's
    /// thickness and scale (22 on an ordinary panel, 44 on a doubled one).
    static constexpr std::array<int, 4> kPictureSizes { 22, 32, 44, 64 };

    ~TrayIcon() override;

    /// One picture per size of kPictureSizes, in that order; empty until the first hand-over.
    QList<QImage> pictures() const { return m_pictures; }
    QString toolTip() const { return m_toolTip; }
    std::shared_ptr<Menu> menu() const { return m_menu; }

    /// Hands what the icon shows to the tray.
    void setPictures(const QList<QImage> &pictures);
    void setToolTip(const QString &toolTip);
    /// The menu the tray may offer itself (StatusNotifierItem hosts that show an exported menu).
    void setMenu(std::shared_ptr<Menu> menu);

    /// An icon that keeps what it is given and shows it nowhere: the tray of tests and benchmarks.
    static std::unique_ptr<TrayIcon> inMemory();

signals:
    /// The user clicked the icon; `globalPos` is the point the host gives (desktop pixels).
    void clicked(const QPoint &globalPos);

protected:
    TrayIcon() = default;
    enum class Change { pictures, toolTip, menu };
    /// Passes a change on to the tray.
    virtual void presented(Change change) = 0;

private:
    QList<QImage> m_pictures;
    QString m_toolTip;
    std::shared_ptr<Menu> m_menu;
};

} // namespace platform::ui
