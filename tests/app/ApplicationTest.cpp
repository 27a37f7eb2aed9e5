#include "app/Forms.h"
#include "app/PathSelect.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

// A handler that throws must not end the program: the exception is discarded
// and the event loop goes on with the next event.
TEST(Application, AnExceptionFromAHandlerIsDiscarded)
{
    PathSelect = new TPathSelect;
    int after = 0;
    QTimer::singleShot(0, [] { throw std::runtime_error("handler failed"); });
    QTimer::singleShot(0, [&] { ++after; });
    testing::internal::CaptureStderr();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(after, 1);
    EXPECT_NE(err.find("handler failed"), std::string::npos);
    delete PathSelect.data();
}
