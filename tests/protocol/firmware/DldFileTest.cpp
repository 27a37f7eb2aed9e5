#include "protocol/firmware/DldFile.h"
#include "protocol/hd/HdFirmware.h"
#include "sim/firmware/DldGenerator.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TDldError readHeader(const QByteArray& bytes, TDldHeader* header,
                     TDldHeaderForm form = TDldHeaderForm::MainFirmware)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadDldHeader(buffer, header, form);
}

// Two good records from the generator, to build files around.
const QByteArray S0 = "S00D0000544F4C5645582D53494DFA";
const QByteArray S2 = "S21401000000070E151C232A31383F464D545B6269A2";
const QByteArray S9 = "S9030000FC";

} // namespace

TEST(DldFile, HeaderIsReadFromBytes)
{
    TDldHeader h;
    EXPECT_EQ(readHeader("1200\r\nV01.05\r\nV01.18\r\n:10000000...\r\n", &h), TDldError::None);
    EXPECT_EQ(h.LineCount, 1200);
    EXPECT_EQ(h.BootVersion, "V01.05");
    EXPECT_EQ(h.MainVersion, "V01.18");
    EXPECT_EQ(readHeader("3\nV6.10\nS9030000FC\n", &h, TDldHeaderForm::NetworkModule),
              TDldError::None);
    EXPECT_EQ(h.LineCount, 3);
    EXPECT_EQ(h.MainVersion, "V6.10");
    EXPECT_TRUE(h.BootVersion.isEmpty());
}

TEST(DldFile, AFileWithoutLineEndsIsRefusedWithoutReadingItWhole)
{
    TDldHeader h;
    const QByteArray junk(1 << 20, '7'); // a count far past 65535, no line end
    EXPECT_EQ(readHeader(junk, &h), TDldError::BadCount);
    EXPECT_LE(h.BootVersion.size(), 256);
    EXPECT_EQ(readHeader(QByteArray(), &h), TDldError::BadCount);
}

TEST(DldFile, SRecordsAreCheckedForFormAndTheirChecksumIsReported)
{
    struct Row
    {
        QByteArray line;
        bool wellFormed;
        bool checksumGood;
        int type;
        quint32 address;
        int dataBytes;
    };
    const Row rows[] = {
        {S0, true, true, 0, 0, 10},
        {S2, true, true, 2, 0x010000, 16},
        {S9, true, true, 9, 0, 0},
        {"S5030003F9", true, true, 5, 3, 0},
        {"S3090000100001020304DC", true, true, 3, 0x1000, 4},
        {"S70500001000EA", true, true, 7, 0x1000, 0},
        {"S21401000000070E151C232A31383F464D545b6269A2", true, true, 2, 0x010000, 16}, // lower case
        {"S21401000000070E151C232A31383F464D545B6269A3", true, false, 2, 0x010000, 16},
        {"S2140100000007XE151C232A31383F464D545B6269A2", false, false, 0, 0, 0}, // non-hex
        {"S21401000000070E151C232A31383F464D545B6269A", false, false, 0, 0, 0},  // odd length
        {"S21501000000070E151C232A31383F464D545B6269A2", false, false, 0, 0, 0}, // count too big
        {"S21301000000070E151C232A31383F464D545B6269A2", false, false, 0, 0, 0}, // count too small
        {"S4030000FC", false, false, 0, 0, 0},             // type 4 does not exist
        {"S21401000000070E151C23", false, false, 0, 0, 0}, // cut in the middle
        {"S2030000FC", false, false, 0, 0, 0},             // count shorter than an S2 address
        {"SX030000FC", false, false, 0, 0, 0},
        {"s9030000FC", false, false, 0, 0, 0},
        {"S9030000FC\r", false, false, 0, 0, 0}, // the reader strips line ends
        {"S9", false, false, 0, 0, 0},
        {"", false, false, 0, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.line.toStdString());
        const auto rec = ParseSRecord(r.line);
        ASSERT_EQ(rec.has_value(), r.wellFormed);
        if (!rec)
            continue;
        EXPECT_EQ(rec->ChecksumGood, r.checksumGood);
        EXPECT_EQ(rec->Type, r.type);
        EXPECT_EQ(rec->Address, r.address);
        EXPECT_EQ(rec->Data.size(), r.dataBytes);
    }
}

