#include "Tavr1WindowSupport.h"

#include "protocol/tavr1/Tavr1Commands.h"
#include "protocol/tavr1/Tavr1Decoder.h"
#include "tavr1/Tavr1_AlarmRelay.h"
#include "tavr1/Tavr1_Panel.h"
#include "widgets/Lamp.h"
#include "widgets/UpDown.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QColor lime(0, 255, 0);
const QColor red(255, 0, 0);
const QColor yellow(255, 255, 0);

class Tavr1AlarmRelayTest : public Tavr1WindowTest
{
protected:
    TTavr1AlarmRelayWindow* openVariant(TAlarmVariant v, TFrame2& f)
    {
        if (v == TAlarmVariant::Trap)
            return open<TTavr1AlarmRelaySNMP>(f);
        return open<TTavr1AlarmRelay>(f);
    }
    TTavr1AlarmRelayWindow* openVariant(TAlarmVariant v) { return openVariant(v, frame); }

    template <class T>
    static T* component(QWidget* w, int n, const char* name)
    {
        T* c = w->findChild<T*>(QString("AR%1_%2").arg(n).arg(name));
        EXPECT_NE(c, nullptr) << n << name;
        return c;
    }
    static QString text(QWidget* w, int n, const char* name)
    {
        QLabel* l = component<QLabel>(w, n, name);
        return l ? l->text() : QString();
    }
    static int position(QWidget* w, int n, const char* name)
    {
        UpDown* u = component<UpDown>(w, n, name);
        return u ? u->position() : -99999;
    }
    static void click(QWidget* w, int n, const char* upDown, bool up = true)
    {
        UpDown* u = component<UpDown>(w, n, upDown);
        ASSERT_NE(u, nullptr);
        u->findChild<QToolButton*>(up ? "Up" : "Down")->click();
    }
    static void choose(QWidget* w, int n, const char* list, int index)
    {
        QComboBox* c = component<QComboBox>(w, n, list);
        ASSERT_NE(c, nullptr);
        c->setCurrentIndex(index);
        emit c->activated(index);
    }
    static int chosen(QWidget* w, int n, const char* list)
    {
        QComboBox* c = component<QComboBox>(w, n, list);
        return c ? c->currentIndex() : -99;
    }
    static QColor lamp(QWidget* w, int n)
    {
        Lamp* l = component<Lamp>(w, n, "LED");
        return l ? l->color() : QColor();
    }

    // The line the poll tick would send now; empties the slot.
    QByteArray takeLine() { return TakeTavr1CommandLine(frame, frame); }

    // Ticks until the unit's echo of the setting with this code has been
    // decoded and the windows have had the refresh that follows it. The unit
    // echoes only the latest setting, so a test that wants every echo waits
    // for each before it sends the next.
    static bool echoed(TFrame2& f, int code)
    {
        const QString line = Tavr1EchoLine(quint8(code), {}).left(8);
        return tickUntil(
            f, [&] { return f.RxLine.startsWith(line.toLatin1()); }, 60);
    }
};

const TAlarmVariant bothVariants[] = {TAlarmVariant::Plain, TAlarmVariant::Trap};

} // namespace

