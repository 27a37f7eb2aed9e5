#include "protocol/firmware/DldFile.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {
TDldError readHeader(const QByteArray& bytes, TDldHeader* header)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadDldHeader(buffer, header);
}
} // namespace

TEST(DldFile, HeaderIsReadFromBytes)
{
    TDldHeader h;
    EXPECT_EQ(readHeader("1200\r\nV01.05\r\nV01.18\r\n:10000000...\r\n", &h), TDldError::None);
    EXPECT_EQ(h.LineCount, 1200);
    EXPECT_EQ(h.BootVersion, "V01.05");
    EXPECT_EQ(h.MainVersion, "V01.18");
}

TEST(DldFile, AFileWithoutLineEndsIsRefusedWithoutReadingItWhole)
{
    TDldHeader h;
    const QByteArray junk(1 << 20, '7'); // a count far past 65535, no line end
    EXPECT_EQ(readHeader(junk, &h), TDldError::BadCount);
    EXPECT_LE(h.BootVersion.size(), 256);
    EXPECT_EQ(readHeader(QByteArray(), &h), TDldError::BadCount);
}