TEST(DldFile, WholeFilesAreReadOrRefusedWithTheLineThatFailed)
{
    const QByteArray head = "3\r\nV01.05\r\nV01.18\r\n";
    struct Row
    {
        const char* what;
        QByteArray bytes;
        TDldHeaderForm form;
        TDldError error;
        int dataLines; // or, for BadRecord, the refused line's number
        int headerCount;
    };
    const auto M = TDldHeaderForm::MainFirmware;
    const auto N = TDldHeaderForm::NetworkModule;
    const Row rows[] = {
        {"CR LF", head + S0 + "\r\n" + S2 + "\r\n" + S9 + "\r\n", M, TDldError::None, 3, 3},
        {"LF", "3\nV01.05\nV01.18\n" + S0 + "\n" + S2 + "\n" + S9 + "\n", M, TDldError::None, 3, 3},
        {"no end on the last line", head + S0 + "\r\n" + S9, M, TDldError::None, 2, 3},
        {"blank lines", head + "\r\n" + S0 + "\r\n\r\n  \n" + S9 + "\r\n\r\n", M, TDldError::None,
         2, 3},
        {"0x1A at the end", head + S0 + "\r\n" + S9 + "\r\n\x1A", M, TDldError::None, 2, 3},
        {"0x1A line at the end", head + S0 + "\r\n" + S9 + "\r\n\x1A\r\n", M, TDldError::None, 2,
         3},
        {"0x1A in the middle", head + S0 + "\r\n\x1A\r\n" + S9 + "\r\n", M, TDldError::BadRecord, 5,
         0},
        {"two-line header", "2\r\nV6.10\r\n" + S0 + "\r\n" + S9 + "\r\n", N, TDldError::None, 2, 2},
        {"two-line header read as three", "2\r\nV6.10\r\n" + S0 + "\r\n" + S9 + "\r\n", M,
         TDldError::None, 1, 2},
        {"count 65535", "65535\r\nA\r\nB\r\n" + S9 + "\r\n", M, TDldError::None, 1, 65535},
        {"count 0", "0\r\nA\r\nB\r\n" + S9 + "\r\n", M, TDldError::BadCount, 0, 0},
        {"count 65536", "65536\r\nA\r\nB\r\n" + S9 + "\r\n", M, TDldError::BadCount, 0, 0},
        {"count ten", "ten\r\nA\r\nB\r\n" + S9 + "\r\n", M, TDldError::BadCount, 0, 0},
        {"count empty", "\r\nA\r\nB\r\n" + S9 + "\r\n", M, TDldError::BadCount, 0, 0},
        {"count negative", "-3\r\nA\r\nB\r\n", M, TDldError::BadCount, 0, 0},
        {"empty file", "", M, TDldError::BadCount, 0, 0},
        {"non-hex", head + S0 + "\r\nS2140100000007XE151C232A31383F464D545B6269A2\r\n", M,
         TDldError::BadRecord, 5, 0},
        {"odd length", head + S0.chopped(1) + "\r\n", M, TDldError::BadRecord, 4, 0},
        {"count byte disagrees", head + S0 + "\r\n" + S9 + "\r\nS9040000FC\r\n", M,
         TDldError::BadRecord, 6, 0},
        {"type S4", head + "S4030000FC\r\n", M, TDldError::BadRecord, 4, 0},
        {"cut in the middle", head + S0 + "\r\n" + S2.left(20), M, TDldError::BadRecord, 5, 0},
        {"not a record", head + ":10000000\r\n", M, TDldError::BadRecord, 4, 0},
        {"wrong checksum passes", head + S2.chopped(1) + "7\r\n", M, TDldError::None, 1, 3},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TDldFile f;
        ASSERT_EQ(ReadDldFile(QByteArrayView(r.bytes), r.form, &f), r.error);
        if (r.error == TDldError::BadRecord) {
            EXPECT_EQ(f.ErrorLine, r.dataLines);
            EXPECT_EQ(f.DataLineCount(), 0);
        } else {
            EXPECT_EQ(f.DataLineCount(), r.dataLines);
            EXPECT_EQ(f.Header.LineCount, r.headerCount);
        }
    }
}

