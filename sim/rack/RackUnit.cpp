#include "sim/rack/RackUnit.h"

#include "protocol/rack/RackMenuTables.h"

#include "common/TDateTime.h"

using namespace RackLayout;

namespace {
constexpr char Term = char(0xFE);
constexpr char Poll = char(0xFF);
} // namespace

// The module's own menu order, as its firmware holds it: the measurement page
// from position 0, the settings page from 20, each option's items before the
// page's last item. Kept apart from the panel's tables on purpose, so a test
// against this module shows when the two disagree.
std::vector<int> SimKelb1MenuOrder(int optionBits)
{
    std::vector<int> pageA{0, 20, 21, 22, 6, 17, 18};
    std::vector<int> pageB{1, 2, 3, 4, 13, 12, 19, 7, 5, 9, 8, 14, 15, 10, 11, 16};
    if (optionBits & 0x01)
        pageB.push_back(40);
    if (optionBits & 0x02) {
        pageA.insert(pageA.end(), {47, 45, 46});
        pageB.insert(pageB.end(), {44, 42, 43});
    }
    if (optionBits & 0x04)
        pageA.insert(pageA.end(), {51, 50});
    if (optionBits & 0x08)
        pageA.push_back(55);
    pageA.push_back(23);
    pageB.push_back(24);
    std::vector<int> order(41, 0);
    for (std::size_t i = 0; i < pageA.size() && i < 20; ++i)
        order[i] = pageA[i];
    for (std::size_t i = 0; i < pageB.size() && 20 + i < order.size(); ++i)
        order[20 + i] = pageB[i];
    return order;
}

void SimApplySetting(SimModule m, SimModuleState& s, int item, int value)
{
    if (item < 0 || item >= int(s.settings.size()))
        return;
    s.settings[std::size_t(item)] = value;
    auto setBit = [&](int& word, int bit) { word = value ? (word | bit) : (word & ~bit); };
    if (m == SimModule::Kelb1) {
        // The Boolean settings live in the settings bit word too.
        const int bit = item == 3    ? 0x01
                        : item == 4  ? 0x02
                        : item == 12 ? 0x04
                        : item == 13 ? 0x08
                        : item == 40 ? 0x20
                                     : 0;
        if (bit)
            setBit(s.settingsBits, bit);
    } else if (m == SimModule::Lyn1) {
        if (item == 11)
            setBit(s.settingsBits, 0x04);
        else if (item == 12)
            setBit(s.settingsBits, 0x01);
    } else if (const TModuleMenuTable* t = SimMenuTable(m)) {
        if (const TValueRow* row = FindValueRow(*t, item)) {
            switch (row->kind) {
            case TValueKind::Boolean:
            case TValueKind::UpOnlyBoolean:
            case TValueKind::TimeMode:
                setBit(row->bitWord == 1 ? s.settingsBits2 : s.settingsBits, row->bit);
                break;
            case TValueKind::CyclicClears:
                // One calibration at a time: the module turns the other off.
                if (row->timeModeItem >= 0 && row->timeModeItem < int(s.settings.size()))
                    s.settings[std::size_t(row->timeModeItem)] = 0;
                break;
            default:
                break;
            }
        }
    }
    s.echoItem = item;
    s.echoValue = value;
}

bool SRecordSumOk(const QByteArray& line)
{
    if (line.size() < 4 || (line.size() % 2) != 0 || line.at(0) != 'S')
        return false;
    bool ok = true;
    int sum = 0;
    for (int i = 2; i + 1 < line.size(); i += 2) {
        sum += line.mid(i, 2).toInt(&ok, 16);
        if (!ok)
            return false;
    }
    return (sum & 0xFF) == 0xFF;
}

RackUnit::RackUnit(int family)
    : records(family)
{
    controller = family == rkFM ? "Nuva1" : family == rkTV ? "Gry230" : "Pelo2";
}

void RackUnit::answer(const QByteArray& text, const char* end)
{
    if (output)
        output(text + end);
}

void RackUnit::take(const QByteArray& bytes)
{
    m_in += bytes;
    while (!m_in.isEmpty()) {
        if (m_in.at(0) == Poll) {
            m_in.remove(0, 1);
            m_commands << QByteArray(1, Poll);
            ++m_polls;
            if (m_dataMode && silence != Silence::Polls && output) {
                const QByteArray blocks = nextBlocks();
                if (m_splitAt > 0 && outputLater) {
                    output(blocks.left(m_splitAt));
                    outputLater(blocks.mid(m_splitAt));
                } else {
                    output(blocks);
                }
            }
            continue;
        }
        const qsizetype end = m_in.indexOf(Term);
        if (end < 0)
            break;
        const QByteArray cmd = m_in.left(end);
        m_commands << m_in.left(end + 1);
        m_in.remove(0, end + 1);
        command(cmd);
    }
}

