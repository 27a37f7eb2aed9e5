#pragma once

#include <QString>
#include <QtGlobal>

// The rules and tables behind the Basic page of an RDS window, as plain
// functions over block words and decoded values. Bits are numbered from 0
// (least significant); blocks are A (PI), B, C, D.

namespace Rds {

// Group type number: group x 2 + version (0 = 0A, 1 = 0B, ... 31 = 15B).
inline int GroupType(quint16 b)
{
    return (b >> 11) & 0x1F;
}
inline bool TrafficProgram(quint16 b)
{
    return (b & 0x0400) != 0;
}
inline int ProgramType(quint16 b)
{
    return (b >> 5) & 0x1F;
}

enum TGroupType : int
{
    gt0A = 0,
    gt0B = 1,
    gt1A = 2,
    gt1B = 3,
    gt2A = 4,
    gt2B = 5,
    gt3A = 6,
    gt4A = 8,
    gt5A = 10,
    gt5B = 11,
    gt6A = 12,
    gt6B = 13,
    gt7A = 14,
    gt10A = 20,
    gt14A = 28,
    gt14B = 29,
    gt15A = 30,
    gt15B = 31,
};

// A fixed-width text of device bytes: every byte Latin-1 cannot print (the
// controls below 0x20 with NUL, DEL, the controls 0x80-0x9F, the soft hyphen)
// shows as a blank, the rest as Latin-1, and the text always has exactly n
// characters. A garbled group then shows blanks, never an invisible character
// that would shift the readout.
QString DeviceChars(const quint8* bytes, int n);

// "0".."F", four upper-case digits.
QString PiHexText(quint16 pi);
// North-American call letters of a PI: "K"/"W" + three letters, the fixed
// three-letter table 9950-99BB (each with a trailing blank; 998A-998F give an
// empty text), "****" for every other PI.
QString CallLetters(quint16 pi);

// Eight characters; mode 0 the RBDS set, mode 1 the RDS set. A code outside
// 0..31 gives "********".
QString PtyName(int pty, int mode);
// Ten characters, for a DI value 0..15.
QString DiText(int di);
// Two letters for a state code 0..50, "**" for any other.
QString StateName(int code);
// "ON(1) " / "OFF(0)".
QString OnOffText(bool on);
// "MUSIC(1) " / "SPEECH(0)".
QString MusicSpeechText(bool music);
// ECC: "A0", "A1", "A4" for 160, 161, 164, else "**".
QString EccText(int ecc);
// Day, then the hour in 12-hour form: "05 12:07 AM".
QString PinText(int day, int hour, int minute);

// The clock of a 4A group as sent (UTC) with its local offset.
struct TRdsClock
{
    int mjd = 0;
    int hour = 0; // UTC
    int minute = 0;
    int offsetHalfHours = 0;
    bool negative = false;
};
TRdsClock ClockFromGroup(quint16 b, quint16 c, quint16 d);
// Whether the clock can be shown: an MJD from 1 March 1900 to 28 February
// 2100 (MJD 0 is what some encoders send for "no time") and a real UTC time.
bool ClockValid(const TRdsClock& k);
// Local time and date of a valid clock: " 5:15 AM" and "09/06/82" (the date
// that belongs to the local time shown). Callers check ClockValid first.
QString ClockTimeText(const TRdsClock& k);
QString ClockDateText(const TRdsClock& k);

// The group types seen, ascending by type number: " 0A 2A 2B 14A" (width 2
// for groups 0..9, 3 from 10 on). Bit n of seen is type n. Not padded.
QString GroupTypesText(quint32 seen);

} // namespace Rds