TEST_F(Tavr1AlarmRelayTest, NameCaptionColumnsAndCloseMessage)
{
    for (TAlarmVariant v : bothVariants) {
        SCOPED_TRACE(int(v));
        const bool trap = v == TAlarmVariant::Trap;
        QPointer<TTavr1AlarmRelayWindow> w = openVariant(v);
        EXPECT_EQ(w->objectName(), "Rack1_TAVR1_TAVR1AR0");
        EXPECT_EQ(w->windowTitle(), " Studio A Tavr-1 Alarm/Relay");
        QStringList headings;
        for (QLabel* l : w->findChildren<QLabel*>()) {
            if (l->objectName().isEmpty())
                headings << l->text();
        }
        QStringList expected = {"Event", "Threshold", "Time", "Relay", "Email", "Display"};
        if (trap)
            expected << "Trap";
        expected << "Status";
        EXPECT_EQ(headings, expected);
        EXPECT_EQ(w->findChild<QPushButton*>("Button11") != nullptr, trap);
        EXPECT_EQ(w->findChild<QPushButton*>("AR5_TB") != nullptr, trap);
        EXPECT_EQ(w->findChild<QComboBox*>("AR14_TA_CB") != nullptr, trap);
        EXPECT_EQ(w->findChildren<Lamp*>().size(), 14);
        EXPECT_EQ(w->findChildren<UpDown*>().size(), 28);
        EXPECT_EQ(text(w, 4, "Event"), trap ? "High SYNC AM" : "High SYNC Noise");
        EXPECT_EQ(component<UpDown>(w, 2, "Thres_UD")->maximum(), trap ? 1000 : 1500);
        EXPECT_EQ(component<UpDown>(w, 10, "Thres_UD")->increment(), trap ? 1 : 10);

        closedRecorder.closed.clear();
        w->close();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(w.isNull());
        EXPECT_EQ(closedRecorder.closed, (std::vector<std::pair<qintptr, qintptr>>{{7, 0}}));
    }
}

TEST_F(Tavr1AlarmRelayTest, RefillMovesEveryControlAndSendsNothing)
{
    for (TAlarmVariant v : bothVariants) {
        SCOPED_TRACE(int(v));
        Tavr1ConfigRecord& c = frame.Tavr1LocalConfig;
        c = {};
        for (int n = 1; n <= 14; ++n) {
            c[Tavr1AlarmThresholdItem(n)] = n == 1 || n == 3 || n == 4 ? -600 : 10 * n;
            c[Tavr1AlarmTimeItem(n)] = n + 4;
            c[Tavr1AlarmActionItem(n)] = (n % 5) | ((n % 4) << 3) | 0x40;
        }
        c[Tavr1AlarmThresholdItem(10)] = 7;
        auto* w = openVariant(v);
        for (int n = 1; n <= 14; ++n) {
            SCOPED_TRACE(n);
            EXPECT_EQ(position(w, n, "Time_UD"), n + 4);
            EXPECT_EQ(chosen(w, n, "RA_CB"), n % 5);
            EXPECT_EQ(chosen(w, n, "EA_CB"), n % 4);
            EXPECT_EQ(chosen(w, n, "DA_CB"), 1);
            if (v == TAlarmVariant::Trap) {
                EXPECT_EQ(chosen(w, n, "TA_CB"), 0);
            }
        }
        EXPECT_EQ(text(w, 1, "Thres_ST"), "-60.0 dB");
        EXPECT_EQ(position(w, 1, "Thres_UD"), -600);
        EXPECT_EQ(text(w, 1, "Time_ST"), "  5.0 sec");
        EXPECT_EQ(text(w, 10, "Thres_ST"), "  N/A ");
        EXPECT_EQ(position(w, 10, "Thres_UD"), 7);
        EXPECT_FALSE(frame.Tavr1Command.Pending);

        // A new report of the alarm settings refills; the slot stays empty.
        c[Tavr1AlarmThresholdItem(1)] = -500;
        c[Tavr1AlarmTimeItem(2)] = 600;
        c[Tavr1AlarmActionItem(3)] = 0x1C; // relay 4, e-mail 3, no display
        frame.PageRefresh.raise(prAlarms);
        refresh(w);
        EXPECT_FALSE(frame.PageRefresh.isRaised(prAlarms));
        EXPECT_EQ(text(w, 1, "Thres_ST"), "-50.0 dB");
        EXPECT_EQ(position(w, 1, "Thres_UD"), -500);
        EXPECT_EQ(text(w, 2, "Time_ST"), "600.0 sec");
        EXPECT_EQ(chosen(w, 3, "RA_CB"), 4);
        EXPECT_EQ(chosen(w, 3, "EA_CB"), 3);
        EXPECT_EQ(chosen(w, 3, "DA_CB"), 0);
        EXPECT_FALSE(frame.Tavr1Command.Pending);
        w->close();
    }
}

