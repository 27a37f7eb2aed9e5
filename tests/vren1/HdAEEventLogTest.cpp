// The LOT event log window on a frame the test fills by hand.
#include "Vren1WindowSupport.h"

#include "vren1/HD_AEEventLog.h"

#include <QAction>
#include <QTreeWidget>

namespace {

using HdAEEventLogTest = Vren1WindowTest;

QString cell(QTreeWidget* l, int row, int column)
{
    auto* item = l->topLevelItem(row);
    return item ? item->text(column) : QStringLiteral("<no row>");
}

} // namespace

TEST_F(HdAEEventLogTest, NameCaptionAndLayoutToggle)
{
    std::unique_ptr<TAEEventLog> w(open<TAEEventLog>(1));
    EXPECT_EQ(w->objectName(), "Rack1_VREN1_HDARTEEL01");
    EXPECT_EQ(w->windowTitle(), "LOT Event Log");
    EXPECT_EQ(w->ListView1->headerItem()->text(9), "Filename");
    w->show();
    EXPECT_EQ(w->height(), TAEEventLog::PlainHeight);
    EXPECT_FALSE(w->Panel2->isVisible());
    EXPECT_FALSE(w->DiagnosticsShown);

    w->Diagnostics1->trigger();
    EXPECT_TRUE(w->DiagnosticsShown);
    EXPECT_EQ(w->height(), 800);
    EXPECT_TRUE(w->Panel2->isVisible());
    EXPECT_EQ(w->Panel2->height(), 313);

    w->Diagnostics1->trigger();
    EXPECT_FALSE(w->DiagnosticsShown);
    EXPECT_EQ(w->height(), 450);
    EXPECT_FALSE(w->Panel2->isVisible());

    // Observers may change the view too.
    frame.ReadOnlyAccess = true;
    std::unique_ptr<TAEEventLog> observer(open<TAEEventLog>(1));
    EXPECT_TRUE(observer->ClearEventLog1->isEnabled());
    EXPECT_TRUE(observer->Diagnostics1->isEnabled());
}

TEST_F(HdAEEventLogTest, EventColumnsTrimAndClear)
{
    THD_AE_EventList& list = frame.AEEventList;
    for (int i = 0; i < 620; ++i)
        list.AddEvent(QString("line %1,").arg(i));
    list.AddEvent("a,b,c,d");
    list.AddEvent("a,b,c,");
    // A real line as the decoder writes it: the time holds no comma.
    list.AddEvent(FormatHdObjectEvent(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)),
                                      "HD2,Image,1002,0405,1234,ABCD,primary.jpg,", 1));
    std::unique_ptr<TAEEventLog> w(open<TAEEventLog>(1));
    EXPECT_FALSE(list.Changed);
    QTreeWidget* l = w->ListView1;
    ASSERT_EQ(l->topLevelItemCount(), 500);
    EXPECT_EQ(list.Events.size(), 500) << "the frame's list is trimmed too";
    EXPECT_EQ(cell(l, 0, 0), "");
    EXPECT_EQ(cell(l, 0, 1), "03/04/2026 05:06:07");
    EXPECT_EQ(cell(l, 0, 2), "Received Complete Object");
    EXPECT_EQ(cell(l, 0, 3), "HD2");
    EXPECT_EQ(cell(l, 0, 9), "primary.jpg");
    EXPECT_EQ(cell(l, 1, 3), "c");
    EXPECT_EQ(cell(l, 1, 4), "");
    EXPECT_EQ(cell(l, 2, 3), "c");
    EXPECT_EQ(cell(l, 2, 4), "") << "no terminating comma: not shown";
    EXPECT_EQ(cell(l, 3, 1), "line 619");
    EXPECT_EQ(cell(l, 499, 1), "line 123");

    // Unchanged: the view stands, even when the list changed behind it.
    list.Events.prepend("x,");
    refresh(w.get());
    EXPECT_EQ(cell(l, 0, 3), "HD2");

    w->ClearEventLog1->trigger();
    refresh(w.get());
    EXPECT_EQ(l->topLevelItemCount(), 0);
}

