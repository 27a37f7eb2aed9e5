#include "sim/tavr1/Tavr1Sim.h"

#include "models/Tavr1SpectrumConfig.h"

#include <cmath>

#include "protocol/tavr1/Tavr1CodeTable.h"

#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>

namespace {

qint32 valueInForm(TTavr1ValueForm form, quint16 bits)
{
    switch (form) {
    case TTavr1ValueForm::SignedByte:
        return qint8(bits & 0xFF);
    case TTavr1ValueForm::SignedWord:
        return qint16(bits);
    case TTavr1ValueForm::Word:
    case TTavr1ValueForm::Pair16:
        return bits;
    default:
        return bits & 0xFF;
    }
}

} // namespace

Tavr1Sim::Tavr1Sim(QObject* parent)
    : SimLineUnit(parent)
    , config(defaultConfig())
{
    identification = "Tavr-1 SN(123456) SW(01.18,01.20) OPT(1) REV(1:B 2:B 3:A) LAN(6.8.0.1)";
    validReply = "VALID SUPERVISOR";
    quietForDownload = true;
    download->script = TSimDownloadSide::Script::Tavr1;
    // Plausible readings: every value distinct, so a swapped field shows.
    for (int i = 0; i < 100; ++i)
        fields.raw[i] = 100 + 7 * i;
    fields.raw[4] = 1001; // total peak 100.1 %
    fields.raw[1] = -352; // RF level -35.2 dB
    for (int i = 0; i < 509; ++i)
        fields.spectrum[i] = -900 + (i % 50) * 10;
    fields.leds = 0x50; // pilot and RDS sync lit
    fields.rds.piHex = "54A8";
    fields.rds.piCall = "WXYZ";
    fields.rds.ps = "TOLVEX  ";
    fields.rds.radioTextA = "Station engineer's morning show";
    fields.rds.radioTextB = "Weather at the top of the hour";
    fields.rds.ptyNumber = "10";
    fields.rds.ptyText = "Pop M   ";
    fields.rds.groupsA = 0x4005;
    fields.rds.groupsB = 0x0004;
}

Tavr1ConfigRecord Tavr1Sim::defaultConfig()
{
    Tavr1ConfigRecord c;
    c[0] = 8;    // RF spectrum page
    c[2] = 1001; // 100.1 MHz
    c[3] = 1001;
    c[4] = 1;  // High Level input
    c[5] = 10; // -5.0 dB
    c[6] = 4;
    c[11] = 1000;
    c[93] = 0; // percent
    // Alarm levels a station might set: threshold, seconds, action (relay
    // bits 0-2, e-mail group bits 3-5, display bit 6). The five alarms that
    // follow a setting carry that setting's level.
    const struct
    {
        qint32 threshold, time, action;
    } alarms[14] = {
        {-600, 5, 0x41},   // loss of RF (antenna), -60.0 dB: relay 1, display
        {200, 5, 0x41},    // loss of RF (high level), 20.0 %
        {-400, 10, 0x40},  // high AM noise, -40.0 dB
        {-400, 10, 0x40},  // high sync noise, -40.0 dB
        {200, 5, 0x4A},    // loss of total, 20.0 %: relay 2, e-mail 1
        {c[11], 1, 0x40},  // total peak: the composite peak setting
        {100, 10, 0x40},   // loss of L+R, 10.0 %
        {50, 10, 0x40},    // loss of pilot, 5.0 %
        {20, 30, 0x00},    // loss of RDS, 2.0 %
        {5, 30, 0x00},     // loss of RDS sync
        {c[87], 30, 0x00}, // loss of SCA#1
        {c[83], 1, 0x00},  // SCA#1 peak
        {c[88], 30, 0x00}, // loss of SCA#2
        {c[84], 1, 0x00},  // SCA#2 peak
    };
    for (int n = 0; n < 14; ++n) {
        c[116 + 3 * n] = alarms[n].threshold;
        c[117 + 3 * n] = alarms[n].time;
        c[118 + 3 * n] = alarms[n].action;
    }
    // Spectrum pages a station might leave: 0.8 dB a step, 1 kHz a point on
    // RF with colour and mask on, C1 and C2 where they show something.
    c[14] = 7, c[15] = 100, c[16] = 350, c[17] = 5, c[25] = 10, c[26] = 10;
    c[29] = 1, c[30] = 1;
    c[33] = 7, c[34] = 100, c[35] = 190, c[36] = 3, c[43] = 10, c[44] = 10;
    c[50] = 7, c[51] = 100, c[52] = 100, c[53] = 3, c[59] = 1, c[60] = 3;
    c[63] = 10, c[64] = 10;
    c.setReal(Tavr1RfZoomItem, 100.0);
    c.setReal(Tavr1CompositeZoomItem, 9.5);
    c.setReal(Tavr1AudioZoomItem, 1.0);
    return c;
}

