#pragma once

#include "protocol/tavr1/Tavr1Data.h"

#include <QByteArray>
#include <QString>
#include <span>

// Where the fields of a Tavr1 data block lie. The decoder reads through these
// tables and the simulated unit writes through them.

// The one definition of the block lengths: the receive cutter, the decoder
// and the simulated unit all read these.
constexpr int Tavr1BlockLength = 1501;
constexpr int Tavr1StampedBlockLength = 1509; // with the unit's date-time

namespace Tavr1Offset {
constexpr int EchoCode = 4; // 255: no echo
constexpr int EchoBytes = 5;
constexpr int SpectrumMode = 9;
constexpr int Leds = 10;
constexpr int AlarmMask1 = 12;
constexpr int AlarmMask2 = 15;
constexpr int Measurements = 17; // 100 values, 12 bits each
constexpr int Spectrum = 250;    // 509 values, 12 bits each
constexpr int TailKind = 1250;
} // namespace Tavr1Offset

constexpr int Tavr1NoEcho = 255;
constexpr int Tavr1SpectrumValueCount = 509;
constexpr int Tavr1HistoryValueCount = 48; // raw values also kept as history series

enum TTavr1TailKind : int
{
    tkConfig = 0,
    tkRds = 1,
    tkTable = 18,
};

// Values packed two into three bytes (L0, L1, H): the even one is L0 plus the
// low nibble of H above it, the odd one L1 plus the high nibble; bit 11 is the
// sign.
qint32 Tavr1Value12(const QByteArray& block, int base, int index);
void setTavr1Value12(QByteArray& block, int base, int index, qint32 value);

// Reads that give 0 outside the block, so no field read can leave it.
class TTavr1BlockReader
{
public:
    explicit TTavr1BlockReader(const QByteArray& block)
        : m_block(block)
    {}
    quint8 u8(int offset) const;
    qint32 s8(int offset) const { return qint8(u8(offset)); }
    quint16 be16(int offset) const { return quint16(u8(offset) << 8 | u8(offset + 1)); }
    qint32 s16(int offset) const { return qint16(be16(offset)); }
    qint32 s32(int offset) const { return qint32(quint32(be16(offset)) << 16 | be16(offset + 2)); }
    // len bytes as Latin-1 characters.
    QString text(int offset, int len) const;

private:
    const QByteArray& m_block;
};

// Where each raw measurement value goes in Tavr1Measurements. Raw values 46
// and 47 appear twice: both SCA channels show the same pair of dB levels.
struct TTavr1RawPlace
{
    int raw;
    int channel;
    int slot;
};
std::span<const TTavr1RawPlace> Tavr1RawPlaces();

// Fields of the settings tail: count items from firstItem on, itemStep apart,
// at offset, offsetStep bytes apart. A Real32 field is a signed 32-bit count
// of thousandths stored as the real of an item pair.
enum class TTavr1FieldType
{
    U8,
    S8,
    BE16,
    S16,
    Real32
};
struct TTavr1ConfigField
{
    int offset;
    TTavr1FieldType type;
    int firstItem;
    int count = 1;
    int offsetStep = 0; // 0: the width of the type
    int itemStep = 1;
};
int Tavr1FieldWidth(TTavr1FieldType type);
std::span<const TTavr1ConfigField> Tavr1ConfigFields();

// Fields of the RDS tail.
struct TTavr1RdsText
{
    int offset;
    int length;
    QString TTavr1RdsRec::*field;
};
struct TTavr1RdsNumber
{
    int offset;
    qint32 TTavr1RdsRec::*field;
};
std::span<const TTavr1RdsText> Tavr1RdsTexts();
std::span<const TTavr1RdsNumber> Tavr1RdsNumbers();
namespace Tavr1RdsOffset {
constexpr int RadioTextA = 1316;
constexpr int RadioTextB = 1380;
constexpr int RadioTextLength = 64;
constexpr int AfList = 1445;
constexpr int AfListLength = 48;
constexpr int GroupsA = 1493;
constexpr int GroupsB = 1495;
} // namespace Tavr1RdsOffset

// The table tail: the block offset of the byte that fills a table word; -1 for
// the words it does not carry (4 and 17 of each 26-word row).
int Tavr1TableOffset(int word);
