#include "Vren1WindowSupport.h"

#include "models/HdConfigRows.h"
#include "sim/hd/HdSim.h"
#include "vren1/HD_Config.h"

#include <QPushButton>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

class HdConfigTest : public Vren1HistorySimTest
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

    THDConfig* openOn(TFrame2& f)
    {
        TChildWindowArgs a = args();
        a.frame = &f;
        return new THDConfig(a);
    }
};

} // namespace

TEST_F(HdConfigTest, LayoutNameCaptionAndCloseMessage)
{
    frame.HdUnitConfig[2] = 1001;
    QPointer<THDConfig> w = open<THDConfig>(3); // the panel's index does not name it
    EXPECT_EQ(w->objectName(), "Rack1_VREN1_HDCONFIG0");
    EXPECT_EQ(w->windowTitle(), " Studio B Vren-1 Unit Config");
    QTreeWidget* l = list(w);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->columnCount(), 3);
    EXPECT_EQ(l->headerItem()->text(0), "Description");
    EXPECT_EQ(l->headerItem()->text(1), "Unit Data");
    EXPECT_EQ(l->headerItem()->text(2), "Local Data");
    ASSERT_EQ(l->topLevelItemCount(), HdConfigRowCount);
    EXPECT_EQ(cell(w, 0, 0), " RF Input");
    EXPECT_EQ(cell(w, 27, 0), "   Zoom Freq");
    EXPECT_EQ(cell(w, 79, 0), " Alarms/Relays");
    EXPECT_EQ(cell(w, 80, 0), "    Loss of RF(ANT)");
    EXPECT_EQ(cell(w, 81, 0), "      Thres");
    EXPECT_EQ(cell(w, 167, 0), "      Action");
    // Filled at creation.
    EXPECT_EQ(cell(w, 1, 1), "100.1 MHz");
    EXPECT_EQ(cell(w, 1, 2), "  0.0 MHz");
    for (int r : {4, 8, 37, 79, 80, 164}) {
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

TEST_F(HdConfigTest, EveryRefreshRefillsBothColumns)
{
    auto* w = open<THDConfig>();
    // Whatever its lParam.
    for (qintptr lParam : {qintptr(0), qintptr(1), qintptr(0x10001)}) {
        frame.HdUnitConfig[8] = int(lParam & 3); // OFF, ON
        frame.HdLocalConfig[95] = int(lParam & 7);
        refresh(w, lParam);
        EXPECT_EQ(cell(w, 3, 1), (lParam & 3) == 1 ? "ON" : "OFF") << lParam;
        EXPECT_EQ(cell(w, 83, 2), QString("R:%1 E:0 D:0").arg(lParam & 7)) << lParam;
    }
    delete w;
}

TEST_F(HdConfigTest, UpdateLocalConfigSendsNothingAndTheColumnsAgreeAfterTheNextBlocks)
{
    auto f = connectToSim();
    auto* w = openOn(*f);
    refresh(w);
    EXPECT_TRUE(differing(w).isEmpty()) << "the login copied the unit's record";

    // Edits that the unit never took.
    f->HdLocalConfig[8] = f->HdUnitConfig[8] == 2 ? 1 : 2; // RF mute
    f->HdLocalConfig[93] = f->HdUnitConfig[93] + 10;       // RF loss threshold
    f->HdLocalConfig.setReal(HdZoomWord, f->HdUnitConfig.real(HdZoomWord) + 0.5);
    refresh(w);
    EXPECT_EQ(differing(w), (QList<int>{3, 27, 81}));

    f->UpdateLocalTables = false;
    f->HdTableCopied = false;
    f->HdLocalTable[5] = f->HdReceivedTable[5] + 1;

    const qsizetype sentBefore = sim.requestLines().size();
    w->findChild<QPushButton*>("Button1")->click();
    EXPECT_TRUE(f->HdUpdateLocalConfig);
    EXPECT_TRUE(f->UpdateLocalTables);

    ASSERT_TRUE(tickUntil(
        *f, [&] { return !f->HdUpdateLocalConfig && f->HdTableCopied; }, 80));
    refresh(w);
    EXPECT_TRUE(differing(w).isEmpty());
    EXPECT_EQ(f->HdLocalConfig, f->HdUnitConfig);
    EXPECT_EQ(f->HdLocalTable, f->HdReceivedTable);
    EXPECT_EQ(sim.requestLines().size(), sentBefore) << "nothing went to the unit";
    delete w;
}
