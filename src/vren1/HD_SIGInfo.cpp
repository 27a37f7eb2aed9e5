#include "vren1/HD_SIGInfo.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "widgets/ReportList.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString hex2(quint32 v)
{
    return ByteToHex2(quint8(v));
}

} // namespace

THDSIGInfo::THDSIGInfo(const TChildWindowArgs& args)
    : TInstrumentChildWindow(args, Kind, UM_HD_REFRESH)
{
    setFixedName(WindowToken::HdSigInfo, "SIG Information");
    auto* layout = new QVBoxLayout(this);
    ListView1 = makeReportList(this, "ListView1",
                               {"Service # ", "Priority", "Seq #", "Status", "RX Time(AFLN)",
                                "Provider Text Encode", "Provider Name Len", "Provider Name",
                                "Service Text Encode", "Service Name Len ", "Service Name"});
    ListView1->headerItem()->setTextAlignment(1, Qt::AlignCenter);
    ListView2 = makeReportList(this, "ListView2",
                               {"Service ", "Type", "Prog/Port #", "Prog/Data Type", "Processsing",
                                "Priority", "Access Rights", "MIME HASH", "HASH Type", "ID Length",
                                "ID Provider", "Service ID", "Expanded Service ID"});
    // Room for a service's name with its number, which leads each block of rows.
    ListView2->header()->resizeSection(
        1, ListView2->fontMetrics().horizontalAdvance("Service Name:0000") + 16);
    layout->addWidget(ListView1, 1);
    layout->addWidget(ListView2, 2);
    resize(900, 500);
}

void THDSIGInfo::showEvent(QShowEvent* e)
{
    TInstrumentChildWindow::showEvent(e);
    if (TFrame2* f = frame())
        f->SigData.Changed = true;
}

void THDSIGInfo::RefreshWindow(qintptr)
{
    TFrame2* f = frame();
    if (!f || !f->SigData.Changed)
        return;
    f->SigData.Changed = false;
    Services = ParseSig(f->SigData.SigBytes);
    if (Services.empty()) {
        ListView1->clear();
        ListView2->clear();
        return;
    }
    for (const SigService& s : Services)
        if (s.Status >= 2) {
            rebuild();
            return;
        }
}

void THDSIGInfo::rebuild()
{
    // Rows that read as before are left alone: a guide sent again with one
    // service changed repaints that service's rows.
    QList<QStringList> services, components;
    for (const SigService& s : Services) {
        services.append({Hex4(s.Number), hex2(s.Priority), Hex4(s.Sequence), hex2(s.Status),
                         Hex8(s.ReceiveTime), hex2(s.ProviderEncoding),
                         hex2(s.ProviderNameLength), s.ProviderName, hex2(s.ServiceEncoding),
                         hex2(s.ServiceNameLength), s.ServiceName});
        const QString service =
            (s.ServiceName.isEmpty() ? QString() : s.ServiceName + ":") + Hex4(s.Number);
        for (const SigComponent& c : s.Components) {
            QString further;
            if (c.IdLength >= 10)
                for (char b : c.FurtherId)
                    further += hex2(quint8(b));
            components.append({service, hex2(c.Type), Hex4(c.ProgPort), Hex4(c.ProgDataType),
                               hex2(c.Processing), hex2(c.Priority), hex2(c.AccessRights),
                               Hex8(c.MimeHash), SigHashName(c.MimeHash), hex2(c.IdLength),
                               Hex8(c.IdProvider), Hex8(c.ServiceId), further});
        }
        components.append(QStringList());
    }
    setReportRows(ListView1, services);
    setReportRows(ListView2, components);
}
