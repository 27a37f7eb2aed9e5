#include "models/Jov4_Entry.h"

#include "protocol/rack/RackCommands.h"

#include <algorithm>

void TJov4Entry::frequencyKey()
{
    EntryActive = true;
    EntryDigits = "     ";
    EntryStep = 1;
}

QByteArray TJov4Entry::digitKey(int digit)
{
    if (digit < 0 || digit > 9)
        return {};
    const char key = char('0' + digit);
    if (!EntryActive)
        return Jov4PresetCmd(key);
    switch (EntryStep) {
    case 1:
        if (key == '1') {
            EntryDigits[0] = '1';
            EntryDigits[1] = '0';
        } else if (key >= '7' && key <= '9') {
            EntryDigits[0] = '0';
            EntryDigits[1] = key;
        } else {
            return {};
        }
        EntryStep = 2;
        return {};
    case 2:
        if (EntryDigits[1] == '7' && key < '6')
            return {};
        EntryDigits[2] = key;
        EntryStep = 3;
        return {};
    case 3:
        EntryDigits[3] = key;
        EntryStep = 4;
        return {};
    default:
        if (key != '0' && key != '5')
            return {};
        EntryDigits[4] = key;
        EntryActive = false;
        EntryStep = 5;
        return Jov4FrequencyCmd(EntryDigits);
    }
}

QString TJov4Entry::entryLine() const
{
    if (!EntryActive)
        return {};
    if (EntryStep <= 1)
        return QStringLiteral("Enter Freq");
    const QString d = QString::fromLatin1(EntryDigits);
    if (d.at(0) == '0')
        return "D   " + d.mid(1, 2) + "." + d.mid(3, 2) + "    ";
    return "D  " + d.mid(0, 3) + "." + d.mid(3, 2) + "    ";
}

int Jov4RfSegments(qint64 level)
{
    const double n = double(level) * 0.043;
    return std::clamp(int(n), 0, 10);
}

QString Jov4ShownText(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        if (c.unicode() < 0x20)
            c = ' ';
    }
    return out;
}