int Tavr1Sim::nextTailKind() const
{
    if (m_blocksSent % 10 == 9)
        return 18;
    return m_blocksSent % 2;
}

void Tavr1Sim::handleUnitLine(const QByteArray& line)
{
    if (line.startsWith("CC")) {
        m_commandLines << line;
        applySetting(line + "\r");
    } else if (line.startsWith("PB")) {
        m_commandLines << line;
        applyAction(line);
    }
    // Anything else (UC outside an update, unknown lines) is ignored, as the unit does.
}

void Tavr1Sim::applySetting(const QByteArray& line)
{
    const std::optional<Tavr1SetLine> set = parseTavr1SetLine(line);
    if (!set) {
        ++m_badChecksums;
        return;
    }
    if (const TTavr1CodeEntry* entry = Tavr1CodeFor(set->code)) {
        const int item = Tavr1CodeItem(*entry, config, set->selector);
        if (item >= 0) {
            config[item] = valueInForm(entry->form, set->value);
            if (entry->mirrorItem >= 0)
                config[entry->mirrorItem] = valueInForm(entry->form, set->value);
        }
    }
    applySpectrumRules(set->code);
    if (echoSettings) {
        const Tavr1Echo echo = tavr1EchoFor(*set);
        if (echo.code != 255)
            m_pendingEcho = echo;
    }
}

void Tavr1Sim::applySpectrumRules(int code)
{
    // The unit keeps its spectrum pages consistent by the rules the window
    // applies, so what it reloads after these codes is what the window shows.
    TTavr1SpectrumConfig c(config);
    for (int page = 0; page < 3; ++page) {
        const TSpectrumWordMap& m = Tavr1SpectrumWords(page);
        if (code == m.codeHr) {
            SpectrumApplyHr(m, c);
            SpectrumStoreC2Real(m, c);
        } else if (code == m.codeC2 || code == m.codeFreq) {
            SpectrumStoreC2Real(m, c);
        } else if (code == m.codeInputType) {
            SpectrumApplyAudioReset(m, c);
        }
    }
}

std::array<qint32, 509> Tavr1Sim::pageSpectrum(int page)
{
    std::array<qint32, 509> s{};
    for (int i = 0; i < 509; ++i) {
        double v = 0;
        switch (page) {
        case 0: { // the carrier's hump, centred
            const double d = (i - 250) / 45.0;
            v = -950 + 800 * std::exp(-d * d);
            break;
        }
        case 1: // a floor with the stereo band and a pilot line at point 190
            v = i < 150 ? -600 : -1100;
            if (i == 190)
                v = -250;
            break;
        default: // two tones, one in each input's half
            v = -1200;
            if (i == 100 || i == 351)
                v = -300;
            break;
        }
        s[std::size_t(i)] = qint32(std::lround(v));
    }
    return s;
}

