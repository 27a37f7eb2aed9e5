#include "protocol/bry1/Bry1Commands.h"

#include <gtest/gtest.h>

TEST(Bry1Commands, EveryLineAndItsBytes)
{
    const struct
    {
        QByteArray (*build)();
        const char* bytes;
    } rows[] = {
        {Bry1StartData, "D1\r"}, {Bry1Page2, "D2\r"},   {Bry1Page3, "D3\r"},   {Bry1Page4, "D4\r"},
        {Bry1StopData, "D0\r"},  {Bry1Identify, "T\r"}, {Bry1Versions, "U\r"}, {Bry1Return, "\r"},
        {Bry1Zero, "Z\r"},       {Bry1Reset, "R\r"},    {Bry1Load, "L\r"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.build(), QByteArray(r.bytes));

    // The page the unit offers next chooses the request; any page past the
    // first two asks for the fourth.
    const struct
    {
        int page;
        const char* request;
    } pages[] = {{0, "D2\r"}, {1, "D3\r"}, {2, "D4\r"}, {15, "D4\r"}, {-1, "D4\r"}};
    for (const auto& p : pages) {
        EXPECT_EQ(Bry1PageRequest(p.page), QByteArray(p.request)) << p.page;
        EXPECT_EQ(Bry1PageDigit(p.page), p.request[1]) << p.page;
    }
}
