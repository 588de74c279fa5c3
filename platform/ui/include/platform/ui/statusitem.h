#pragma once

#include <QImage>
#include <QObject>
#include <QPoint>

#include <memory>

namespace platform::ui {

class Menu;
class StatusBar;
class StatusBarButton;

/// One item of a status bar: a button (image, title, hosted views) shown at the item's width × the
/// bar's thickness, optionally with a menu that a click opens.
///
/// Items are made by `StatusBar::statusItem` and shared: the bar shows an item until it is removed
/// with `StatusBar::removeStatusItem` or its last owner lets go of it. A removed item keeps its
/// content but is no longer shown. Main thread only.
class StatusItem : public QObject {
    Q_OBJECT
public:
    /// The length of an item as wide as its button's content.
    static constexpr double variableLength = -1;
    /// The length of an item as wide as the bar is thick.
    static constexpr double squareLength = -2;

    ~StatusItem() override;

    /// The bar showing the item; none once removed.
    StatusBar *statusBar() const { return m_bar; }

    /// The requested length: points, `variableLength` or `squareLength`.
    double length() const { return m_length; }
    void setLength(double length);
    /// The width the item takes in the bar, in points.
    double width() const;

    /// Whether the item is shown in the bar (items start visible).
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

    /// Never none; the item owns it.
    StatusBarButton *button() const { return m_button.get(); }

    std::shared_ptr<Menu> menu() const { return m_menu; }
    void setMenu(std::shared_ptr<Menu> menu);

    /// The button's content rendered at width × thickness, `scale` device pixels per point (the
    /// image's device-pixel ratio). An item of no width gives a null image.
    QImage picture(double scale = 1.0) const;
    /// The item as a tray shows it: a square as wide as the bar is thick, `scale` device pixels per
    /// point. A picture that fits the square is centred in it; a
    /// wider one gives way to the rendition of the first hosted view that has one (TrayRendition);
    /// without such a view the picture is scaled into the square. An item of no width gives a null
    /// image.
    ///
    /// Drawn for the bar's panel appearance when the host told it (`StatusBar::panelAppearance`).
    /// Otherwise trays give no sign whether their panel is dark or light, whatever the colour scheme
    /// (a dark top bar under a light scheme is common), so the picture lies on a plate of its own in
    /// the colour of a panel of its appearance (kDarkTrayPlate, kLightTrayPlate), from top to bottom
    /// and kTrayPlateMargin short of the left and right edges: it reads on a dark and on a light panel.
    QImage trayPicture(double scale = 1.0) const;
    static constexpr QRgb kDarkTrayPlate = 0xff202020;
    static constexpr QRgb kLightTrayPlate = 0xfff0f0f0;
    /// In points.
    static constexpr double kTrayPlateMargin = 1;
    static constexpr double kTrayPlateRadius = 4;
    /// How much wider than the square a picture may be and still be shown as it is (centred, its
    /// edges cut), in points: none, a cut-off picture reads worse than a rendition.
    static constexpr double kTraySlack = 0;

    /// The text a tray shows over the item: the one set, else the lines of its hosted renditions
    /// (TrayRendition), else the button's title.
    QString toolTip() const;
    /// Empty gives the hosted views' text back.
    void setToolTip(const QString &toolTip);

    /// A click on the item at `globalPos` (desktop pixels): pops up its menu there, or without a
    /// menu sends the button's action.
    void click(const QPoint &globalPos);

signals:
    /// The picture differs: the content redrew, or the width or thickness changed. Emitted once from
    /// the event loop for any number of changes in between.
    void pictureChanged();
    void visibilityChanged(bool visible);
    void menuChanged();

private:
    friend class StatusBar;
    StatusItem(StatusBar *bar, double length);
    void schedulePictureChanged();
    void fitButton();

    StatusBar *m_bar;
    double m_length;
    bool m_visible = true;
    std::unique_ptr<StatusBarButton> m_button;
    std::shared_ptr<Menu> m_menu;
    QString m_toolTip;
    bool m_pictureScheduled = false;
};

} // namespace platform::ui