TEST_F(Tavr1AlarmRelayTest, OnlyARefreshWhoseLowWordIsZeroActs)
{
    frame.Tavr1LocalConfig[Tavr1AlarmThresholdItem(1)] = -600;
    auto* w = openVariant(TAlarmVariant::Trap);
    frame.Tavr1LocalConfig[Tavr1AlarmThresholdItem(1)] = -300;
    frame.PageRefresh.raise(prAlarms);
    frame.Tavr1AlarmMasks = {0x0001, 0};

    refresh(w, 0x0001);
    EXPECT_EQ(text(w, 1, "Thres_ST"), "-60.0 dB");
    EXPECT_EQ(lamp(w, 1), lime);
    EXPECT_TRUE(frame.PageRefresh.isRaised(prAlarms)) << "left for the refresh that acts";

    refresh(w, 0x10000);
    EXPECT_EQ(text(w, 1, "Thres_ST"), "-30.0 dB");
    EXPECT_EQ(lamp(w, 1), red);
    EXPECT_FALSE(frame.PageRefresh.isRaised(prAlarms));

    // Without the flag a refresh moves the lamps only.
    frame.Tavr1LocalConfig[Tavr1AlarmThresholdItem(1)] = -200;
    frame.Tavr1AlarmMasks = {0, 0};
    refresh(w);
    EXPECT_EQ(text(w, 1, "Thres_ST"), "-30.0 dB");
    EXPECT_EQ(lamp(w, 1), lime);
}

TEST_F(Tavr1AlarmRelayTest, FixedTextsAndTheRowsThatShowASetting)
{
    const struct
    {
        int n, settingsItem;
        qint32 value;
        const char* text;
    } linked[] = {{6, 11, 850, " 85.0 %"},
                  {11, 87, 50, "  5.0 %"},
                  {12, 83, 1000, "100.0 %"},
                  {13, 88, 60, "  6.0 %"},
                  {14, 84, 1100, "110.0 %"}};
    for (TAlarmVariant v : bothVariants) {
        SCOPED_TRACE(int(v));
        frame.Tavr1LocalConfig = {};
        for (const auto& l : linked) {
            frame.Tavr1LocalConfig[l.settingsItem] = l.value;
            frame.Tavr1LocalConfig[Tavr1AlarmThresholdItem(l.n)] = 1; // stale
            frame.Tavr1LocalConfig[Tavr1AlarmTimeItem(l.n)] = 20;
        }
        auto* w = openVariant(v);
        for (const auto& l : linked) {
            EXPECT_EQ(frame.Tavr1LocalConfig[Tavr1AlarmThresholdItem(l.n)], l.value) << l.n;
            EXPECT_EQ(text(w, l.n, "Thres_ST"), l.text) << l.n;
            EXPECT_EQ(position(w, l.n, "Thres_UD"), l.value) << l.n;
            EXPECT_EQ(position(w, l.n, "Time_UD"), 20) << l.n << ": the stored time";
        }
        EXPECT_EQ(text(w, 6, "Time_ST"), "  N/A   ");
        EXPECT_EQ(text(w, 12, "Time_ST"), "  N/A ");
        EXPECT_EQ(text(w, 14, "Time_ST"), "  N/A  ");
        EXPECT_EQ(text(w, 11, "Time_ST"), " 20.0 sec");
        EXPECT_EQ(text(w, 10, "Thres_ST"), "  N/A ");
        w->close();
    }
}

TEST_F(Tavr1AlarmRelayTest, LampsFollowTheTwoMaskWords)
{
    auto* w = openVariant(TAlarmVariant::Plain);
    const struct
    {
        quint16 first, second;
        QColor lamps[4]; // alarms 1..3 and 14
    } cases[] = {
        {0x0000, 0x0000, {lime, lime, lime, lime}},
        {0x0001, 0x0000, {red, lime, lime, lime}},
        {0x0003, 0x0002, {red, yellow, lime, lime}},
        {0x0000, 0x2004, {lime, lime, yellow, yellow}},
        {0x2000, 0x2000, {lime, lime, lime, yellow}},
        {0x2000, 0x0000, {lime, lime, lime, red}},
    };
    for (const auto& c : cases) {
        frame.Tavr1AlarmMasks = {c.first, c.second};
        refresh(w);
        const int alarms[] = {1, 2, 3, 14};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(lamp(w, alarms[i]), c.lamps[i])
                << c.first << "/" << c.second << " alarm " << alarms[i];
    }
}

