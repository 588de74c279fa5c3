// Shows the plain list views, scroll views and text-field cells on a gradient window, each with a
// caption, to look at them on a desktop: "listsdemo [dark] [seconds]" quits after the seconds given.

#include "pirrow/centeredtextcell.h"
#include "pirrow/colorview.h"
#include "pirrow/disabledscrollview.h"
#include "pirrow/gradients.h"
#include "pirrow/gradientview.h"
#include "pirrow/nobackgroundcollectionview.h"
#include "pirrow/nobackgroundoutlineview.h"
#include "pirrow/nobackgroundscrollview.h"
#include "pirrow/nobackgroundtableview.h"
#include "pirrow/nodividersplitview.h"
#include "pirrow/noninteractivetableview.h"
#include "pirrow/searchtextfieldcell.h"
#include "pirrow/singlelinesecuretextfieldcell.h"
#include "pirrow/singlelinetextfieldcell.h"

#include <platform/ui/systemappearance.h>
#include <platform/ui/textfield.h>

#include <QApplication>
#include <QTimer>

using namespace platform::ui;
using namespace pirrow;

namespace {

struct Devices : TableViewDataSource {
    QStringList names { QStringLiteral("Magic Keyboard"), QStringLiteral("MX Master 3"), QStringLiteral("Trackpad"),
        QStringLiteral("Headphones"), QStringLiteral("Game controller"), QStringLiteral("Pen") };
    QList<int> levels { 92, 41, 77, 15, 63, 100 };
    int numberOfRows(TableView &) override { return int(names.size()); }
    QVariant objectValue(TableView &, const TableColumn &column, int row) override
    {
        if (column.identifier() == QLatin1String("name"))
            return names.at(row);
        return QStringLiteral("%1 %").arg(levels.at(row));
    }
};

struct Tree : OutlineViewDataSource {
    QStringList children(const QVariant &item) const
    {
        if (!item.isValid())
            return { QStringLiteral("Bluetooth"), QStringLiteral("USB"), QStringLiteral("Internal") };
        if (item.toString() == QLatin1String("Bluetooth"))
            return { QStringLiteral("Keyboard"), QStringLiteral("Mouse"), QStringLiteral("Headphones") };
        if (item.toString() == QLatin1String("Headphones"))
            return { QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Case") };
        return {};
    }
    int numberOfChildren(OutlineView &, const QVariant &item) override { return int(children(item).size()); }
    QVariant child(OutlineView &, int index, const QVariant &item) override { return children(item).at(index); }
    bool isItemExpandable(OutlineView &, const QVariant &item) override { return !children(item).isEmpty(); }
    QVariant objectValue(OutlineView &, const TableColumn &, const QVariant &item) override { return item; }
};

struct Swatches : CollectionViewDataSource {
    int numberOfItems(CollectionView &) override { return 7; }
    View *itemView(CollectionView &, int index) override
    {
        static const QList<Color> colours { Color::systemRed(), Color::systemOrange(), Color::systemYellow(),
            Color::systemGreen(), Color::systemTeal(), Color::systemBlue(), Color::systemPurple() };
        auto *v = new ColorView(Rect());
        v->setColor(colours.at(index % colours.size()));
        return v;
    }
};

TextField *caption(View *root, const QString &text, Point at)
{
    auto *label = TextField::labelWithString(text);
    label->setFont(Font::systemFont(11, FontWeight::semibold));
    label->setFrameSize(label->fittingSize());
    label->setFrameOrigin(at);
    root->addSubview(label);
    return label;
}

std::shared_ptr<TableColumn> column(const QString &id, const QString &title, double width)
{
    auto c = std::make_shared<TableColumn>(id);
    c->setTitle(title);
    c->setWidth(width);
    return c;
}

TextField *field(View *root, std::shared_ptr<TextFieldCell> cell, const Rect &frame, const QString &text)
{
    auto *f = new TextField(frame);
    f->setCell(std::move(cell));
    f->setStringValue(text);
    f->setEditable(true);
    root->addSubview(f);
    return f;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.contains(QStringLiteral("dark")))
        SystemAppearance::instance().setForced(Appearance::darkAqua());
    else
        SystemAppearance::instance().setForced(Appearance::aqua());

    auto devices = std::make_shared<Devices>();
    auto tree = std::make_shared<Tree>();
    auto swatches = std::make_shared<Swatches>();

    auto *root = new GradientView(Rect(0, 0, 960, 720));
    root->setCornerRadius(0);
    // A light tint for the light appearance, a deep one for the dark, as a window would have.
    const bool dark = args.contains(QStringLiteral("dark"));
    root->setColors(dark ? Gradients::plumToRaspberry().mColors : Gradients::pastel().mColors);

    // Top row: a plain table for comparison, the no-background table, the window-dragging table.
    const double top = 720 - 40;
    caption(root, QStringLiteral("Plain table (platform)"), { 20, top });
    auto *plainScroll = new ScrollView(Rect(20, top - 190, 280, 185));
    root->addSubview(plainScroll);
    auto *plainTable = new TableView;
    plainScroll->setDocumentView(plainTable);
    plainTable->addTableColumn(column(QStringLiteral("name"), QStringLiteral("Device"), 170));
    plainTable->addTableColumn(column(QStringLiteral("level"), QStringLiteral("Charge"), 80));
    plainTable->setUsesAlternatingRowBackgroundColors(true);
    plainTable->setDataSource(devices);
    plainTable->selectRowIndexes({ 1 }, false);