void RackUnit::command(const QByteArray& cmd)
{
    if (m_awaitingPassword && !cmd.isEmpty()) {
        m_awaitingPassword = false;
        if (silence == Silence::Password)
            return;
        QByteArray pw = cmd;
        if (prompt == Prompt::SPassword && pw.startsWith('\0'))
            pw.remove(0, 1);
        static const char* const names[] = {"", "OBSERVER", "OPERATOR", "SUPERVISOR"};
        for (int level = 3; level >= 1; --level) {
            if (passwords.value(level) == pw) {
                m_level = level;
                answer(names[level]);
                return;
            }
        }
        answer("INVAILD PASSWORD");
        return;
    }
    if (m_passwordChange && !cmd.isEmpty() && cmd.at(0) != 0x03) {
        if (silence == Silence::PasswordChange)
            return;
        if (m_passwordChange == 1 && cmd == "3") {
            m_passwordChange = 2;
            answer("NEW PASSWORD", "\r\n");
        } else if (m_passwordChange == 2) {
            m_newPassword = cmd;
            m_passwordChange = 3;
            answer("VERIFY PASSWORD", "\r\n");
        } else if (m_passwordChange == 3) {
            m_passwordChange = 0;
            if (cmd == m_newPassword && !refusePasswordChange) {
                passwords[3] = m_newPassword;
                answer("PASSWORD CHANGED", "\r\n");
            } else {
                answer("ERROR", "\r\n");
            }
        }
        return;
    }
    if (cmd.isEmpty())
        return; // FE alone
    switch (cmd.at(0)) {
    case 0x03:
        m_dataMode = false;
        m_awaitingPassword = false;
        m_passwordChange = 0;
        m_linesAccepted = 0;
        m_allAccepted = true;
        m_lines.clear();
        return;
    case 0x01:
        if (silence == Silence::Prompt)
            return;
        switch (prompt) {
        case Prompt::Password:
            m_awaitingPassword = true;
            answer("PASSWORD");
            break;
        case Prompt::SPassword:
            m_awaitingPassword = true;
            answer("SPASSWORD");
            break;
        case Prompt::Valid:
            m_level = 3;
            answer("VALID");
            break;
        case Prompt::SValid:
            m_level = 3;
            answer("SVALID");
            break;
        }
        return;
    case 0x07:
        if (silence != Silence::Identification)
            answer(controller);
        return;
    case 0x05:
    case 0x09:
        download(cmd);
        return;
    case 0x04:
        m_dataMode = true;
        if (loggedIn)
            loggedIn();
        return;
    case 0x02:
        m_dataMode = false;
        ++m_signOffs;
        return;
    case 0x06:
        if (silence == Silence::PasswordChange)
            return;
        if (m_level == 3) {
            m_passwordChange = 1;
            answer("PASSWORD LEVEL", "\r\n");
        } else {
            answer("MUST BE A VALID SUPERVISOR", "\r\n");
        }
        return;
    default:
        moduleCommand(cmd);
        return;
    }
}

void RackUnit::download(const QByteArray& cmd)
{
    if (cmd.at(0) == 0x05) {
        bool ok = false;
        const int count = cmd.mid(1, 4).toInt(&ok, 16);
        if (m_lines.isEmpty()) {
            answer(programCurrent ? "GOOD CHECKSUM" : "READY");
            return;
        }
        const bool good = ok && m_allAccepted && count == m_linesAccepted && !badFinalChecksum;
        answer(good ? "GOOD CHECKSUM" : "BAD CHECKSUM");
        return;
    }
    const QByteArray line = cmd.mid(1);
    m_lines << line;
    // Each distinct line counts once, however often it was sent again.
    const int number = m_linesAccepted + 1;
    if (silence == Silence::DownloadLine && number == silentLine)
        return;
    if (number == badChecksumLine && m_badAnswers < badChecksumTimes) {
        ++m_badAnswers;
        answer("BAD CHECKSUM");
        return;
    }
    if (!SRecordSumOk(line)) {
        m_allAccepted = false;
        answer("BAD CHECKSUM");
        return;
    }
    ++m_linesAccepted;
    answer("GOOD CHECKSUM");
}

