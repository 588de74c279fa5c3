#include "quenby/sidebarviewcontroller.h"

#include "localization_p.h"
#include "quenby/icontroller.h"
#include "quenby/sidebardelegate.h"
#include "symbolpixmap_p.h"

#include <ammerl/internalfinder.h>
#include <dorsk/sentrel.h>
#include <tavrin/images.h>

#include <QEvent>
#include <QHeaderView>
#include <QPixmap>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quenby {

namespace {

    QIcon iconOf(const std::optional<platform::ui::Image> &image, const QColor &ink)
    {
        if (!image)
            return {};
        const QPixmap pixmap = symbolPixmap(*image, 18, ink);
        return pixmap.isNull() ? QIcon() : QIcon(pixmap);
    }

    // Every row, header or item, is the same height. Rows never take the accent of the key window:
    // the selection is drawn in its inactive colours in every state. Taken from the palette at paint
    // time, so a light or dark palette set later on the application applies at once.
    class RowDelegate final : public QStyledItemDelegate {
    public:
        using QStyledItemDelegate::QStyledItemDelegate;
        QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
        {
            return { QStyledItemDelegate::sizeHint(option, index).width(), SideBarViewController::kRowHeight };
        }

    protected:
        void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
        {
            QStyledItemDelegate::initStyleOption(option, index);
            for (const auto role : { QPalette::Highlight, QPalette::HighlightedText })
                option->palette.setColor(QPalette::Active, role, option->palette.color(QPalette::Inactive, role));
        }
    };

} // namespace

SideBarViewController::SideBarViewController(QWidget *parent)
    : QWidget(parent)
    , m_outlineView(new QTreeWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_outlineView);
    m_outlineView->setHeaderHidden(true);
    m_outlineView->setColumnCount(1);
    m_outlineView->setIndentation(12);
    m_outlineView->setIconSize(QSize(18, 18));
    m_outlineView->setSelectionMode(QAbstractItemView::SingleSelection);
    // Group headers stay open: they are headings, not folders.
    m_outlineView->setItemsExpandable(false);
    m_outlineView->setFrameShape(QFrame::NoFrame);
    m_outlineView->setItemDelegate(new RowDelegate(m_outlineView));
    m_outlineView->setUniformRowHeights(true);
    connect(m_outlineView, &QTreeWidget::itemSelectionChanged, this, &SideBarViewController::selectionChanged);
}

SideBarViewController::~SideBarViewController() = default;

void SideBarViewController::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        reload();
}

void SideBarViewController::reload()
{
    auto devices = std::make_shared<olvane::SideBarGroup>(localized(QStringLiteral("DEVICES")));
    devices->addItem(localized(QStringLiteral("MY_DEVICES")), tavrin::Images::symbol(QStringLiteral("keyboard")));
    if (m_controller && m_controller->internalFinder().batteryPresent())
        devices->addItem(
            localized(QStringLiteral("INTERNAL_BATTERY")), tavrin::Images::symbol(QStringLiteral("battery.100")));
    auto other = std::make_shared<olvane::SideBarGroup>(localized(QStringLiteral("OTHER")));
    other->addItem(localized(QStringLiteral("SETTINGS")), tavrin::Images::symbol(QStringLiteral("gear")));
    if (!dorsk::Sentrel::isInstalled())
        other->addItem(localized(QStringLiteral("MORE_DEVICES")), tavrin::Images::symbol(QStringLiteral("airpodsmax")));
    m_groups = { devices, other };

    m_reloading = true;
    m_outlineView->clear();
    QTreeWidgetItem *first = nullptr;
    for (const auto &group : std::as_const(m_groups)) {
        auto *header = new QTreeWidgetItem(m_outlineView, { group->title() });
        header->setFlags(Qt::ItemIsEnabled);
        QFont font = header->font(0);
        font.setBold(true);
        header->setFont(0, font);
        for (const auto &item : group->items()) {
            auto *row = new QTreeWidgetItem(header, { item->title() });
            row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (!first)
                first = row;
        }
    }
    paintIcons();
    m_outlineView->expandAll();
    if (first)
        m_outlineView->setCurrentItem(first);
    m_reloading = false;
}

void SideBarViewController::paintIcons()
{
    const QColor ink = m_outlineView->palette().color(QPalette::Text);
    for (int g = 0; g < m_groups.size() && g < m_outlineView->topLevelItemCount(); ++g) {
        QTreeWidgetItem *header = m_outlineView->topLevelItem(g);
        const auto &items = m_groups[g]->items();
        for (int i = 0; i < int(items.size()) && i < header->childCount(); ++i)
            header->child(i)->setIcon(0, iconOf(items[i]->icon(), ink));
    }
}

void SideBarViewController::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        paintIcons();
}

void SideBarViewController::selectionChanged()
{
    if (m_reloading || !m_delegate)
        return;
    const auto selected = m_outlineView->selectedItems();
    // Group headers cannot be selected; only items (rows with a parent) reach here.
    if (selected.size() == 1 && selected.first()->parent())
        m_delegate->sideBarItemSelected(selected.first()->text(0));
}

} // namespace quenby
