#include "Tavr1WindowSupport.h"

#include "models/Tavr1ConfigRows.h"
#include "tavr1/Tavr1_Config.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class Tavr1ConfigTest : public Tavr1WindowTest
{
protected:
    static QTreeWidget* list(QWidget* w) { return w->findChild<QTreeWidget*>("ListView1"); }
    static QString cell(QWidget* w, int row, int column)
    {
        QTreeWidgetItem* item = list(w)->topLevelItem(row);
        return item ? item->text(column) : QString("<no row>");
    }
    // Rows whose two columns differ.
    static QList<int> differing(QWidget* w)
    {
        QList<int> rows;
        for (int r = 0; r < list(w)->topLevelItemCount(); ++r) {
            if (cell(w, r, 1) != cell(w, r, 2))
                rows << r;
        }
        return rows;
    }
};

} // namespace

TEST_F(Tavr1ConfigTest, LayoutNameCaptionAndCloseMessage)
{
    frame.Tavr1UnitConfig[2] = 1001;
    QPointer<TTavr1Config> w = open<TTavr1Config>();
    EXPECT_EQ(w->objectName(), "Rack1_TAVR1_TAVR1CONFIG0");
    EXPECT_EQ(w->windowTitle(), " Studio A Tavr-1 Unit Config");
    QTreeWidget* l = list(w);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->columnCount(), 3);
    EXPECT_EQ(l->headerItem()->text(0), "Description");
    EXPECT_EQ(l->headerItem()->text(1), "Unit Data");
    EXPECT_EQ(l->headerItem()->text(2), "Local Data");
    EXPECT_EQ(l->headerItem()->textAlignment(1), int(Qt::AlignCenter));
    EXPECT_EQ(l->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(l->rootIsDecorated());
    ASSERT_EQ(l->topLevelItemCount(), Tavr1ConfigRowCount);
    EXPECT_EQ(l->topLevelItem(0)->childCount(), 0);
    EXPECT_EQ(l->topLevelItem(0)->textAlignment(2), int(Qt::AlignCenter));
    EXPECT_EQ(cell(w, 0, 0), " Tuning Frequency");
    EXPECT_EQ(cell(w, 10, 0), " RF Spectrum");
    EXPECT_EQ(cell(w, 85, 0), " Alarms/Relays");
    EXPECT_EQ(cell(w, 86, 0), "    Loss of RF(ANT)");
    EXPECT_EQ(cell(w, 141, 0), "      Action");
    // Filled at creation.
    EXPECT_EQ(cell(w, 0, 1), "100.1 MHz");
    EXPECT_EQ(cell(w, 0, 2), "  0.0 MHz");
    for (int r : {6, 9, 10, 85, 86, 138}) {
        EXPECT_TRUE(cell(w, r, 1).isEmpty()) << r;
        EXPECT_TRUE(cell(w, r, 2).isEmpty()) << r;
    }
    EXPECT_EQ(w->findChild<QPushButton*>("Button1")->text(), "Update Local Config");

    w->close();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(closedRecorder.closed, (std::vector<std::pair<qintptr, qintptr>>{{98, 0}}));
}

TEST_F(Tavr1ConfigTest, EveryRefreshRefillsBothColumns)
{
    auto* w = open<TTavr1Config>();
    // Whatever its lParam.
    for (qintptr lParam : {qintptr(0), qintptr(1), qintptr(0x10001)}) {
        frame.Tavr1UnitConfig[9] = int(lParam & 3) + 4; // 4, 5: OFF, ON
        frame.Tavr1LocalConfig[118] = int(lParam & 7);
        refresh(w, lParam);
        EXPECT_EQ(cell(w, 5, 1), (lParam & 3) == 1 ? "ON" : "OFF") << lParam;
        EXPECT_EQ(cell(w, 89, 2), QString("R:%1 E:0 D:0").arg(lParam & 7)) << lParam;
    }
}

TEST_F(Tavr1ConfigTest, UpdateLocalConfigSendsNothingAndTheColumnsAgreeAfterTheNextBlocks)
{
    auto f = connectToSim();
    auto* w = open<TTavr1Config>(*f);
    refresh(w);
    EXPECT_TRUE(differing(w).isEmpty()) << "the login copied the unit's record";

    // Edits that the unit never took.
    f->Tavr1LocalConfig[7] = 4; // no row shows the calibrator
    f->Tavr1LocalConfig[9] = 2; // mute AUTO
    f->Tavr1LocalConfig[116] = -300;
    f->Tavr1LocalConfig.setReal(Tavr1CompositeZoomItem, 12.5);
    refresh(w);
    EXPECT_EQ(differing(w), (QList<int>{5, 42, 87}));
    EXPECT_EQ(cell(w, 5, 2), "AUTO");
    EXPECT_EQ(cell(w, 87, 2), "-30.0 dB");

    f->Tavr1UpdateLocalTable = false; // the login's request is served
    f->Tavr1TableCopied = false;
    f->Tavr1LocalTable[5] = 12345;
    ASSERT_NE(f->Tavr1LocalTable, f->Tavr1ReceivedTable);

    const qsizetype sentBefore = sim.commandLines().size();
    w->findChild<QPushButton*>("Button1")->click();
    EXPECT_TRUE(f->Tavr1UpdateLocalConfig);
    EXPECT_TRUE(f->Tavr1UpdateLocalTable);
    EXPECT_FALSE(f->Tavr1Command.Pending);

    ASSERT_TRUE(tickUntil(
        *f, [&] { return !f->Tavr1UpdateLocalConfig; }, 40));
    pump(50);
    EXPECT_TRUE(differing(w).isEmpty());
    EXPECT_EQ(f->Tavr1LocalConfig, f->Tavr1UnitConfig);
    EXPECT_EQ(cell(w, 5, 2), cell(w, 5, 1));

    ASSERT_TRUE(tickUntil(
        *f, [&] { return f->Tavr1TableCopied; }, 60));
    EXPECT_EQ(f->Tavr1LocalTable, f->Tavr1ReceivedTable);
    EXPECT_EQ(sim.commandLines().size(), sentBefore) << "nothing went to the unit";
}