bool RackUnit::moduleCommand(const QByteArray& cmd)
{
    m_moduleCommands << cmd;
    auto hexAt = [&](int pos, int digits) {
        bool ok = false;
        const int v = cmd.mid(pos, digits).toInt(&ok, 16);
        return ok ? v : -1;
    };
    const int op = static_cast<unsigned char>(cmd.at(0));
    const bool fm = records.family == rkFM, tv = records.family == rkTV;
    auto setValue = [&](SimModule m, int digits) {
        if (cmd.size() < 2 + digits)
            return;
        SimModuleState& s = records.module(m);
        const int item = static_cast<unsigned char>(cmd.at(1));
        const int value = hexAt(2, digits);
        if (value < 0)
            return;
        SimApplySetting(m, s, item, value);
    };
    auto showItem = [&](SimModule m) {
        if (cmd.size() >= 2)
            records.module(m).menuItem = static_cast<unsigned char>(cmd.at(1));
    };
    // A module that shows its items in item order follows the panel's pages
    // from its menu table: page k entered at its first item, page 0 back at
    // the entry item of the page being left.
    auto selectPage = [&](SimModuleState& s, const TModuleMenuTable& t, int page) {
        if (page == 0) {
            const int from = MenuPageOf(t, s.menuItem);
            if (from > 0)
                s.menuItem = t.pages[std::size_t(from)].entryItem;
            return;
        }
        for (const TMenuPage& p : t.pages) {
            if (p.entryItem >= 0 && p.selectPage == page)
                s.menuItem = p.first;
        }
    };
    auto varn1Unit = [&]() -> SimModuleState* {
        if (!fm || cmd.size() < 3)
            return nullptr;
        return &records.module(cmd.at(1) == 1 ? SimModule::Varn1Unit1 : SimModule::Varn1Unit0);
    };
    switch (op) {
    case 0x1A:
        if ((fm || tv) && cmd.size() >= 2)
            selectPage(records.module(fm ? SimModule::Nuva1 : SimModule::Gry230),
                       fm ? Nuva1MenuTable() : Gry230MenuTable(),
                       static_cast<unsigned char>(cmd.at(1)));
        return true;
    case 0x1B:
        // The Gry250's select-page on a TV rack. On an FM rack the Lyn1's
        // settings page starts at item 10 and is left at item 9; its records
        // report the new item, which the panel's menu follows.
        if (tv && cmd.size() >= 2)
            selectPage(records.module(SimModule::Gry250), Gry250MenuTable(),
                       static_cast<unsigned char>(cmd.at(1)));
        else if (fm && cmd.size() >= 2)
            records.module(SimModule::Lyn1).menuItem = cmd.at(1) != 0 ? 10 : 9;
        return fm || tv;
    case 0x1F:
        if (SimModuleState* u = varn1Unit())
            u->menuItem = static_cast<unsigned char>(cmd.at(2));
        return true;
    case 0x20:
        if (SimModuleState* u = varn1Unit())
            selectPage(*u, Varn1MenuTable(), static_cast<unsigned char>(cmd.at(2)));
        return true;
    case 'R':
        if (SimModuleState* u = varn1Unit(); u && cmd.size() >= 5) {
            const int item = static_cast<unsigned char>(cmd.at(2));
            const int value = hexAt(3, 2);
            if (value < 0)
                return true;
            SimApplySetting(SimModule::Varn1Unit0, *u, item, value);
        }
        return true;
    case 0x08:
        m_rdsStream = cmd.size() >= 2 && cmd.at(1) != 0;
        return true;
    case 'C': // the Jov4 tuner: recall a preset
        if (fm && cmd.size() >= 2)
            records.jov4.recallPreset(cmd.at(1));
        return fm;
    case 'D': // the Jov4 tuner: a frequency in hundredths of MHz
        if (fm)
            records.jov4.tune(cmd.mid(1, 5));
        return fm;
    case 'P':
        // The AM modules share the opcode: the Pelo1 value has two digits,
        // the Pelo2 value four.
        if (fm)
            setValue(SimModule::Kelb1, 4);
        else
            setValue(cmd.size() == 4 ? SimModule::Pelo1 : SimModule::Pelo2,
                     cmd.size() == 4 ? 2 : 4);
        return true;
    case 'L':
        setValue(tv ? SimModule::Gry230 : SimModule::Nuva1, 2);
        return true;
    case 'Q':
        setValue(tv ? SimModule::Gry250 : SimModule::Lyn1, 2);
        return true;
    case 0x18:
        if (fm) {
            kelb1ShowPosition(cmd.size() >= 2 ? static_cast<unsigned char>(cmd.at(1)) : -1);
        } else {
            // Both AM modules take the same menu commands.
            showItem(SimModule::Pelo1);
            showItem(SimModule::Pelo2);
        }
        return true;
    case 0x19:
        if (fm && cmd.size() >= 2) {
            kelb1SelectPage(cmd.at(1) != 0);
        } else if (!fm && !tv && cmd.size() >= 2) {
            const int page = static_cast<unsigned char>(cmd.at(1));
            selectPage(records.module(SimModule::Pelo1), Pelo1MenuTable(), page);
            selectPage(records.module(SimModule::Pelo2), Pelo2MenuTable(), page);
        }
        return true;
    case 0x14:
        showItem(tv ? SimModule::Gry230 : SimModule::Nuva1);
        return true;
    case 0x17:
        showItem(tv ? SimModule::Gry250 : SimModule::Lyn1);
        return true;
    default:
        return false; // logged only
    }
}

