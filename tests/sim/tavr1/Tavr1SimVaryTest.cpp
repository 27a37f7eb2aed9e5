#include "TestSupport.h"

#include "protocol/tavr1/Tavr1BlockLayout.h"
#include "sim/tavr1/Tavr1Sim.h"

#include <QSet>
#include <QTcpSocket>
#include <gtest/gtest.h>

namespace {

// The first n blocks a unit streams after "SD", read from its TCP port.
QList<QByteArray> streamedBlocks(Tavr1Sim& unit, int n)
{
    QTcpSocket client;
    client.connectToHost("127.0.0.1", unit.listenTcp());
    EXPECT_TRUE(client.waitForConnected(2000));
    client.write("SD\r");
    QByteArray rx;
    QList<QByteArray> blocks;
    waitFor(
        [&] {
            rx += client.readAll();
            // The unit streams whole blocks back to back, each at its marker.
            while (rx.size() >= Tavr1BlockLength) {
                EXPECT_TRUE(rx.startsWith("\xFF\xFE\xFD"));
                blocks << rx.left(Tavr1BlockLength);
                rx.remove(0, Tavr1BlockLength);
            }
            return blocks.size() >= n;
        },
        5000);
    return blocks.mid(0, n);
}

} // namespace

// Varying readings move from block to block within the 12-bit range, the
// same way every run; without it every block reads the same.
TEST(Tavr1SimVary, ReadingsMoveRepeatablyAndStayInRange)
{
    auto readings = [](bool vary) {
        Tavr1Sim unit;
        unit.blockIntervalMs = 10;
        unit.vary = vary;
        QList<QList<qint32>> out;
        for (const QByteArray& b : streamedBlocks(unit, 6)) {
            QList<qint32> words;
            for (int k = 0; k < 100; ++k)
                words << Tavr1Value12(b, Tavr1Offset::Measurements, k);
            for (int k = 0; k < 509; k += 50)
                words << Tavr1Value12(b, Tavr1Offset::Spectrum, k);
            out << words;
        }
        return out;
    };
    const QList<QList<qint32>> varied = readings(true);
    ASSERT_EQ(varied.size(), 6);
    QSet<qint32> totals;
    for (const QList<qint32>& block : varied) {
        totals << block[4];
        for (qint32 v : block) {
            EXPECT_GE(v, -2048);
            EXPECT_LE(v, 2047);
        }
    }
    EXPECT_GE(totals.size(), 3) << "the total peak moves from block to block";
    EXPECT_EQ(readings(true), varied) << "every run sends the same blocks";

    const QList<QList<qint32>> steady = readings(false);
    ASSERT_EQ(steady.size(), 6);
    for (const QList<qint32>& block : steady)
        EXPECT_EQ(block, steady[0]);
}
