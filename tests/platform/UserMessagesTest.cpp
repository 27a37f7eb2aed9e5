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