void Tavr1Sim::applyAction(const QByteArray& line)
{
    // "PB" + code + checksum.
    if (line.size() != 6)
        return;
    quint8 sum = 0;
    for (int i = 0; i < 4; ++i)
        sum = quint8(sum + quint8(line[i]));
    bool ok = false;
    const int code = line.mid(2, 2).toInt(&ok, 16);
    if (!ok || line.mid(4, 2).toInt(nullptr, 16) != sum) {
        ++m_badChecksums;
        return;
    }
    switch (code) {
    case 200: // reset defaults
        config = defaultConfig();
        break;
    case 201: // reboot: silent for a while
        stopStreaming();
        QTimer::singleShot(2000, this, [this] { startStreaming(); });
        break;
    case 202: // alarm test: the line names no alarm, so the unit raises alarm 1
        m_alarmTestBlocks = AlarmTestBlocks;
        break;
    default:
        break;
    }
}

QByteArray Tavr1Sim::nextBlock()
{
    Tavr1BlockFields f = fields;
    f.tailKind = nextTailKind();
    f.config = config;
    f.spectrumMode = quint8(config[0]);
    if (spectrumFollowsPage)
        f.spectrum = pageSpectrum(Tavr1SpectrumPageOf(config[0]));
    if (m_alarmTestBlocks > 0) {
        --m_alarmTestBlocks;
        f.alarmMasks[0] |= 1;
    }
    f.echoCode = m_pendingEcho.code;
    f.echo = m_pendingEcho.bytes;
    m_pendingEcho = Tavr1Echo{}; // an echo travels in exactly one block
    if (vary)
        varyFields(f);
    if (f.tailKind == 0)
        ++m_settingsBlocksSent;
    ++m_blocksSent;
    emit blockSent(f.tailKind);
    QByteArray b = sProtocol()
                       ? buildTavr1Block(f, stamp.isValid() ? stamp : QDateTime::currentDateTime())
                       : buildTavr1Block(f);
    if (noMarker)
        b[0] = b[1] = b[2] = 0x55;
    return b;
}

void Tavr1Sim::lookLikeAStation()
{
    // Tenths of a percent or of a dB, by raw value.
    const std::pair<int, qint32> station[] = {
        {0, 863},   {1, -352},  {2, -562},  {3, -604},           // RF level, AM noise
        {4, 982},   {5, 741},   {6, 402},                        // total
        {7, 893},   {8, 655},   {9, 311},                        // left
        {10, 901},  {11, 662},  {12, 305},                       // right
        {13, 944},  {14, 701},  {15, 355},                       // L+R
        {16, 412},  {17, 228},  {18, 42},                        // L-R
        {19, 91},   {20, 93},   {21, 0},                         // pilot
        {22, -61},  {23, -74},  {24, -88},  {25, -101},          // levels in dB
        {26, -86},  {27, -99},  {28, -72},  {29, -85},  {30, -164}, {31, -178},
        {32, -208}, {33, -655}, {34, 452},  {35, -471},          // pilot, 38 kHz, separation
        {36, 102},  {37, 88},   {38, 64},                        // SCA#1
        {39, 97},   {40, 81},   {41, 58},                        // SCA#2
        {42, 99},   {43, 94},   {44, 38},   {45, 0},             // injections, RDS
        {46, -423}, {47, -437},
    };
    for (const auto& [k, v] : station)
        fields.raw[size_t(k)] = v;
    for (int k = 48; k < 100; ++k)
        fields.raw[size_t(k)] = 0;
}

void Tavr1Sim::varyFields(Tavr1BlockFields& f)
{
    m_drift.nextBlock();
    for (qint32& v : f.raw)
        v = m_drift.moved(v, -2048, 2047);
    // Each channel's peak, average and minimum stay in that order.
    for (int first : {4, 7, 10, 13, 16, 36, 39})
        std::sort(f.raw.begin() + first, f.raw.begin() + first + 3, std::greater<>());
    for (qint32& v : f.spectrum)
        v = m_drift.moved(v, 30, 60, -2048, 2047);
}
