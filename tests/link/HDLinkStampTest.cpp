// The S-protocol frame from the unit's block layout, byte by byte: the block,
// the unit's date and time, the echoed line. The link and the simulated unit
// share the offset of the stamp, so only a frame made this way shows it
// misplaced.
#include "TestSupport.h"

#include "link/Frame2.h"
#include "link/HDLink.h"

#include <QDate>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

TEST(HDLinkStamp, AnSProtocolFrameTakesItsTimeFromTheBytesAfterTheBlock)
{
    QByteArray block(2729, '\0');
    block[0] = char(0xFF);
    block[1] = char(0xFE);
    block[2] = char(0xFD);
    block[4] = char(0xFF); // no echo
    block[5] = char(0xFF);
    block[1200] = char(0xFF); // a block type that carries nothing
    quint16 sum = 0;
    for (int i = 0; i <= 2726; ++i)
        sum = quint16(sum + quint8(block[i]));
    block[2727] = char(sum >> 8);
    block[2728] = char(sum);
    // Days since 30 December 1899 and the fraction of the day, as an 8-byte
    // little-endian double.
    const QDateTime when(QDate(2025, 6, 7), QTime(8, 9, 10));
    const double days =
        double(QDate(1899, 12, 30).daysTo(when.date())) + (8 * 3600 + 9 * 60 + 10) / 86400.0;
    QByteArray stamp(8, '\0');
    std::memcpy(stamp.data(), &days, 8);

    for (const int transport : {trSerial, trNetwork}) {
        SCOPED_TRACE(transport);
        QByteArray frame = block + stamp;
        if (transport == trNetwork) {
            QByteArray line("XY\r");
            frame += line + QByteArray(64 - line.size(), '\0');
        }
        auto f = std::make_unique<TFrame2>("Connect1");
        f->HardwareType = htHDSystem;
        f->Transport = transport;
        f->SProtocol = true;
        f->ProcessState = 4;
        f->RxBuffer = frame;
        EXPECT_EQ(transport == trNetwork ? ReceiveHdBlockNetwork(*f) : ReceiveHdBlockSerial(*f), 1);
        EXPECT_EQ(f->LastBlockTime, when);
        EXPECT_EQ(f->BlockSlots[CurrentHdBlockSlot], frame);
        EXPECT_EQ(f->HdTextLine, transport == trNetwork ? "XY" : "");
    }
}
