#pragma once

#include "data/FrameState.h"
#include "protocol/rack/RackData.h"

#include <QByteArray>
#include <QList>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>

// What the rack menu models' tests share: a command written out byte by byte,
// the commands one key sends, and a module's state beside the frame's
// measurement history (on the heap: it is large).
inline QByteArray bytes(std::initializer_list<int> b)
{
    QByteArray a;
    for (int x : b)
        a.append(char(x));
    return a;
}

using Cmds = QList<QByteArray>;

template <typename State = TRackModuleState>
struct RackMenuFixture : ::testing::Test
{
    State s;
    std::unique_ptr<TMeasurementHistory> hist = std::make_unique<TMeasurementHistory>();
};
