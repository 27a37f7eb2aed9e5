#include "modules/DisplayAlarms.h"

#include "TestSupport.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "widgets/Lamp.h"

#include <QLabel>
#include <QPointer>
#include <gtest/gtest.h>

namespace {

using Owner = TMessageRecorder<QWidget>;

const QColor maroon(128, 0, 0);
const QColor red(255, 0, 0);

struct DisplayAlarmsTest : ::testing::Test
{
    TFrame2 frame{"Connect1"};
    Owner owner;

    DisplayAlarmsTest()
    {
        frame.RackCaption = "FM Rack";
        owner.setObjectName("Rack1_KELB1");
    }

    TDisplayAlarms* open(int family, int instrument)
    {
        TChildWindowArgs a;
        a.ownerPanel = &owner;
        a.frame = &frame;
        a.ownerHandle = &owner;
        a.family = family;
        a.instrument = instrument;
        return new TDisplayAlarms(a);
    }
    static void refresh(TDisplayAlarms* w)
    {
        PostMessage(QPointer<QWidget>(w), UM_PANEL_REFRESH);
        QCoreApplication::sendPostedEvents();
    }
    static QString lamps(TDisplayAlarms* w)
    {
        QString s;
        for (int i = 1; i <= 8; ++i) {
            const QColor c = w->findChild<Lamp*>(QString("LED%1").arg(i))->color();
            s += c == red ? 'R' : c == maroon ? 'm' : '?';
        }
        return s;
    }
    static QString label(TDisplayAlarms* w, int i)
    {
        return w->findChild<QLabel*>(QString("Label%1").arg(i))->text();
    }
};

TEST_F(DisplayAlarmsTest, LampsFollowTheLowByteOfTheAlarmWord)
{
    TDisplayAlarms* w = open(1, 0);
    EXPECT_EQ(w->objectName(), "Rack1_KELB1_Alarms");
    EXPECT_EQ(w->windowTitle(), " FM Rack  Kelb-1  Alarms");
    EXPECT_EQ(lamps(w), "mmmmmmmm");
    EXPECT_TRUE(w->findChild<Lamp*>("LED1")->isRound());
    frame.Kelb1State.AlarmBits = 0x0081;
    refresh(w);
    EXPECT_EQ(lamps(w), "RmmmmmmR");
    frame.Kelb1State.AlarmBits = 0x0100;
    refresh(w);
    EXPECT_EQ(lamps(w), "mmmmmmmm");
    delete w;
}

TEST_F(DisplayAlarmsTest, LabelSetsByModuleAndReservedForAnyOtherPair)
{
    struct Case
    {
        int family, instrument;
        const char* caption;
        const char* labels[8];
    };
    const Case cases[] = {
        {1,
         0,
         " FM Rack  Kelb-1  Alarms",
         {"AUDIO FAILURE", "HIGH AM NOISE", "HIGH SYNC AM", "LOW CARRIER", "Reserved", "Reserved",
          "Reserved", "Reserved"}},
        {3,
         0,
         " FM Rack  Pelo-1  Alarms",
         {"AUDIO FAILURE", "CARRIER FAILURE", "LOW CARRIER", "HIGH CAR LEVEL", "Reserved",
          "Reserved", "Reserved", "Reserved"}},
        {3,
         1,
         " FM Rack  Pelo-2  Alarms",
         {"AUDIO FAILURE", "CARRIER FAILURE", "LOW CARRIER", "HIGH CAR LEVEL", "LOW RF LEVEL",
          "HIGH RF LEVEL", "Reserved", "Reserved"}},
        {2,
         0,
         nullptr,
         {"RESERVED", "RESERVED", "RESERVED", "RESERVED", "RESERVED", "RESERVED", "RESERVED",
          "RESERVED"}},
    };
    frame.Kelb1State.AlarmBits = 0xFF;
    frame.Pelo1State.AlarmBits = 0x01;
    frame.Pelo2State.AlarmBits = 0x02;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.family * 10 + c.instrument);
        TDisplayAlarms* w = open(c.family, c.instrument);
        if (c.caption) {
            EXPECT_EQ(w->windowTitle(), c.caption);
        }
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(label(w, i + 1), c.labels[i]);
        refresh(w);
        refresh(w);
        const QString lit = c.family == 1       ? "RRRRRRRR"
                            : c.instrument == 0 ? "Rmmmmmmm"
                                                : "mRmmmmmm";
        EXPECT_EQ(lamps(w), c.family == 2 ? QString("mmmmmmmm") : lit);
        delete w;
    }
}

TEST_F(DisplayAlarmsTest, ClosingTellsTheOwnerKind99)
{
    QPointer<TDisplayAlarms> w = open(1, 0);
    w->show();
    w->close();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    ASSERT_EQ(owner.closed.size(), 1u);
    EXPECT_EQ(owner.closed[0], std::make_pair(qintptr(99), qintptr(0)));
}

} // namespace
