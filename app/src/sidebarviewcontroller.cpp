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

    // The symbol in the text colour, and in the selection's text colour on the selected row (left to
    // itself, the style would tint the symbol with the selection colour).
    QIcon iconOf(const std::optional<platform::ui::Image> &image, const QColor &ink, const QColor &selectedInk)
    {
        if (!image)
            return {};
        const QPixmap pixmap = symbolPixmap(*image, 18, ink);
        if (pixmap.isNull())
            return {};
        QIcon icon(pixmap);
        icon.addPixmap(symbolPixmap(*image, 18, selectedInk), QIcon::Selected);
        return icon;
    }

    // Rows never take the accent of the key window: the selection is drawn in its inactive colours in
    // every state, on the whole row (the indentation is drawn with the view's options, not the delegate's).
    void neverEmphasised(QPalette &palette)
    {
        for (const auto role : { QPalette::Highlight, QPalette::HighlightedText })
            palette.setColor(QPalette::Active, role, palette.color(QPalette::Inactive, role));
    }

    class Outline final : public QTreeWidget {
    public:
        using QTreeWidget::QTreeWidget;

    protected:
        void initViewItemOption(QStyleOptionViewItem *option) const override
        {
            QTreeWidget::initViewItemOption(option);
            neverEmphasised(option->palette);
        }
    };

    // Every row, header or item, is the same height, with the selection in its inactive colours and no
    // focus frame. Taken from the palette at paint time, so a light or dark palette set later on the
    // application applies at once.
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
            neverEmphasised(option->palette);
            option->state &= ~QStyle::State_HasFocus;
        }
    };

} // namespace

SideBarViewController::SideBarViewController(QWidget *parent)
    : QWidget(parent)
    , m_outlineView(new Outline(this))
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
    m_outlineView->installEventFilter(this);
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

bool SideBarViewController::selectItem(const QString &title)
{
    QTreeWidgetItem *found = nullptr;
    for (int g = 0; g < m_outlineView->topLevelItemCount() && !found; ++g) {
        QTreeWidgetItem *header = m_outlineView->topLevelItem(g);
        for (int i = 0; i < header->childCount() && !found; ++i)
            if (header->child(i)->text(0) == title)
                found = header->child(i);
    }
    const bool wasReloading = std::exchange(m_reloading, true);
    if (found)
        m_outlineView->setCurrentItem(found);
    else
        m_outlineView->clearSelection();
    m_reloading = wasReloading;
    return found;
}

void SideBarViewController::paintIcons()
{
    const QPalette palette = m_outlineView->palette();
    const QColor ink = palette.color(QPalette::Text);
    const QColor selectedInk = palette.color(QPalette::Inactive, QPalette::HighlightedText);
    for (int g = 0; g < m_groups.size() && g < m_outlineView->topLevelItemCount(); ++g) {
        QTreeWidgetItem *header = m_outlineView->topLevelItem(g);
        const auto &items = m_groups[g]->items();
        for (int i = 0; i < int(items.size()) && i < header->childCount(); ++i)
            header->child(i)->setIcon(0, iconOf(items[i]->icon(), ink, selectedInk));
    }
}

bool SideBarViewController::eventFilter(QObject *watched, QEvent *event)
{
    // The list's own change, not this widget's: a new application palette reaches this widget first,
    // while the list still has the old one, and symbols painted then keep the old scheme's colour.
    if (watched == m_outlineView && event->type() == QEvent::PaletteChange)
        paintIcons();
    return QWidget::eventFilter(watched, event);
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