TEST_F(HdAEEventLogTest, DiagnosticsRows)
{
    THD_SIG_Data& sig = frame.SigData;
    sig.SetSigValue(0, 1);
    sig.SetSigValue(1, 17);
    sig.SetSigValue(2, 3);
    sig.SetSigValue(3, 255);
    // Service row 1 (entries 12..19).
    const int row1[8] = {0x12, 0x34, 0x10, 0x02, 0x00, 0x01, 0x40, 0x0F};
    for (int k = 0; k < 8; ++k)
        sig.SetSigValue(12 + k, row1[k]);
    // Group 1 (entries 92..115): list row, then Logo, Primary, Pending.
    const int group1[12] = {0x00, 0x02, 0x00, 0x01, 3, 12, 0x10, 0x01, 0x02, 0x03, 1, 0xAB};
    for (int k = 0; k < 12; ++k)
        sig.SetSigValue(92 + k, group1[k]);
    frame.XhdrData.SetMimeHash(0, qint32(0x1E653E9C));
    frame.XhdrData.SetParamId(0, 1);
    frame.XhdrData.SetLotId(0, 0x0405);
    frame.XhdrData.SetMimeHash(7, qint32(0xD9C72536u));
    frame.ComrData.SetPrice(2, "9.99 USD");
    frame.ComrData.SetReceivedAs(2, 0x1C);
    frame.ComrData.SetSellerName(2, "Shop");

    std::unique_ptr<TAEEventLog> w(open<TAEEventLog>(1));
    EXPECT_EQ(text(w.get(), "Label1"), "LOT VAL = 1");
    EXPECT_EQ(text(w.get(), "Label2"), "LOT Count = 17");
    EXPECT_EQ(text(w.get(), "Label4"), "LOTs All Enabled = 255");

    QTreeWidget* const* d = w->Diagnostics.data();
    ASSERT_EQ(d[0]->topLevelItemCount(), 8);
    EXPECT_EQ(d[0]->objectName(), "ListView3");
    EXPECT_EQ(cell(d[0], 1, 1), "1234");
    EXPECT_EQ(cell(d[0], 1, 2), "1002");
    EXPECT_EQ(cell(d[0], 1, 3), "0001");
    EXPECT_EQ(cell(d[0], 1, 4), "40");
    EXPECT_EQ(cell(d[0], 1, 5), "0F");

    ASSERT_EQ(d[1]->topLevelItemCount(), 4);
    EXPECT_EQ(cell(d[1], 1, 1), "0002");
    EXPECT_EQ(cell(d[1], 1, 2), "0001");
    EXPECT_EQ(cell(d[1], 1, 3), "3");
    EXPECT_EQ(cell(d[1], 1, 4), "12");
    ASSERT_EQ(d[2]->topLevelItemCount(), 16);
    EXPECT_EQ(cell(d[2], 4, 1), "Logo");
    EXPECT_EQ(cell(d[2], 4, 2), "1001");
    EXPECT_EQ(cell(d[2], 4, 3), "0203");
    EXPECT_EQ(cell(d[2], 4, 4), "01");
    EXPECT_EQ(cell(d[2], 4, 5), "AB");
    EXPECT_EQ(cell(d[2], 5, 1), "Primary");
    EXPECT_EQ(cell(d[2], 7, 1), "");

    ASSERT_EQ(d[3]->topLevelItemCount(), 8);
    EXPECT_EQ(cell(d[3], 0, 1), "00");
    EXPECT_EQ(cell(d[3], 0, 2), "1E653E9C");
    EXPECT_EQ(cell(d[3], 0, 3), "01");
    EXPECT_EQ(cell(d[3], 0, 4), "0405");
    EXPECT_EQ(cell(d[3], 7, 1), "07");
    EXPECT_EQ(cell(d[3], 7, 2), "D9C72536");

    ASSERT_EQ(d[4]->topLevelItemCount(), 8);
    EXPECT_EQ(cell(d[4], 1, 1), "9.99 USD");
    EXPECT_EQ(cell(d[4], 1, 4), "1C");
    EXPECT_EQ(cell(d[4], 1, 5), "Shop");
    EXPECT_EQ(cell(d[4], 0, 4), "00");
}
