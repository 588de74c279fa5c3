#include "quenby/moredevicesviewcontroller.h"

#include "localization_p.h"

#include <dorsk/sentrel.h>

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenby {

MoreDevicesViewController::MoreDevicesViewController(QWidget *parent)
    : Page(parent)
    , m_openButton(new QPushButton(localized(QStringLiteral("GET_SENTREL")), this))
{
    auto *layout = new QVBoxLayout(this);
    layout->addStretch(1);
    auto *title = new QLabel(localized(QStringLiteral("SENTREL_TITLE")), this);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    auto *text = new QLabel(localized(QStringLiteral("SENTREL_INFO")), this);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    layout->addWidget(m_openButton, 0, Qt::AlignCenter);
    layout->addStretch(1);
    connect(m_openButton, &QPushButton::clicked, this, [this] { openClicked(); });
}

MoreDevicesViewController::~MoreDevicesViewController() = default;

void MoreDevicesViewController::openClicked() { dorsk::Sentrel::openDownloadPage(); }

} // namespace quenby