QByteArray RackUnit::finish(QByteArray block)
{
    // A fault of the command line sets the switch a test would, for this
    // block only.
    std::optional<TSimFault> fault;
    if (nextFault)
        fault = nextFault();
    if (badBlockSum || fault == TSimFault::BadChecksum)
        block[SumByte] = char(block.at(SumByte) ^ 0x5A);
    if (unknownMarkerNext) {
        unknownMarkerNext = false;
        block[3] = char(0x30);
    }
    if (sProtocol()) {
        const QDateTime t = stamp.isValid() ? stamp : QDateTime::currentDateTime();
        m_lastStamp = TDateTimeBytes(t);
        block += m_lastStamp;
    }
    if (fault == TSimFault::Truncate)
        truncateNextBlock = int(block.size() / 2);
    if (truncateNextBlock > 0) {
        block.truncate(truncateNextBlock);
        truncateNextBlock = 0;
    }
    if (fault == TSimFault::Double)
        ++m_extraBlocks;
    m_splitNext = fault == TSimFault::Split;
    ++m_blocksSent;
    return (fault == TSimFault::Garbage ? SimGarbage() : garbageBeforeBlocks) + block;
}

void RackUnit::nextRdsGroups()
{
    if (!m_rdsStream)
        return;
    const RdsScript::Batch batch = rds.nextBatch();
    for (int g = 0; g < int(batch.size()); ++g)
        records.rdsGroups[g] = batch[g];
}

QByteArray RackUnit::nextBlocks()
{
    QByteArray out;
    m_splitAt = 0;
    m_extraBlocks = doubleBlocks ? 1 : 0;
    auto add = [&](const QByteArray& block) {
        const QByteArray b = finish(block);
        out += b;
        if (m_splitNext && m_splitAt == 0)
            m_splitAt = out.size() - b.size() / 2;
    };
    for (int i = 0; i < blocksPerPoll + m_extraBlocks; ++i) {
        if (records.family == rkFM && (m_rdsStream || pairs)) {
            if (m_pendingSecondHalf) {
                m_pendingSecondHalf = false;
                nextRdsGroups();
                add(records.secondHalf(m_pairRecord));
                continue;
            }
            m_pairRecord = records.nextRecord();
            m_pendingSecondHalf = true;
            nextRdsGroups();
            if (dropNextFirstHalf) {
                dropNextFirstHalf = false;
                m_pendingSecondHalf = false;
                add(records.secondHalf(m_pairRecord));
                continue;
            }
            add(records.firstHalf(m_pairRecord));
            continue;
        }
        const TRackModuleRecord r = records.nextRecord();
        add(records.recordBlock(r, r.w[3]));
    }
    return out;
}

void RackUnit::kelb1ShowPosition(int position)
{
    const std::vector<int> order = SimKelb1MenuOrder(records.module(SimModule::Kelb1).optionBits);
    if (position < 0 || position >= int(order.size()))
        return;
    records.module(SimModule::Kelb1).menuItem = order[std::size_t(position)];
}

void RackUnit::kelb1SelectPage(bool settings)
{
    const std::vector<int> order = SimKelb1MenuOrder(records.module(SimModule::Kelb1).optionBits);
    SimModuleState& s = records.module(SimModule::Kelb1);
    if (settings) {
        // Entered from wherever the module's menu stands.
        for (std::size_t p = 0; p < order.size(); ++p) {
            if (order[p] == s.menuItem && p < 20) {
                m_kelb1Return = int(p);
                break;
            }
        }
        kelb1ShowPosition(20);
    } else {
        kelb1ShowPosition(m_kelb1Return);
    }
}
