#include "vren1/HD_AEEventLog.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "protocol/hd/HdSig.h"
#include "widgets/ReportList.h"
#include "widgets/SetIfChanged.h"

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString hex2(qint64 v)
{
    return ByteToHex2(quint8(v));
}

QString hex4(qint64 v)
{
    return Hex4(quint32(v) & 0xFFFFu);
}

} // namespace

TAEEventLog::TAEEventLog(const TChildWindowArgs& args)
    : TInstrumentChildWindow(args, Kind, UM_HD_REFRESH)
{
    setFixedName(WindowToken::HdAeEventLog, "LOT Event Log");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    auto* p1 = new QVBoxLayout(Panel1);
    ListView1 = makeReportList(Panel1, "ListView1",
                               {"Date:Time ", "Event", "Program", "Type", "Port", "LOT ID", "Size",
                                "Checksum", "Filename"});
    // The date and the event read whole; the file name takes what is left.
    const QFontMetrics metrics = ListView1->fontMetrics();
    ListView1->header()->resizeSection(1, metrics.horizontalAdvance("00/00/0000 00:00:00") + 16);
    ListView1->header()->resizeSection(2, metrics.horizontalAdvance("Received Complete Object") + 16);
    ListView1->header()->setStretchLastSection(true);
    p1->addWidget(ListView1);
    layout->addWidget(Panel1, 1);

    Panel2 = new QWidget(this);
    Panel2->setObjectName("Panel2");
    auto* p2 = new QGridLayout(Panel2);
    const char* labels[4] = {
        "LOT VAL = ", "LOT Count = ", "LOTs Enabled = ", "LOTs All Enabled = "};
    auto* labelColumn = new QVBoxLayout;
    for (int k = 0; k < 4; ++k) {
        auto* l = new QLabel(labels[k], Panel2);
        l->setObjectName("Label" + QString::number(k + 1));
        l->setTextFormat(Qt::PlainText);
        labelColumn->addWidget(l);
        Labels[size_t(k)] = l;
    }
    labelColumn->addStretch();
    p2->addLayout(labelColumn, 0, 0);
    const QStringList columns[5] = {
        {"Service", "Port", "Program Num", "Type", "Enabled"},
        {"Service", "Program Num", "List Available", "Count"},
        {"Name", "Port", "ID", "Available", "Read"},
        {"Program Num", "MIME Hash", "Param ID", "LOT ID"},
        {"Price", "Valid Until", "Contact URL", "RxAs", "Name Seller", "Description"},
    };
    for (int k = 0; k < 5; ++k) {
        Diagnostics[size_t(k)] =
            makeReportList(Panel2, "ListView" + QString::number(k + 3), columns[k]);
        p2->addWidget(Diagnostics[size_t(k)], k < 2 ? 0 : 1, k < 2 ? k + 1 : k - 2);
    }
    layout->addWidget(Panel2);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    ClearEventLog1 = PopupMenu1->addAction("Clear Event Log");
    ClearEventLog1->setObjectName("ClearEventLog1");
    Diagnostics1 = PopupMenu1->addAction("Diagnostics");
    Diagnostics1->setObjectName("Diagnostics1");
    connect(ClearEventLog1, &QAction::triggered, this, &TAEEventLog::ClearEventLogClick);
    connect(Diagnostics1, &QAction::triggered, this, &TAEEventLog::DiagnosticsClick);

    resize(900, PlainHeight);
    plainLayout();
    RefreshWindow(0);
    // The diagnostics hold short hexadecimal texts of fixed width: columns
    // fitted to them once leave every column of the narrow lists in view.
    for (QTreeWidget* list : Diagnostics)
        for (int c = 1; c < list->columnCount(); ++c)
            list->resizeColumnToContents(c);
}

void TAEEventLog::plainLayout()
{
    Panel2->setFixedHeight(1);
    Panel2->hide();
    resize(width(), PlainHeight);
    layout()->activate();
    DiagnosticsShown = false;
}

