#pragma once

#include "quenby/page.h"

class QLabel;
class QPushButton;

namespace quenby {

/// Presents Sentrel, whose battery lists add further devices, with a button to its download page.
class MoreDevicesViewController final : public Page {
    Q_OBJECT
public:
    explicit MoreDevicesViewController(QWidget *parent = nullptr);
    ~MoreDevicesViewController() override;

    QPushButton *openButton() const { return m_openButton; }
    void openClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void paintSymbol();

    QPushButton *m_openButton = nullptr;
    QLabel *m_symbol = nullptr;
};

} // namespace quenby
