// The cost of the HD data-service windows' work at the block rate: a raw-data
// refresh of a whole 2737-byte block whose bytes all change, a SIG parse with
// the rebuild of both lists for 8 services of 8 components, and the LOT list's
// rebuild of 500 lines (which runs only when the list changed).

#include "BenchSupport.h"
#include "common/Enums.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "vren1/HD_AEEventLog.h"
#include "vren1/HD_RawData.h"
#include "vren1/HD_SIGInfo.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

struct TSetup
{
    TSetup()
    {
        frame.RackCaption = "Rack B";
        panel.setObjectName("Rack1_VREN1");
    }
    TChildWindowArgs args(int index)
    {
        return {&panel, &frame, QPointer<QObject>(&panel), pfVren1, 0, index};
    }
    TFrame2 frame{"Connect1"};
    QWidget panel;
};

void refresh(QWidget* w)
{
    PostMessage(QPointer<QObject>(w), UM_HD_REFRESH);
    QCoreApplication::sendPostedEvents(w);
}

void BM_HdRawDataRefresh(benchmark::State& state)
{
    TSetup s;
    QByteArray block(2737, '\0');
    s.frame.BlockSlots[CurrentHdBlockSlot] = block;
    auto w = std::make_unique<THDRawData>(s.args(0));
    int i = 0;
    for (auto _ : state) {
        ++i;
        for (qsizetype k = 0; k < block.size(); ++k)
            block[k] = char((k + i) & 0xFF);
        s.frame.BlockSlots[CurrentHdBlockSlot] = block;
        refresh(w.get());
    }
}

void BM_HdSigParseAndRebuild(benchmark::State& state)
{
    TSetup s;
    // 8 services of 8 components, each named, status 2.
    QByteArray m;
    m.append(char(0));
    m.append(char(8));
    for (int n = 0; n < 8; ++n) {
        m.append(char(n));
        m.append(char(0));
        m.append(QByteArray(3, '\1'));
        m.append(char(2));
        m.append(QByteArray(5, '\3'));
        m.append(char(4));
        m.append("Prov");
        m.append(char(0));
        m.append(char(4));
        m.append("Serv");
        m.append(char(8));
        for (int k = 0; k < 8; ++k) {
            QByteArray c(22, char(k));
            c[13] = char(12);
            m.append(c);
            m.append(QByteArray(4, '\x5A'));
        }
    }
    for (qsizetype i = 0; i < m.size(); ++i)
        s.frame.SigData.SetSigByte(int(i), quint8(m[i]));
    auto w = std::make_unique<THDSIGInfo>(s.args(0));
    for (auto _ : state) {
        s.frame.SigData.Changed = true;
        refresh(w.get());
    }
}

void BM_HdLotListRebuild(benchmark::State& state)
{
    TSetup s;
    for (int i = 0; i < 500; ++i)
        s.frame.AEEventList.AddEvent(
            QString("03/04/2026 05:06:%1,Received Complete Object,HD2,Image,1002,%2,5123,ABCD,"
                    "primary.jpg,")
                .arg(i % 60)
                .arg(i));
    auto w = std::make_unique<TAEEventLog>(s.args(1));
    int i = 0;
    for (auto _ : state) {
        s.frame.AEEventList.Events[0] = QString("new line %1,a,b,").arg(++i);
        s.frame.AEEventList.Changed = true;
        refresh(w.get());
    }
}

// The same window refreshed while its list stands: the rebuild is skipped.
void BM_HdLotListUnchanged(benchmark::State& state)
{
    TSetup s;
    for (int i = 0; i < 500; ++i)
        s.frame.AEEventList.AddEvent(QString("03/04/2026 05:06:07,Received Complete Object,HD2,"
                                             "Image,1002,%1,5123,ABCD,primary.jpg,")
                                         .arg(i));
    auto w = std::make_unique<TAEEventLog>(s.args(1));
    for (auto _ : state)
        refresh(w.get());
}

} // namespace

BENCHMARK(BM_HdRawDataRefresh)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HdSigParseAndRebuild)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HdLotListRebuild)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HdLotListUnchanged)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
