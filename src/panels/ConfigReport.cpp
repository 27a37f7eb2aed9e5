#include "panels/ConfigReport.h"

#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column
{
    DescriptionColumn = 0,
    UnitColumn = 1,
    LocalColumn = 2,
};

// A list view in report style draws a grid between its cells; a tree widget
// has none, so each cell draws its own right and bottom edge.
class GridDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(p, option, index);
        p->save();
        p->setPen(option.palette.color(QPalette::Mid));
        const QRect r = option.rect;
        p->drawLine(r.topRight(), r.bottomRight());
        p->drawLine(r.bottomLeft(), r.bottomRight());
        p->restore();
    }
};

} // namespace

TConfigReport::TConfigReport(const TChildWindowArgs& args, int kind, int refreshMessage,
                             const QStringList& captions, const QList<bool>& hasValue)
    : TInstrumentChildWindow(args, kind, refreshMessage, TRefreshPolicy::AnyLParam)
    , m_hasValue(hasValue)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName("ListView1");
    ListView1->setColumnCount(3);
    ListView1->setHeaderLabels({"Description", "Unit Data", "Local Data"});
    ListView1->headerItem()->setTextAlignment(UnitColumn, Qt::AlignCenter);
    ListView1->headerItem()->setTextAlignment(LocalColumn, Qt::AlignCenter);
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setItemDelegate(new GridDelegate(ListView1));
    ListView1->header()->setSectionsMovable(false);
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSectionResizeMode(QHeaderView::Interactive);
    layout->addWidget(ListView1, 1);

    QList<QTreeWidgetItem*> items;
    items.reserve(captions.size());
    for (const QString& caption : captions) {
        auto* item = new QTreeWidgetItem(QStringList{caption});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren);
        item->setTextAlignment(UnitColumn, Qt::AlignCenter);
        item->setTextAlignment(LocalColumn, Qt::AlignCenter);
        items << item;
    }
    ListView1->addTopLevelItems(items);
    ListView1->setColumnWidth(DescriptionColumn, 250);
    ListView1->setColumnWidth(UnitColumn, 160);
    ListView1->setColumnWidth(LocalColumn, 160);

    Button1 = new QPushButton("Update Local Config", this);
    Button1->setObjectName("Button1");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    resize(600, 640);
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TConfigReport::setColumn(int column, const QStringList& texts)
{
    const int rows = ListView1->topLevelItemCount();
    for (int i = 0; i < rows; ++i) {
        if (i >= m_hasValue.size() || !m_hasValue[i])
            continue; // headers and blank rows carry no values
        QTreeWidgetItem* item = ListView1->topLevelItem(i);
        const QString& text = i < texts.size() ? texts[i] : QString();
        if (item->text(column) != text)
            item->setText(column, text);
    }
}

void TConfigReport::Refill()
{
    if (!frame() || !recordsChanged())
        return;
    setColumn(UnitColumn, unitColumn());
    setColumn(LocalColumn, localColumn());
}

void TConfigReport::RefreshWindow(qintptr)
{
    Refill();
}
