#include "protocol/tavr1/Tavr1Identification.h"

#include "common/TextPositions.h"

namespace {

// The bytes at a 1-based position, as text; shorter or empty when the reply
// ends first.
QString field(const QByteArray& reply, qsizetype pos, qsizetype count)
{
    return QString::fromLatin1(copyAt(reply, pos, count));
}

} // namespace

TTavr1Identification ParseTavr1Identification(const QByteArray& reply)
{
    TTavr1Identification id;
    id.Line = QString::fromLatin1(reply);
    if (const qsizetype pos = posOf("SN(", reply)) {
        id.SerialText = field(reply, pos + 3, 6);
        if (id.SerialText.size() >= 2 && id.SerialText.at(1) == '6')
            id.ModelText = "Tavr-1 Lite";
    }
    if (const qsizetype pos = posOf("SW(", reply)) {
        id.SoftwareVersion = field(reply, pos + 3, 5);
        id.BootVersion = field(reply, pos + 9, 5);
    }
    const qsizetype opt = posOf("OPT(", reply);
    if (opt && charAt(reply, opt + 4) == '0')
        id.Options = "Basic";

    if (const qsizetype pos = posOf("REV(", reply)) {
        // A letter the reply does not reach keeps its default.
        auto letter = [&](qsizetype at, QString& out) {
            if (const char c = charAt(reply, at))
                out = QString(QChar::fromLatin1(c));
        };
        letter(pos + 6, id.OptionLetter);
        letter(pos + 10, id.RevisionLetter2);
        letter(pos + 14, id.RevisionLetter3);
    }
    if (id.OptionLetter == "B") {
        if (const qsizetype pos = posOf("LAN(", reply))
            id.LanVersion = field(reply, pos + 4, 7);
    } else if (id.OptionLetter == "C") {
        if (const qsizetype pos = posOf("SOM(", reply))
            id.SomVersion = field(reply, pos + 4, 4);
    }
    return id;
}

TTavr1FirmwareUnit Tavr1FirmwareUnitOf(const TTavr1Identification& id)
{
    return {id.SoftwareVersion, id.BootVersion, id.OptionLetter, id.RevisionLetter2,
            id.RevisionLetter3};
}