TEST_F(Tavr1AlarmRelayTest, TheActionListsChangeOnlyTheirBits)
{
    const struct
    {
        TAlarmVariant v;
        int n;
        qint32 action;
        const char* list;
        int index;
        qint32 stored;
    } cases[] = {
        {TAlarmVariant::Trap, 2, 0xFF, "RA_CB", 2, 0xFA},
        {TAlarmVariant::Trap, 2, 0xC0, "EA_CB", 4, 0xE0},
        {TAlarmVariant::Trap, 2, 0x9B, "DA_CB", 1, 0xDB},
        {TAlarmVariant::Trap, 2, 0x5B, "TA_CB", 1, 0xDB},
        {TAlarmVariant::Trap, 2, 0xDB, "TA_CB", 0, 0x5B},
        {TAlarmVariant::Plain, 2, 0xC0, "RA_CB", 3, 0xC3},
        {TAlarmVariant::Plain, 2, 0x87, "EA_CB", 1, 0x8F},
        {TAlarmVariant::Plain, 2, 0xC9, "DA_CB", 0, 0x09},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.list << " " << c.action << " -> " << c.index);
        frame.Tavr1LocalConfig[Tavr1AlarmActionItem(c.n)] = c.action;
        auto* w = openVariant(c.v);
        choose(w, c.n, c.list, c.index);
        EXPECT_EQ(frame.Tavr1LocalConfig[Tavr1AlarmActionItem(c.n)], c.stored);
        EXPECT_EQ(
            takeLine(),
            sealedLine("CC77" + QByteArray::number(c.stored, 16).toUpper().rightJustified(2, '0')) +
                "\r");
        w->close();
    }

    // Trap and display both set: both lists read " Y".
    frame.Tavr1LocalConfig[Tavr1AlarmActionItem(1)] = 0xC0;
    auto* trap = openVariant(TAlarmVariant::Trap);
    EXPECT_EQ(component<QComboBox>(trap, 1, "DA_CB")->currentText(), " Y");
    EXPECT_EQ(component<QComboBox>(trap, 1, "TA_CB")->currentText(), " Y");
    // The plain window reads bits 6-7 as one field: 3 names no entry.
    auto* plain = openVariant(TAlarmVariant::Plain);
    EXPECT_EQ(chosen(plain, 1, "DA_CB"), -1);
    EXPECT_FALSE(frame.Tavr1Command.Pending);
}

TEST_F(Tavr1AlarmRelayTest, UpDownsWithoutACommandChangeNothing)
{
    frame.Tavr1LocalConfig[Tavr1AlarmThresholdItem(10)] = 100;
    for (int n : {6, 12, 14})
        frame.Tavr1LocalConfig[Tavr1AlarmTimeItem(n)] = 10;
    const Tavr1ConfigRecord before = frame.Tavr1LocalConfig;
    auto* w = openVariant(TAlarmVariant::Plain);
    for (int n : {6, 12, 14}) {
        click(w, n, "Time_UD");
        EXPECT_EQ(text(w, n, "Time_ST"), Tavr1AlarmTimeText(n, 0)) << n;
    }
    click(w, 10, "Thres_UD");
    EXPECT_EQ(text(w, 10, "Thres_ST"), "  N/A ");
    EXPECT_FALSE(frame.Tavr1Command.Pending);
    EXPECT_EQ(frame.Tavr1LocalConfig, before);
}

