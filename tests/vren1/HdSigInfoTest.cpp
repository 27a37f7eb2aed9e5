// The SIG information window on a frame the test fills with the simulated
// unit's guide.
#include "Vren1WindowSupport.h"

#include "protocol/hd/HdBlockLayout.h"
#include "sim/hd/HdObjects.h"
#include "vren1/HD_SIGInfo.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace {

class HdSigInfoTest : public Vren1WindowTest
{
protected:
    void setGuide(const QByteArray& m)
    {
        frame.SigData.SigBytes.fill(0);
        for (qsizetype i = 0; i < m.size(); ++i)
            frame.SigData.SetSigByte(int(i), quint8(m[i]));
        frame.SigData.Changed = true;
    }
    static QString cell(QTreeWidget* l, int row, int column)
    {
        auto* item = l->topLevelItem(row);
        return item ? item->text(column) : QStringLiteral("<no row>");
    }
};

} // namespace

TEST_F(HdSigInfoTest, NameCaptionAndColumns)
{
    std::unique_ptr<THDSIGInfo> w(open<THDSIGInfo>());
    EXPECT_EQ(w->objectName(), "Rack1_VREN1_HDSG00");
    EXPECT_EQ(w->windowTitle(), "SIG Information");
    EXPECT_EQ(w->ListView1->columnCount(), 12);
    EXPECT_EQ(w->ListView1->headerItem()->text(11), "Service Name");
    EXPECT_EQ(w->ListView2->columnCount(), 14);
    EXPECT_EQ(w->ListView2->headerItem()->text(13), "Expanded Service ID");
    EXPECT_EQ(w->ListView2->header()->sectionSize(0), 1);
}

TEST_F(HdSigInfoTest, GuideRowsAndTheirTexts)
{
    std::unique_ptr<THDSIGInfo> w(open<THDSIGInfo>());
    setGuide(SimSigMessage(0x1234));
    refresh(w.get());
    EXPECT_FALSE(frame.SigData.Changed);

    QTreeWidget* l1 = w->ListView1;
    ASSERT_EQ(l1->topLevelItemCount(), 3);
    EXPECT_EQ(cell(l1, 0, 0), "");
    EXPECT_EQ(cell(l1, 0, 1), "0001");
    EXPECT_EQ(cell(l1, 0, 3), "1234");
    EXPECT_EQ(cell(l1, 0, 4), "02");
    EXPECT_EQ(cell(l1, 0, 5), "12345679");
    EXPECT_EQ(cell(l1, 0, 7), "06");
    EXPECT_EQ(cell(l1, 0, 8), "Tolvex");
    EXPECT_EQ(cell(l1, 0, 11), " ");
    EXPECT_EQ(cell(l1, 1, 11), "Jazz");

    // Two components, an empty row, eight (of ten), an empty row, one, an
    // empty row.
    QTreeWidget* l2 = w->ListView2;
    ASSERT_EQ(l2->topLevelItemCount(), 3 + 9 + 2);
    EXPECT_EQ(cell(l2, 0, 1), " :0001") << "a nameless service";
    EXPECT_EQ(cell(l2, 0, 10), "08");
    EXPECT_EQ(cell(l2, 0, 13), "") << "ID length 8: nothing expanded";
    EXPECT_EQ(cell(l2, 0, 9), "Audio");
    EXPECT_EQ(cell(l2, 1, 3), "1001");
    EXPECT_EQ(cell(l2, 1, 8), "D9C72536");
    EXPECT_EQ(cell(l2, 1, 9), "Logo");
    EXPECT_EQ(cell(l2, 1, 10), "0C");
    EXPECT_EQ(cell(l2, 1, 11), "A0B0C0D0");
    EXPECT_EQ(cell(l2, 1, 13), "E8E9EAEB");
    EXPECT_EQ(cell(l2, 2, 1), "");
    EXPECT_EQ(cell(l2, 3, 1), "Jazz:0002");
    EXPECT_EQ(cell(l2, 10, 3), "2007");
    EXPECT_EQ(cell(l2, 11, 1), "");
    EXPECT_EQ(cell(l2, 12, 1), "News:0003");
    EXPECT_EQ(cell(l2, 12, 3), "3000");
    EXPECT_EQ(cell(l2, 12, 9), "Text");
}

TEST_F(HdSigInfoTest, ListRules)
{
    std::unique_ptr<THDSIGInfo> w(open<THDSIGInfo>());
    setGuide(SimSigMessage(1));
    refresh(w.get());
    ASSERT_EQ(w->ListView1->topLevelItemCount(), 3);

    // Unchanged: nothing parsed again, even when the bytes moved under it.
    frame.SigData.SetSigByte(1, 1);
    refresh(w.get());
    EXPECT_EQ(w->ListView1->topLevelItemCount(), 3);

    // A guide whose services are all incomplete keeps the rows shown.
    QByteArray incomplete(40, '\0');
    incomplete[1] = 1;
    incomplete[7] = 1; // status 1
    setGuide(incomplete);
    refresh(w.get());
    EXPECT_EQ(w->ListView1->topLevelItemCount(), 3);
    EXPECT_EQ(w->Services.size(), 1u);

    // ID length 9 parses its one further byte and shows none.
    QByteArray nine(80, '\0');
    nine[1] = 1;
    nine[2 + 5] = 2;  // status
    nine[2 + 14] = 1; // one component, its record at 17
    nine[17 + 13] = 9;
    nine[17 + 22] = char(0xAB);
    setGuide(nine);
    refresh(w.get());
    ASSERT_EQ(w->ListView2->topLevelItemCount(), 2);
    EXPECT_EQ(w->ListView2->topLevelItem(0)->text(10), "09");
    EXPECT_EQ(w->ListView2->topLevelItem(0)->text(13), "");

    // No service empties both lists.
    setGuide(QByteArray(10, '\0'));
    refresh(w.get());
    EXPECT_EQ(w->ListView1->topLevelItemCount(), 0);
    EXPECT_EQ(w->ListView2->topLevelItemCount(), 0);
}

TEST_F(HdSigInfoTest, ShowingTheWindowParsesTheGuideAgain)
{
    std::unique_ptr<THDSIGInfo> w(open<THDSIGInfo>());
    setGuide(SimSigMessage(1));
    frame.SigData.Changed = false; // taken by an earlier window
    refresh(w.get());
    EXPECT_EQ(w->ListView1->topLevelItemCount(), 0);
    w->show();
    refresh(w.get());
    EXPECT_EQ(w->ListView1->topLevelItemCount(), 3);
}
