#pragma once

#include <platform/ui/view.h>

#include <QResizeEvent>
#include <QWidget>

namespace quenby {

/// Puts a drawn view into a widget layout: the view always fills this widget.
template <typename V> class ViewHost final : public QWidget {
public:
    explicit ViewHost(QWidget *parent = nullptr)
        : QWidget(parent)
        , m_view(new V(platform::ui::Rect(), this))
    {
    }
    V *view() const { return m_view; }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QWidget::resizeEvent(event);
        m_view->setFrame(platform::ui::Rect(0, 0, width(), height()));
    }

private:
    V *m_view;
};

} // namespace quenby
