#include "platform/UserMessages.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QObject>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Receiver = TMessageRecorder<>;

} // namespace

TEST(UserMessages, NumbersAreTheDesignedOnes)
{
    EXPECT_EQ(UM_RACK_SAMPLES, 0x464);
    EXPECT_EQ(UM_CHILD_CLOSED, 0x468);
    EXPECT_EQ(UM_TAVR1_REFRESH, 0x46D);
}

TEST(UserMessages, PostedNotSentAndCarryTheirParameters)
{
    Receiver r;
    QPointer<QObject> target(&r);
    EXPECT_TRUE(PostMessage(target, UM_CHILD_CLOSED, 2, 7));
    EXPECT_TRUE(r.seen.empty()) << "a message is handled only when the loop dispatches it";
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(r.seen.size(), 1u);
    EXPECT_EQ(r.seen[0].msg, UM_CHILD_CLOSED);
    EXPECT_EQ(r.seen[0].w, 2);
    EXPECT_EQ(r.seen[0].l, 7);
}

TEST(UserMessages, NothingIsPostedToAFreedReceiver)
{
    QPointer<QObject> target;
    {
        auto r = std::make_unique<Receiver>();
        target = r.get();
    }
    EXPECT_FALSE(PostMessage(target, UM_PANEL_REFRESH));

    // A message still queued when its receiver goes is dropped, not delivered.
    auto r = std::make_unique<Receiver>();
    QPointer<QObject> live(r.get());
    EXPECT_TRUE(PostMessage(live, UM_PANEL_REFRESH));
    r.reset();
    QCoreApplication::sendPostedEvents();
    SUCCEED();
}

TEST(UserMessages, ABurstOfRefreshesIsDeliveredOnce)
{
    Receiver a;
    Receiver b;
    QPointer<QObject> ta(&a);
    QPointer<QObject> tb(&b);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(PostRefresh(ta, UM_PANEL_REFRESH));
        EXPECT_TRUE(PostRefresh(ta, UM_TAVR1_REFRESH));
        EXPECT_TRUE(PostRefresh(tb, UM_PANEL_REFRESH));
    }
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(a.seen.size(), 2u) << "one of each message";
    EXPECT_EQ(b.seen.size(), 1u) << "each receiver gets its own";

    // Once dispatched, the next refresh is posted again.
    EXPECT_TRUE(PostRefresh(ta, UM_PANEL_REFRESH));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(a.seen.size(), 3u);

    // A receiver freed with a refresh still waiting leaves nothing behind: a
    // new receiver (perhaps at the same address) is refreshed normally.
    auto gone = std::make_unique<Receiver>();
    EXPECT_TRUE(PostRefresh(QPointer<QObject>(gone.get()), UM_PANEL_REFRESH));
    gone.reset();
    auto fresh = std::make_unique<Receiver>();
    EXPECT_TRUE(PostRefresh(QPointer<QObject>(fresh.get()), UM_PANEL_REFRESH));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(fresh->seen.size(), 1u);
    EXPECT_FALSE(PostRefresh(QPointer<QObject>(), UM_PANEL_REFRESH));
}