TEST_F(Tavr1AlarmRelayTest, ObserversGetEveryControlDisabled)
{
    frame.ReadOnlyAccess = true;
    for (TAlarmVariant v : bothVariants) {
        auto* w = openVariant(v);
        for (UpDown* u : w->findChildren<UpDown*>())
            EXPECT_FALSE(u->isEnabled()) << u->objectName().toStdString();
        for (QComboBox* c : w->findChildren<QComboBox*>())
            EXPECT_FALSE(c->isEnabled()) << c->objectName().toStdString();
        for (QPushButton* b : w->findChildren<QPushButton*>())
            EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
        click(w, 1, "Thres_UD");
        EXPECT_FALSE(frame.Tavr1Command.Pending);
        w->close();
    }
    frame.ReadOnlyAccess = false;
    auto* w = openVariant(TAlarmVariant::Trap);
    EXPECT_TRUE(w->findChild<QPushButton*>("Button11")->isEnabled());
    EXPECT_TRUE(component<UpDown>(w, 1, "Time_UD")->isEnabled());
}

// ---- Against the simulated unit ----------------------------------------------

TEST_F(Tavr1AlarmRelayTest, PlainWindowEditsTheSettingsBehindItsLinkedRows)
{
    auto f = connectToSim();
    f->Tavr1LocalConfig[11] = 840;
    f->Tavr1LocalConfig[83] = 840;
    f->Tavr1LocalConfig[88] = 119;
    f->Tavr1LocalConfig[Tavr1AlarmActionItem(1)] = 0x80;
    auto* w = openVariant(TAlarmVariant::Plain, *f);
    f->PageRefresh = {};

    click(w, 6, "Thres_UD");
    EXPECT_EQ(f->Tavr1LocalConfig[11], 850);
    EXPECT_EQ(f->Tavr1LocalConfig[131], 850);
    EXPECT_TRUE(f->PageRefresh.isRaised(prSettings)) << "an open settings window refills";
    EXPECT_EQ(text(w, 6, "Thres_ST"), " 85.0 %");
    ASSERT_TRUE(sendPending(*f));
    EXPECT_EQ(sim.commandLines().last(), "CC160352B7");

    click(w, 12, "Thres_UD");
    EXPECT_EQ(f->Tavr1LocalConfig[83], 850);
    ASSERT_TRUE(sendPending(*f));
    EXPECT_EQ(sim.commandLines().last(), "CC1F03520027");

    click(w, 13, "Thres_UD");
    EXPECT_EQ(f->Tavr1LocalConfig[88], 120);
    ASSERT_TRUE(sendPending(*f));
    EXPECT_EQ(sim.commandLines().last(), "CC2100780119");

    // Bit 7 has no place in the plain window: choosing the display clears it.
    choose(w, 1, "DA_CB", 1);
    EXPECT_EQ(f->Tavr1LocalConfig[Tavr1AlarmActionItem(1)], 0x40);
    ASSERT_TRUE(sendPending(*f));
    EXPECT_EQ(sim.commandLines().last(), "CC744055");

    EXPECT_EQ(sim.config[11], 850);
    EXPECT_EQ(sim.config[83], 850);
    EXPECT_EQ(sim.config[88], 120);
    EXPECT_EQ(sim.config[118], 0x40);
    EXPECT_EQ(sim.badChecksums(), 0);
    EXPECT_EQ(sim.commandLines().size(), 4);
}