TEST(DldFile, DataLinesComeBackUnchangedAndTheHeaderCountIsNotJudged)
{
    // A header of 50 over 48 data lines: the reader counts what is there.
    QByteArray bytes = MakeDldFile({46, "V01.05", "V01.17", {}, "\r\n"});
    bytes.replace(0, 2, "50");
    TDldFile f;
    ASSERT_EQ(ReadDldFile(QByteArrayView(bytes), TDldHeaderForm::MainFirmware, &f),
              TDldError::None);
    EXPECT_EQ(f.Header.LineCount, 50);
    EXPECT_EQ(f.Header.BootVersion, "V01.05");
    EXPECT_EQ(f.Header.MainVersion, "V01.17");
    ASSERT_EQ(f.DataLineCount(), 48);
    const QList<QByteArray> lines = bytes.split('\n');
    for (int i = 0; i < 48; ++i) {
        EXPECT_EQ(f.DataLine(i) + "\r", lines[3 + i]);
        const auto rec = ParseSRecord(f.DataLine(i));
        ASSERT_TRUE(rec);
        EXPECT_TRUE(rec->ChecksumGood);
    }
    EXPECT_EQ(ParseSRecord(f.DataLine(0))->Type, 0);
    EXPECT_EQ(ParseSRecord(f.DataLine(47))->Type, 9);
    EXPECT_TRUE(f.DataLine(48).isEmpty());
    EXPECT_TRUE(f.DataLine(-1).isEmpty());
}

