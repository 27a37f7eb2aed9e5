#pragma once

#include "common/Enums.h"
#include "protocol/rack/RackData.h"
#include "protocol/rack/RackMenuTables.h"
#include "sim/peer/SimDrift.h"

#include <QByteArray>
#include <QDateTime>
#include <array>
#include <vector>

// The simulated rack's modules and the records and blocks they make, built
// from the same layout table the program decodes with.

enum class SimModule : int
{
    Kelb1,
    Nuva1,
    Lyn1,
    Varn1Unit0,
    Varn1Unit1,
    Jov4,
    Gry230,
    Gry250,
    Pelo1,
    Pelo2,
    Count
};

struct SimModuleState
{
    bool present = false;
    // Sample words from the section's first word (status and alarm words are
    // laid over them).
    std::array<int, 27> samples{};
    int status = 0; // status and LED bits (the new-samples bit is added)
    int alarm = 0;
    int led = 0;
    int menuItem = 0;
    int echoItem = -1; // a setting to echo in the next record, else idle
    int echoValue = 0;
    int settingsBits = 0;
    int settingsBits2 = 0; // the second bit word (TV and AM pages carry it)
    std::array<int, 64> settings{};
    int optionBits = 0;
    int version = 12; // x 10
    char revision = 'A';
    int partHigh = 12;
    int partLow = 34;
    QByteArray text = "SN00000001";
    bool badCheck = false; // its section's check is wrong
    bool badPages = false; // its information pages' checks are wrong
};

struct SimJov4
{
    QByteArray model = "JOV-4 ";
    int partHigh = 118; // two BCD digits + 100
    int partLow = 169;
    QByteArray shortText = "V2.1";
    QByteArray longText = "JV40000077";
    QByteArray display = "FM  98.10MHZ";
    int value = 55;
    std::array<QByteArray, 10> presets;
    // The frequency of each preset, in hundredths of MHz.
    std::array<int, 10> presetFrequencies{8810, 9150, 9390, 9810, 10010,
                                          10150, 10330, 10570, 10690, 10790};

    // The tuner's answer to the panel's keypad: five digits in hundredths of
    // MHz ("09810"), or the digit of a preset. It shows the new frequency and
    // the level it receives there; a frequency outside the FM band, or text
    // that is no frequency, leaves it where it was.
    bool tune(const QByteArray& digits);
    bool recallPreset(char digit);
    void showFrequency(int hundredths);
};

class RackRecords
{
public:
    explicit RackRecords(int family = rkFM);

    int family;
    std::array<SimModuleState, int(SimModule::Count)> modules;
    SimJov4 jov4;
    std::array<std::array<quint16, 4>, 6> rdsGroups{};
    int controllerCode = 2; // whose new-samples bit is set (the controller's)

    SimModuleState& module(SimModule m) { return modules[int(m)]; }
    // Samples a station on air shows from now on: modulation near 100 %,
    // peak above average above minimum, a 9 % pilot, plausible RF, carrier,
    // noise and SCA values; with vary they drift and jitter from record to
    // record. Without it the samples are byte patterns a test can place.
    void lookLikeAStation(bool vary);
    // Present modules by the family's defaults: every module kind of it.
    void presentAll();

    // The next record: a module section per present module, one information
    // page in rotation, the menu words (an echo once, then idle).
    TRackModuleRecord nextRecord();
    // The AM module the last record was made for (1 Pelo1, 2 Pelo2).
    int lastAmKind() const { return m_lastAmKind; }

    // Blocks: a whole record (kind 12, TV, AM), or the two halves of an FM pair.
    QByteArray recordBlock(const TRackModuleRecord& r, int kindByte) const;
    QByteArray firstHalf(const TRackModuleRecord& r) const;
    QByteArray secondHalf(const TRackModuleRecord& r) const;
    // The unit's stamp, appended under the S protocol.
    static QByteArray stamped(const QByteArray& block, const QDateTime& t);

    // Identification and settings pages of one information page.
    struct Page
    {
        int kind;
        int page;
        int preset = 0; // Jov4 page 2: which preset
    };
    std::vector<Page> pageCycle() const;

private:
    void fmRecord(TRackModuleRecord& r);
    void tvRecord(TRackModuleRecord& r);
    void amRecord(TRackModuleRecord& r, SimModule m);
    void section(TRackModuleRecord& r, SimModule m, const RackLayout::TSectionLayout& l);
    void fmPage(TRackModuleRecord& r, const Page& p);
    void tvLikePage(TRackModuleRecord& r, int k, SimModule m, int page, int settingsLength);
    void menuWords(TRackModuleRecord& r, SimModule m, const RackLayout::TSectionLayout& l);

    void stationSamples();

    bool m_station = false;
    bool m_vary = false;
    SimDrift m_drift;
    int m_page = 0;
    std::array<int, 2> m_amPage{};
    int m_varn1Next = 0;
    int m_amNext = 0;
    int m_lastAmKind = 0;
};

// The menu table a simulated module follows, or nullptr (Kelb1, Lyn1, Jov4).
const TModuleMenuTable* SimMenuTable(SimModule m);

// Sets word check to the low byte of the sum of words first..last.
void SetRackCheck(TRackModuleRecord& r, int first, int last, int check);