void TAEEventLog::showEvent(QShowEvent* e)
{
    TInstrumentChildWindow::showEvent(e);
    if (e->spontaneous())
        return;
    plainLayout();
    if (TFrame2* f = frame())
        f->AEEventList.Changed = true;
}

void TAEEventLog::contextMenuEvent(QContextMenuEvent* e)
{
    PopupMenu1->popup(e->globalPos());
}

void TAEEventLog::DiagnosticsClick()
{
    if (DiagnosticsShown) {
        plainLayout();
        return;
    }
    DiagnosticsShown = true;
    resize(width(), DiagnosticsHeight);
    Panel2->setFixedHeight(Panel2Height);
    Panel2->show();
    layout()->activate();
}

void TAEEventLog::ClearEventLogClick()
{
    if (TFrame2* f = frame()) {
        f->AEEventList.ClearEvents();
        f->AEEventList.Changed = true;
    }
}

void TAEEventLog::rebuildEvents()
{
    TFrame2* f = frame();
    QStringList& events = f->AEEventList.Events;
    while (events.size() > ShownEvents)
        events.removeLast();
    QList<QStringList> rows;
    rows.reserve(events.size());
    for (const QString& line : events) {
        const auto fields = SplitLotLine(line);
        rows.append(QStringList(fields.begin(), fields.end()));
    }
    ListView1->setUpdatesEnabled(false);
    setReportRows(ListView1, rows);
    ListView1->setUpdatesEnabled(true);
}

void TAEEventLog::RefreshWindow(qintptr)
{
    TFrame2* f = frame();
    if (!f)
        return;
    if (f->AEEventList.Changed) {
        f->AEEventList.Changed = false;
        rebuildEvents();
    }
    const THD_SIG_Data& sig = f->SigData;
    auto e = [&](int i) { return qint64(sig.GetSigValue(i)); };
    const char* labels[4] = {
        "LOT VAL = ", "LOT Count = ", "LOTs Enabled = ", "LOTs All Enabled = "};
    for (int k = 0; k < 4; ++k)
        setTextIfChanged(Labels[size_t(k)], labels[k] + QString::number(e(k)));

    QList<QStringList> services;
    for (int r = 0; r < 8; ++r) {
        const int b = 4 + 8 * r;
        services.append({hex4(e(b) * 256 + e(b + 1)), hex4(e(b + 2) * 256 + e(b + 3)),
                         hex4(e(b + 4) * 256 + e(b + 5)), hex2(e(b + 6)), hex2(e(b + 7))});
    }
    setReportRows(Diagnostics[0], services);

    QList<QStringList> lists, objects;
    const char* names[3] = {"Logo", "Primary", "Pending"};
    for (int g = 0; g < 4; ++g) {
        const int b = 68 + 24 * g;
        lists.append({hex4(e(b) * 256 + e(b + 1)), hex4(e(b + 2) * 256 + e(b + 3)),
                      QString::number(e(b + 4)), QString::number(e(b + 5))});
        for (int o = 0; o < 3; ++o) {
            const int c = b + 6 + 6 * o;
            objects.append({names[o], hex4(e(c) * 256 + e(c + 1)), hex4(e(c + 2) * 256 + e(c + 3)),
                            hex2(e(c + 4)), hex2(e(c + 5))});
        }
        objects.append(QStringList());
    }
    setReportRows(Diagnostics[1], lists);
    setReportRows(Diagnostics[2], objects);

    QList<QStringList> xhdr;
    for (int i = 0; i < HdProgramCount; ++i)
        xhdr.append({hex2(i), Hex8(quint32(f->XhdrData.GetMimeHash(i))),
                     hex2(f->XhdrData.GetParamId(i)), hex4(f->XhdrData.GetLotId(i))});
    setReportRows(Diagnostics[3], xhdr);

    QList<QStringList> comr;
    const THD_COMR_Data& c = f->ComrData;
    for (int n = 1; n <= HdProgramCount; ++n)
        comr.append({c.GetPrice(n), c.GetValidUntil(n), c.GetContactUrl(n),
                     hex2(c.GetReceivedAs(n)), c.GetSellerName(n), c.GetDescription(n)});
    setReportRows(Diagnostics[4], comr);
}