TEST_F(Tavr1AlarmRelayTest, TrapWindowSendsTheAlarmsOwnCodes)
{
    sim.identification = Tavr1Sim::revisionCIdentification();
    auto f = connectToSim();
    f->Tavr1LocalConfig[11] = 840;
    f->Tavr1LocalConfig[Tavr1AlarmTimeItem(6)] = 19;
    f->Tavr1LocalConfig[Tavr1AlarmThresholdItem(10)] = 4;
    auto* w = openVariant(TAlarmVariant::Trap, *f);
    f->PageRefresh = {};

    click(w, 6, "Thres_UD");
    EXPECT_EQ(f->Tavr1LocalConfig[131], 850);
    EXPECT_EQ(f->Tavr1LocalConfig[11], 840) << "the unit's echo sets the composite peak";
    EXPECT_FALSE(f->PageRefresh.isRaised(prSettings));
    ASSERT_TRUE(sendPending(*f));
    EXPECT_EQ(sim.commandLines().last(), "CC810352B9");
    ASSERT_TRUE(echoed(*f, 0x81));

    click(w, 6, "Time_UD");
    EXPECT_EQ(text(w, 6, "Time_ST"), " 20.0 sec");
    ASSERT_TRUE(sendPending(*f));
    EXPECT_EQ(sim.commandLines().last(), "CC820014B5");
    ASSERT_TRUE(echoed(*f, 0x82));

    click(w, 12, "Time_UD");
    ASSERT_TRUE(sendPending(*f));
    EXPECT_TRUE(sim.commandLines().last().startsWith("CC94"));
    ASSERT_TRUE(echoed(*f, 0x94));
    click(w, 14, "Time_UD");
    ASSERT_TRUE(sendPending(*f));
    EXPECT_TRUE(sim.commandLines().last().startsWith("CC9A"));
    ASSERT_TRUE(echoed(*f, 0x9A));

    click(w, 10, "Thres_UD");
    EXPECT_EQ(f->Tavr1LocalConfig[Tavr1AlarmThresholdItem(10)], 5);
    EXPECT_EQ(text(w, 10, "Thres_ST"), "    5");
    ASSERT_TRUE(sendPending(*f));
    EXPECT_EQ(sim.commandLines().last(), sealedLine("CC8D0005"));

    // The echoes came back and the refill shows the unit's view again.
    ASSERT_TRUE(echoed(*f, 0x8D));
    EXPECT_EQ(f->Tavr1LocalConfig[11], 850);
    EXPECT_EQ(text(w, 6, "Thres_ST"), " 85.0 %");
    EXPECT_EQ(text(w, 6, "Time_ST"), "  N/A   ");
    EXPECT_EQ(text(w, 10, "Thres_ST"), "  N/A ");
    EXPECT_EQ(sim.config[11], 850);
    EXPECT_EQ(sim.config[132], 20);
    EXPECT_EQ(sim.commandLines().size(), 5);
    EXPECT_EQ(sim.badChecksums(), 0);
}

TEST_F(Tavr1AlarmRelayTest, ARequestWhileAnotherWaitsIsDroppedAndNotShown)
{
    auto f = connectToSim();
    const qint32 unitThreshold = f->Tavr1LocalConfig[Tavr1AlarmThresholdItem(2)];
    auto* w = openVariant(TAlarmVariant::Plain, *f);
    click(w, 1, "Thres_UD");
    click(w, 2, "Thres_UD"); // the slot still holds the first
    EXPECT_EQ(f->Tavr1Command.Code, 114);
    EXPECT_EQ(f->Tavr1LocalConfig[Tavr1AlarmThresholdItem(2)], unitThreshold);
    EXPECT_EQ(text(w, 2, "Thres_ST"), Tavr1AlarmThresholdText(2, unitThreshold));
    EXPECT_EQ(position(w, 2, "Thres_UD"), unitThreshold);
    ASSERT_TRUE(sendPending(*f));

    ASSERT_TRUE(settingsBlocks(*f, 2));
    EXPECT_EQ(sim.commandLines().size(), 1) << "not retried";
    EXPECT_EQ(sim.config[Tavr1AlarmThresholdItem(2)], unitThreshold);
    EXPECT_EQ(text(w, 2, "Thres_ST"), Tavr1AlarmThresholdText(2, unitThreshold));
}

TEST_F(Tavr1AlarmRelayTest, TheTestButtonLightsAlarmOneForAWhile)
{
    sim.identification = Tavr1Sim::revisionCIdentification();
    auto f = connectToSim();
    auto* w = openVariant(TAlarmVariant::Trap, *f);
    ASSERT_EQ(lamp(w, 1), lime);
    w->findChild<QPushButton*>("AR5_TB")->click();
    EXPECT_EQ(f->Tavr1Command.Kind, ckAction);
    EXPECT_EQ(f->Tavr1Command.b3, 5);
    ASSERT_TRUE(sendPending(*f));
    EXPECT_EQ(sim.commandLines().last(), "PBCA16");
    EXPECT_TRUE(tickUntil(
        *f, [&] { return lamp(w, 1) == red; }, 40));
    EXPECT_TRUE(tickUntil(
        *f, [&] { return lamp(w, 1) == lime; }, 40));
    EXPECT_EQ(lamp(w, 5), lime);
}

