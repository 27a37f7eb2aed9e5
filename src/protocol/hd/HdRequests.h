#pragma once

#include "data/FrameState.h"
#include "protocol/hd/HdData.h"

#include <QByteArray>
#include <QString>
#include <array>

// Requests to an HD unit: the queue the windows fill and the poll tick empties
// one line at a time, the lines themselves, and the unit's echo of what it
// accepted.

// ---- Queue ------------------------------------------------------------------

void QueueSetParameter(THdData& d, int id, quint8 b0 = 0, quint8 b1 = 0, quint8 b2 = 0,
                       quint8 b3 = 0);
void QueueAction(THdData& d, int id, quint8 b0 = 0, quint8 b1 = 0, quint8 b2 = 0, quint8 b3 = 0);
void QueueStringParameter(THdData& d, int id, quint8 b0 = 0, quint8 b1 = 0, quint8 b2 = 0,
                          quint8 b3 = 0);
void QueueHistoryRequest(THdData& d, int id, quint8 b0 = 0, quint8 b1 = 0, quint8 b2 = 0,
                         quint8 b3 = 0);
void QueueDiagnosticRequest(THdData& d, int id, quint8 b0 = 0, quint8 b1 = 0, quint8 b2 = 0,
                            quint8 b3 = 0);
// A line sent as its text, unchanged.
void QueueRawLine(THdData& d, const QByteArray& text);
// Copies RequestDraft into the queue. While ten requests wait, a new one
// replaces the newest: the queue keeps the ten oldest and the newest.
void AppendRequest(THdData& d);
// Takes the oldest request (Pending false when none waits).
TRequestRec PopRequest(THdData& d);
void ResetRequestQueue(THdData& d);

// ---- Lines ------------------------------------------------------------------

enum class THdLine
{
    CarriageReturn,
    EF,
    SD,
    SC,
    EC,
    HD,
    PG,
    UI,
    UL,
    DE,
};
QByteArray BuildHdLine(THdLine line);
// "PG" + four hex digits of n + CR.
QByteArray BuildHdPageLine(quint16 n);

// The line a request becomes, its value read from the frame's working copies
// now. A request whose selector or configuration is out of range becomes no
// line; dropReason then says why. An action 512 (defaults) raises the reload
// requests that bring the unit's defaults back into the local copies.
struct THdRequestLine
{
    QByteArray line;
    QString dropReason;
};
THdRequestLine BuildHdRequestLine(const TRequestRec& r, THdData& d);

// A text as a "PS" line or the login carries it: no control characters (they
// would end the line early and reach the unit as a command of their own),
// Latin-1, at most maxLength characters (no limit when negative).
QByteArray HdSafeText(const QString& text, int maxLength);
// The edit limit of a "PS" id's string.
int HdStringLimit(int id);

// ---- Echo -------------------------------------------------------------------

// The echo a block carries (id, four value bytes) applied to the working
// copies, with RxLine and the page flags. Id 0xFFFF is no echo.
void ApplyHdBlockEcho(THdData& d, TConnectionState& s, quint16 id,
                      const std::array<quint8, 4>& value);
// "  110[006E]  00 00 FE 0C"
QByteArray HdEchoText(quint16 id, const std::array<quint8, 4>& value);

// An echoed request line (without its CR) applied to the working copies; a
// line with a wrong sum, a wrong length or anything but hex digits where
// digits belong changes nothing. Returns whether it was applied.
bool ParseEchoLine(const QByteArray& line, THdData& d, TConnectionState& s);
