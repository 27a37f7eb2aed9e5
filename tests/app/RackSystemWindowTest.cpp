// The whole program against a simulated rack system: an active rack
// connection gets its rack window from the main window's tick.
#include "TestSupport.h"

#include "app/Connects.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "link/Frame2.h"
#include "shell/Rack.h"
#include "sim/rack/RackSim.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

TEST(RackSystemWindowTest, AnActiveRackSystemGetsRack1)
{
    TempBase base;
    RackSim rack(rkFM);
    TConnectionSettings s = DefaultSettings("Connect1", base.path());
    s.HardwareType = htRackSystem;
    s.Transport = trNetwork;
    s.ConnectOnStartup = true;
    s.IpAddress = "127.0.0.1";
    s.TcpPort = rack.listenTcp();
    s.DevicePassword = "QUMOR7";
    base.writeConfig("Connect1", s);
    CreateForms();
    TFrame2* frame = Connects->ConnectionByIndex(1);
    EXPECT_TRUE(waitFor([&] { return frame->Status == stActive; }, 20000));
    EXPECT_TRUE(waitFor([&] { return Main->Rack1 != nullptr; }, 4000));
    if (Main->Rack1) {
        EXPECT_EQ(Main->Rack1->objectName(), "Rack1");
        EXPECT_EQ(frame->RackWindow, Main->Rack1);
    }
    // The modules are found while the blocks come in.
    EXPECT_TRUE(waitFor([&] { return frame->UnitPresence[upKelb1]; }, 20000));
    DestroyForms();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