// ---- From the panel ----------------------------------------------------------

TEST_F(Tavr1AlarmRelayTest, ThePanelOpensTheVariantOfTheUnitsOptionLetter)
{
    for (bool revisionC : {true, false}) {
        SCOPED_TRACE(revisionC);
        Tavr1Sim unit;
        unit.blockIntervalMs = 60;
        if (revisionC)
            unit.identification = Tavr1Sim::revisionCIdentification();
        TFrame2 f("Connect1");
        f.HardwareType = htTavr1;
        f.Transport = trNetwork;
        f.IpAddress = "127.0.0.1";
        f.TcpPort = unit.listenTcp();
        f.OpenConnection();
        ASSERT_TRUE(waitFor([&] { return f.PortOpen; }));
        ASSERT_TRUE(tickUntil(
            f, [&] { return f.ProcessState == 4; }, 40));
        EXPECT_EQ(f.Tavr1OptionLetter, revisionC ? "C" : "B");

        QWidget rackWidget;
        auto* panel = new TTavr1Panel(&rackWidget, &rackWidget, "Rack1_TAVR1", &f, 0);
        panel->menuEntry(t1kAlarmRelay, 0)->trigger();
        QWidget* w = panel->children().find(t1kAlarmRelay, revisionC ? 1 : 0);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->objectName(), "Rack1_TAVR1_TAVR1AR0");
        EXPECT_EQ(qobject_cast<TTavr1AlarmRelaySNMP*>(w) != nullptr, revisionC);
        EXPECT_EQ(w->findChild<QComboBox*>("AR1_TA_CB") != nullptr, revisionC);
        f.CloseConnection();
    }
}

TEST_F(Tavr1AlarmRelayTest, BothVariantsOpenAndClosingOneKeepsTheOther)
{
    QWidget rackWidget;
    QPointer<TTavr1Panel> panel =
        new TTavr1Panel(&rackWidget, &rackWidget, "Rack1_TAVR1", &frame, 0);
    frame.Tavr1OptionLetter = "B";
    panel->menuEntry(t1kAlarmRelay, 0)->trigger();
    frame.Tavr1OptionLetter = "C";
    panel->menuEntry(t1kAlarmRelay, 0)->trigger();
    QPointer<QWidget> plain = panel->children().find(t1kAlarmRelay, 0);
    QPointer<QWidget> trap = panel->children().find(t1kAlarmRelay, 1);
    ASSERT_TRUE(plain && trap);
    ASSERT_NE(qobject_cast<TTavr1AlarmRelay*>(plain), nullptr);
    ASSERT_NE(qobject_cast<TTavr1AlarmRelaySNMP*>(trap), nullptr);

    auto refreshPanel = [&] {
        PostMessage(QPointer<QObject>(panel.data()), UM_TAVR1_REFRESH);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
    };
    for (QPointer<QWidget>* closing : {&trap, &plain}) {
        QPointer<QWidget>& other = closing == &trap ? plain : trap;
        const int otherIndex = closing == &trap ? 0 : 1;
        (*closing)->close();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(closing->isNull());
        EXPECT_EQ(panel->children().find(t1kAlarmRelay, otherIndex), other.data())
            << "still the panel's";

        frame.Tavr1AlarmMasks = {0x0001, 0};
        refreshPanel();
        EXPECT_EQ(lamp(other, 1), red) << "still refreshed";
        frame.Tavr1AlarmMasks = {0, 0};
        refreshPanel();
        EXPECT_EQ(lamp(other, 1), lime);
        if (closing == &trap) {
            // Open the trap variant again for the other way round.
            panel->menuEntry(t1kAlarmRelay, 0)->trigger();
            trap = panel->children().find(t1kAlarmRelay, 1);
            ASSERT_TRUE(trap);
        }
    }
    EXPECT_EQ(panel->children().count(), 1);
}
