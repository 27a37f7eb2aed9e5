#pragma once

#include <QByteArray>
#include <QString>

// The Jov4-type tuner's keypad without widgets: a digit recalls a preset, or,
// after the frequency key, enters the next digit of a frequency in hundredths
// of MHz ("09810" is 98.10 MHz). A key a step does not take is ignored and
// the step stays.
class TJov4Entry
{
public:
    bool EntryActive = false;
    int EntryStep = 1;                // 1..5
    QByteArray EntryDigits = "     "; // five characters

    // The frequency key: a new entry (nothing is sent).
    void frequencyKey();
    // Digit 0..9: returns the command to send, empty for none.
    QByteArray digitKey(int digit);
    // The display line during an entry (empty when none is active).
    QString entryLine() const;
};

// Segments of the ten-segment RF bar lit by a level: Trunc(level x 0.043),
// held within 0..10.
int Jov4RfSegments(qint64 level);

// Device text as a label shows it: control and NUL bytes as blanks.
QString Jov4ShownText(const QString& text);
