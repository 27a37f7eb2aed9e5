#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QtGlobal>

// Fixed-width number fields of the windows and the small conversions of
// received characters. Widths count characters. A value that does not fit is
// shown as asterisks, never truncated, so a reading is never shown wrong.

// b0 is the most significant byte. Callers that want a signed value convert.
quint32 PackBytes32(quint8 b0, quint8 b1, quint8 b2, quint8 b3);

// "+" before positive values (not before 0), right-aligned in w + 1 characters;
// "**" when the text is longer than w.
QString SignedIntField(qint64 n, int w);
// x with d decimals right-aligned in i + d + 1 characters; "*.*" when longer.
QString FixedField(int i, int d, double x);
// As FixedField with "+" before values above 0.
QString SignedFixedField(int i, int d, double x);
// Digits "0".."9" and upper-case "A".."F"; any other character counts as 0.
quint8 HexPairToByte(QChar high, QChar low);
// A non-digit counts as 0.
quint8 DecPairToByte(QChar tens, QChar units);
// Two upper-case hexadecimal digits.
QString ByteToHex2(quint8 b);
// Upper-case hex of the value as unsigned, at least four or eight digits.
QString Hex4(quint32 v);
QString Hex8(quint32 v);
// n right-aligned in w characters; w asterisks when it does not fit.
QString IntField(qint64 n, int w);
// x with d decimals right-aligned in w characters; w asterisks when it does not fit.
QString RealField(int w, int d, double x);
// n padded with "0" to w characters; w zeros when it does not fit.
QString ZeroPadInt(qint64 n, int w);
// n padded with blanks to w characters; w blanks when it does not fit.
QString SpacePadInt(qint64 n, int w);
// The characters of text from position start (1-based) up to, not including,
// the first NUL byte, at most count + 1 of them (Latin-1).
QString CopyCField(int start, const QByteArray& text, int count);

// Rounding as the instruments do it: halves go to the even neighbour.
qint64 RoundHalfEven(double x);
