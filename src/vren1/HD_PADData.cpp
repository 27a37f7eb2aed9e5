#include "vren1/HD_PADData.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "widgets/FixedFont.h"
#include "widgets/SetIfChanged.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

struct TPadField
{
    const char* caption;
    const char* name;
};

constexpr TPadField HeaderFields[7] = {
    {"Port ID:", "LPort_ID"},
    {"Service ID:", "LService_ID"},
    {"Session Type:", "LSession_Type"},
    {"Num Packets Avail:", "LNum_Pack_Avail"},
    {"Packet Length:", "LPacket_Length"},
    {"Sequence Number:", "LSequence_Number"},
    {"Overflow Status", "LOverflow_Status"},
};

constexpr TPadField DataFields[5] = {
    {"Title:", "LTitle"}, {"Artist:", "LArtist"},   {"Album:", "LAlbum"},
    {"Genre:", "LGenre"}, {"Comment:", "LComment"},
};

const QColor HighlightColor(0, 0, 255);

} // namespace

THDPADData::THDPADData(const TChildWindowArgs& args)
    : TInstrumentChildWindow(args, Kind, UM_HD_REFRESH)
{
    setDesignedName(WindowToken::HdPadData, " Vren-1 PAD Data");
    auto* layout = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    layout->addWidget(PageControl1);
    const QFont fixed = FixedPitchBoldFont(12);
    for (int n = 1; n <= 8; ++n) {
        auto* sheet = new QWidget(PageControl1);
        sheet->setObjectName("HD" + QString::number(n));
        auto* sheetLayout = new QVBoxLayout(sheet);
        auto addGroup = [&](const QString& title, const TPadField* fields, int count, int first) {
            auto* box = new QGroupBox(title, sheet);
            auto* grid = new QGridLayout(box);
            for (int k = 0; k < count; ++k) {
                grid->addWidget(new QLabel(fields[k].caption, box), k, 0);
                auto* value = new QLabel(box);
                value->setObjectName(fields[k].name + QString::number(n));
                value->setTextFormat(Qt::PlainText);
                value->setFont(fixed);
                value->setMinimumWidth(60);
                grid->addWidget(value, k, 1);
                Values[size_t(n - 1)][size_t(first + k)] = value;
            }
            grid->setColumnStretch(1, 1);
            sheetLayout->addWidget(box);
        };
        addGroup(" Header Information ", HeaderFields, 7, 0);
        addGroup(" Data ", DataFields, 5, 7);
        PageControl1->addTab(sheet, "HD " + QString::number(n));
    }
    // Wide enough that all eight tabs show, none behind the scroll buttons.
    resize(qMax(420, PageControl1->tabBar()->sizeHint().width() + 24), 460);
    RefreshWindow(0);
}

void THDPADData::RefreshWindow(qintptr)
{
    const TFrame2* f = frame();
    if (!f)
        return;
    const THdServiceRec& s = f->HdService;
    QTabBar* bar = PageControl1->tabBar();
    for (int n = 1; n <= 8; ++n) {
        const size_t i = size_t(n);
        const bool present = (s.ProgramsMask[0] >> (n - 1)) & 1;
        QString t[FieldCount];
        if (present) {
            t[0] = IntField(s.PadPortId[i], 1);
            t[1] = "0x" + ByteToHex2(quint8(s.PadServiceId[i]));
            t[2] = IntField(s.PadSessionType[i], 2);
            t[3] = IntField(s.PadPacketsAvail[i], 5);
            t[4] = IntField(s.PadPacketLength[i], 5);
            t[5] = IntField(s.PadSequenceNumber[i], 5);
            t[6] = IntField(s.PadOverflowStatus[i], 1);
            t[7] = s.PadTitle[i];
            t[8] = s.PadArtist[i];
            t[9] = s.PadAlbum[i];
            t[10] = s.PadGenre[i];
            t[11] = s.PadComment[i];
        } else {
            const int widths[7] = {1, 2, 2, 5, 5, 5, 1};
            for (int k = 0; k < 7; ++k)
                t[k] = QString(widths[k], ' ');
        }
        for (int k = 0; k < FieldCount; ++k)
            setTextIfChanged(Values[i - 1][size_t(k)], t[k]);
        const QColor colour = present ? HighlightColor : bar->palette().color(QPalette::WindowText);
        setIfChanged(
            colour, [&] { return bar->tabTextColor(n - 1); },
            [&](const QColor& c) { bar->setTabTextColor(n - 1, c); });
    }
}
