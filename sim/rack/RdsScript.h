#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// What the simulated Lyn1 streams while its RDS stream is on: a looping list
// of groups (A, B, C, D), six of them for each half of an FM pair.
class RdsScript
{
public:
    using Group = std::array<quint16, 4>;
    using Batch = std::array<Group, 6>;

    // The built-in station: call letters KVEX, rock, PS "KVEX FM " with an AF
    // list by method A, two radiotexts under a toggling A/B flag, a 4A clock
    // every few seconds and a PTYN.
    static RdsScript builtIn();
    // One group per line as four hexadecimal words ("6201 00F7 E704 5349");
    // blank lines and "#" comments are skipped. A bad line gives nothing and
    // the reason (with its line number) in error.
    static std::optional<RdsScript> fromText(const QByteArray& text, QString* error = nullptr);

    std::vector<Group> groups;
    // The built-in script's 4A group carries this time (UTC; the current time
    // when null) at an offset of -5 hours.
    bool liveClock = false;
    QDateTime clock;

    // Switches: every entry empty (block A 0) while set; the next entry carries
    // a group under another PI, once.
    bool emptyEntries = false;
    quint16 injectPi = 0;

    Batch nextBatch();
    int position() const { return m_next; }

private:
    Group at(int i) const;
    int m_next = 0;
};

// The 4A group of a UTC time with a local offset in half hours.
RdsScript::Group RdsClockGroup(quint16 pi, const QDateTime& utc, int offsetHalfHours);