TEST(DldFile, OversizedOrMissingFilesAreRefused)
{
    TDldFile f;
    QByteArray big = MakeDldFile({2, "V01.05", "V01.18", {}, "\r\n"});
    big += QByteArray(TDldFile::MaxBytes, '\n');
    EXPECT_EQ(ReadDldFile(QByteArrayView(big), TDldHeaderForm::MainFirmware, &f),
              TDldError::TooLarge);
    QBuffer buffer(&big);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(ReadDldFile(buffer, TDldHeaderForm::MainFirmware, &f), TDldError::TooLarge);

    QTemporaryDir dir;
    EXPECT_EQ(ReadDldFile(dir.filePath("NONE.DLD"), TDldHeaderForm::MainFirmware, &f),
              TDldError::NotFound);
    EXPECT_EQ(ReadDldFile(QString(), TDldHeaderForm::MainFirmware, &f), TDldError::NotFound);
    QFile file(dir.filePath("XPORT.DLD"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(MakeDldFile({5, {}, {}, "V6.10", "\n"}));
    file.close();
    ASSERT_EQ(ReadDldFile(file.fileName(), TDldHeaderForm::NetworkModule, &f), TDldError::None);
    EXPECT_EQ(f.DataLineCount(), 7);
    EXPECT_EQ(f.Header.MainVersion, "V6.10");
}

TEST(DldFile, MoreDataLinesThanTheProgramCommandCarriesAreRefused)
{
    QByteArray bytes = "65535\nA\nB\n";
    for (int i = 0; i < 65536; ++i)
        bytes += "S9030000FC\n";
    TDldFile f;
    EXPECT_EQ(ReadDldFile(QByteArrayView(bytes), TDldHeaderForm::MainFirmware, &f),
              TDldError::TooManyLines);
    bytes.chop(11);
    EXPECT_EQ(ReadDldFile(QByteArrayView(bytes), TDldHeaderForm::MainFirmware, &f),
              TDldError::None);
    EXPECT_EQ(f.DataLineCount(), 65535);
}

TEST(DldFile, CommandLines)
{
    EXPECT_EQ(BuildPageLine(50), "PG0032\r");
    EXPECT_EQ(BuildPageLine(1234), "PG04D2\r");
    EXPECT_EQ(BuildPageLine(0), "PG0000\r");
    EXPECT_EQ(BuildPageLine(0xFFFF), "PGFFFF\r");
    EXPECT_EQ(BuildSerialRecord(0, 0, 0), "S20800200900000000CE");
    EXPECT_EQ(BuildSerialRecord(1, 2, 3), "S20800200900010203C8");
    EXPECT_EQ(BuildSerialRecord(9, 9, 9), "S20800200900090909B3");
    EXPECT_TRUE(BuildSerialRecord(-1, 0, 0).isEmpty());
    EXPECT_TRUE(BuildSerialRecord(0, 10, 0).isEmpty());
    const auto rec = ParseSRecord(BuildSerialRecord(4, 5, 6));
    ASSERT_TRUE(rec);
    EXPECT_TRUE(rec->ChecksumGood);
    EXPECT_EQ(rec->Address, 0x002009u);
}

// What may go to a unit: every record with its checksum, as many data lines
// as the header announces, and at least one. A bad record is named before a
// count that is off, as the more exact reason.
TEST(DldFile, OnlyTheWholeImageIsFitToSend)
{
    const QByteArray head = "3\r\nV01.05\r\nV01.18\r\n";
    const QByteArray badS2 = S2.chopped(1) + "3";
    struct Row
    {
        const char* what;
        QByteArray bytes;
        TDldFault fault;
        int record;
        const char* reason;
    };
    const Row rows[] = {
        {"whole", head + S0 + "\r\n" + S2 + "\r\n" + S9 + "\r\n", TDldFault::None, 0, ""},
        {"header only", head, TDldFault::NoDataLines, 0, "no data lines"},
        {"header and blank lines", head + "\r\n\r\n\x1A", TDldFault::NoDataLines, 0,
         "no data lines"},
        {"one line short", head + S0 + "\r\n" + S9 + "\r\n", TDldFault::CountMismatch, 0,
         "2 data lines, its header says 3"},
        {"one line over", head + S0 + "\r\n" + S2 + "\r\n" + S2 + "\r\n" + S9 + "\r\n",
         TDldFault::CountMismatch, 0, "4 data lines, its header says 3"},
        {"record 2 fails", head + S0 + "\r\n" + badS2 + "\r\n" + S9 + "\r\n",
         TDldFault::BadChecksum, 2, "record 2 fails its checksum"},
        {"short, and record 1 fails", head + badS2 + "\r\n", TDldFault::BadChecksum, 1,
         "record 1 fails its checksum"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TDldFile f;
        ASSERT_EQ(ReadDldFile(QByteArrayView(r.bytes), TDldHeaderForm::MainFirmware, &f),
                  TDldError::None);
        const TDldCheck c = CheckDldImage(f);
        EXPECT_EQ(c.Fault, r.fault);
        EXPECT_EQ(c.Record, r.record);
        EXPECT_EQ(DldRefusalReason(TDldError::None, f, c), r.reason);
    }
    // The reader's own refusals name their line.
    TDldFile f;
    const QByteArray cut = head + S0 + "\r\n" + S2.left(20) + "\r\n";
    ASSERT_EQ(ReadDldFile(QByteArrayView(cut), TDldHeaderForm::MainFirmware, &f),
              TDldError::BadRecord);
    EXPECT_EQ(DldRefusalReason(TDldError::BadRecord, f, {}), "line 5 is no S-record");
}
