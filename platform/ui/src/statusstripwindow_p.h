#pragma once

#include <QList>
#include <QPointer>
#include <QRect>
#include <QSet>
#include <QWidget>

namespace platform::ui {

class StatusBar;
class StatusItem;

/// The window of a StripStatusBarPresenter.
class StatusStripWindow : public QWidget {
    Q_OBJECT
public:
    explicit StatusStripWindow(StatusBar &bar);

    QRect itemRect(const StatusItem *item) const;
    void relayout();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void follow(StatusItem *item);
    void scheduleRelayout();

    StatusBar &m_bar;
    QList<QPair<QPointer<StatusItem>, QRect>> m_cells;
    QSet<const StatusItem *> m_followed;
    bool m_relayoutScheduled = false;
};

} // namespace platform::ui
