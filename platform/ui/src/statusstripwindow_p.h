#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QSet>
#include <QWidget>

#include <optional>

namespace platform::ui {

class StatusBar;
class StatusItem;

/// The window of a StripStatusBarPresenter. On X11 it is a dock window with a strut along the top
/// edge, so that window managers keep other windows out from under it.
class StatusStripWindow : public QWidget {
    Q_OBJECT
public:
    explicit StatusStripWindow(StatusBar &bar);

    QRect itemRect(const StatusItem *item) const;
    void relayout();
    /// How many times the window was asked to repaint because a picture changed.
    int pictureUpdates() const { return m_pictureUpdates; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void follow(StatusItem *item);
    void scheduleRelayout();
    void pictureChanged(StatusItem *item);
    void markAsDock();

    StatusBar &m_bar;
    QList<QPair<QPointer<StatusItem>, QRect>> m_cells;
    QSet<const StatusItem *> m_followed;
    QHash<const StatusItem *, QImage> m_pictures;
    std::optional<int> m_top;
    bool m_relayoutScheduled = false;
    int m_pictureUpdates = 0;
};

} // namespace platform::ui