    caption(root, QStringLiteral("NoBackgroundTableView"), { 330, top });
    auto *clearScroll = new ScrollView(Rect(330, top - 190, 280, 185));
    root->addSubview(clearScroll);
    auto *clearTable = new NoBackgroundTableView;
    clearScroll->setDocumentView(clearTable);
    clearTable->removeBackground(); // now that it has a scroll view
    clearTable->addTableColumn(column(QStringLiteral("name"), QStringLiteral("Device"), 170));
    clearTable->addTableColumn(column(QStringLiteral("level"), QStringLiteral("Charge"), 80));
    clearTable->setDataSource(devices);
    clearTable->selectRowIndexes({ 2 }, false);

    caption(root, QStringLiteral("NonInteractiveTableView (drags the window)"), { 640, top });
    auto *dragScroll = new NoBackgroundScrollView(Rect(640, top - 190, 300, 185));
    root->addSubview(dragScroll);
    auto *dragTable = new NonInteractiveTableView;
    dragScroll->setDocumentView(dragTable);
    dragTable->setBackgroundColor(Color::clear());
    dragTable->setHeaderView(nullptr);
    dragTable->addTableColumn(column(QStringLiteral("name"), QString(), 200));
    dragTable->addTableColumn(column(QStringLiteral("level"), QString(), 80));
    dragTable->setDataSource(devices);

    // Middle row: outline, collection, disabled scroll view.
    const double mid = top - 225;
    caption(root, QStringLiteral("NoBackgroundOutlineView"), { 20, mid });
    auto *outlineScroll = new ScrollView(Rect(20, mid - 190, 280, 185));
    root->addSubview(outlineScroll);
    auto *outline = new NoBackgroundOutlineView;
    outlineScroll->setDocumentView(outline);
    outline->removeBackground();
    outline->setHeaderView(nullptr);
    outline->addTableColumn(column(QStringLiteral("name"), QString(), 260));
    outline->setOutlineDataSource(tree);
    outline->expandItem(QStringLiteral("Bluetooth"));
    outline->expandItem(QStringLiteral("Headphones"));

    caption(root, QStringLiteral("NoBackgroundCollectionView"), { 330, mid });
    auto *collectionScroll = new ScrollView(Rect(330, mid - 190, 280, 185));
    root->addSubview(collectionScroll);
    auto *collection = new NoBackgroundCollectionView;
    collectionScroll->setDocumentView(collection);
    collection->removeBackground();
    collection->setItemSize({ 56, 24 });
    collection->setDataSource(swatches);

    caption(root, QStringLiteral("DisabledScrollView (does not scroll)"), { 640, mid });
    auto *disabled = new DisabledScrollView(Rect(640, mid - 190, 300, 185));
    root->addSubview(disabled);
    auto *longTable = new TableView;
    disabled->setDocumentView(longTable);
    longTable->addTableColumn(column(QStringLiteral("name"), QStringLiteral("Device"), 200));
    longTable->addTableColumn(column(QStringLiteral("level"), QStringLiteral("Charge"), 80));
    longTable->setDataSource(devices);

    // Bottom row: the cells, and the split view without divider.
    const double low = mid - 230;
    caption(root, QStringLiteral("SingleLineTextFieldCell"), { 20, low });
    field(root, std::make_shared<SingleLineTextFieldCell>(), Rect(20, low - 30, 200, 22), QStringLiteral("Magic Mouse"));
    caption(root, QStringLiteral("SingleLineSecureTextFieldCell"), { 20, low - 60 });
    field(root, std::make_shared<SingleLineSecureTextFieldCell>(), Rect(20, low - 90, 200, 22),
        QStringLiteral("secret"));
    caption(root, QStringLiteral("SearchTextFieldCell"), { 250, low });
    field(root, std::make_shared<SearchTextFieldCell>(), Rect(250, low - 30, 200, 22), QString());
    field(root, std::make_shared<SearchTextFieldCell>(), Rect(250, low - 60, 200, 22), QStringLiteral("mouse"));
    caption(root, QStringLiteral("CenteredTextCell (in a 40-point field)"), { 250, low - 90 });
    auto centered = std::make_shared<CenteredTextCell>();
    centered->setDrawsBackground(true);
    field(root, centered, Rect(250, low - 140, 200, 40), QStringLiteral("Centred"));

    caption(root, QStringLiteral("NoDividerSplitView"), { 500, low });
    auto *split = new NoDividerSplitView(Rect(500, low - 140, 440, 130));
    root->addSubview(split);
    auto *left = new ColorView(Rect(0, 0, 200, 130));
    left->setColor(Color::systemBlue());
    auto *right = new ColorView(Rect(0, 0, 200, 130));
    right->setColor(Color::systemPink());
    split->addSubview(left);
    split->addSubview(right);

    root->setWindowTitle(QStringLiteral("Plain list views"));
    root->show();

    bool ok = false;
    const double seconds = args.size() > 1 ? args.last().toDouble(&ok) : 0;
    if (ok && seconds > 0)
        QTimer::singleShot(int(seconds * 1000), &app, &QApplication::quit);
    return app.exec();
}
