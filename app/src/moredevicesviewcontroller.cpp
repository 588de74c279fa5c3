#include "quenby/moredevicesviewcontroller.h"

#include "localization_p.h"
#include "symbolpixmap_p.h"

#include <dorsk/sentrel.h>
#include <tavrin/images.h>

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenby {

namespace {

    // A column of readable width in the middle of the page, however wide the window is.
    constexpr int kColumnWidth = 400;
    constexpr int kSymbolSide = 72;

} // namespace

MoreDevicesViewController::MoreDevicesViewController(QWidget *parent)
    : Page(parent)
    , m_openButton(new QPushButton(localized(QStringLiteral("GET_SENTREL")), this))
{
    auto *outer = new QHBoxLayout(this);
    auto *column = new QVBoxLayout;
    outer->addStretch(1);
    outer->addLayout(column);
    outer->addStretch(1);

    auto *title = new QLabel(localized(QStringLiteral("SENTREL_TITLE")), this);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.5);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    title->setWordWrap(true);
    auto *text = new QLabel(localized(QStringLiteral("SENTREL_INFO")), this);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    text->setForegroundRole(QPalette::PlaceholderText);
    for (QLabel *label : { title, text })
        label->setFixedWidth(kColumnWidth);

    column->addStretch(1);
    m_symbol = new QLabel(this);
    m_symbol->setAlignment(Qt::AlignCenter);
    paintSymbol();
    column->addWidget(m_symbol);
    column->addSpacing(16);
    column->addWidget(title);
    column->addSpacing(8);
    column->addWidget(text);
    column->addSpacing(24);
    m_openButton->setDefault(true);
    m_openButton->setMinimumWidth(160);
    column->addWidget(m_openButton, 0, Qt::AlignHCenter);
    column->addStretch(1);
    connect(m_openButton, &QPushButton::clicked, this, [this] { openClicked(); });
}

MoreDevicesViewController::~MoreDevicesViewController() = default;

void MoreDevicesViewController::paintSymbol()
{
    m_symbol->setPixmap(symbolPixmap(
        tavrin::Images::symbol(QStringLiteral("airpodsmax")), kSymbolSide, palette().color(QPalette::WindowText)));
}

void MoreDevicesViewController::changeEvent(QEvent *event)
{
    Page::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        paintSymbol();
}

void MoreDevicesViewController::openClicked() { dorsk::Sentrel::openDownloadPage(); }

} // namespace quenby
