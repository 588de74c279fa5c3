#pragma once

#include <QWidget>

namespace quenby {

/// A page of the main window. A page is made once per window and shown again on later visits, so
/// its own state follows showing and hiding, not its life.
class Page : public QWidget {
    Q_OBJECT
public:
    explicit Page(QWidget *parent = nullptr);
    ~Page() override;

protected:
    /// The page is about to be shown (also on each later visit).
    virtual void viewWillAppear();
    /// The page was taken off screen (another page chosen, or the window closed).
    virtual void viewWillDisappear();

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
};

} // namespace quenby
