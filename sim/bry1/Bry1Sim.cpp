#include "sim/bry1/Bry1Sim.h"

#include "protocol/bry1/Bry1Commands.h"
#include "sim/bry1/Bry1Block.h"

namespace {

// A command line as the unit sees it: the builder's text without its CR.
QByteArray lineOf(const QByteArray& command)
{
    return command.endsWith('\r') ? command.chopped(1) : command;
}

Bry1Sim::Fault faultOf(TSimFault f)
{
    switch (f) {
    case TSimFault::Garbage:
        return Bry1Sim::Fault::GarbageBefore;
    case TSimFault::Split:
        return Bry1Sim::Fault::Split;
    case TSimFault::Double:
        return Bry1Sim::Fault::Double;
    case TSimFault::Truncate:
        return Bry1Sim::Fault::Truncated;
    case TSimFault::BadChecksum:
        return Bry1Sim::Fault::WrongSum;
    default:
        return Bry1Sim::Fault::None;
    }
}

} // namespace

Bry1Sim::Bry1Sim(QObject* parent)
    : SimPeer(parent)
{}

QByteArray Bry1Sim::nextBlock()
{
    const int number = m_blocksSent++;
    return buildBry1Block(number % 3, number);
}

void Bry1Sim::answerBlock(int delayMs)
{
    if (blocksBeforeSilence >= 0 && m_blocksSent >= blocksBeforeSilence)
        return;
    // A fault of the command line sets the switch a test would, for this
    // block only.
    if (const std::optional<TSimFault> f = nextBlockFault(); f && nextFault == Fault::None)
        nextFault = faultOf(*f);
    const Fault fault = nextFault;
    nextFault = Fault::None;
    const QByteArray block = nextBlock();
    switch (fault) {
    case Fault::None:
        reply(block, delayMs);
        break;
    case Fault::WrongSum:
        reply(withWrongBry1Sum(block), delayMs);
        break;
    case Fault::Burst:
        reply(block + QByteArray(1, '\x55'), delayMs);
        break;
    case Fault::Split:
        reply(block.left(100), delayMs);
        reply(block.mid(100), delayMs + 40);
        break;
    case Fault::Double:
        reply(block + nextBlock(), delayMs);
        break;
    case Fault::GarbageBefore:
        reply(QByteArray("\xFF\xFE noise \xFD\x01", 10) + block, delayMs);
        break;
    case Fault::Truncated:
        reply(block.left(200), delayMs);
        break;
    }
}

void Bry1Sim::sendBlock()
{
    answerBlock(0);
}

void Bry1Sim::handleLine(const QByteArray& line)
{
    SimPeer::handleLine(line);
    if (line == lineOf(Bry1StopData())) {
        return; // stops; the unit says nothing
    } else if (line == lineOf(Bry1Identify())) {
        if (answerIdentify)
            reply(bry1Answer(identity));
    } else if (line == lineOf(Bry1Versions())) {
        reply(bry1Answer(versions));
    } else if (line == lineOf(Bry1StartData())) {
        ++m_startLines;
        loggedIn();
        answerBlock(DefaultReplyDelayMs);
    } else if (line == lineOf(Bry1Page2()) || line == lineOf(Bry1Page3()) ||
               line == lineOf(Bry1Page4())) {
        ++m_pageLines;
        answerBlock(DefaultReplyDelayMs);
    }
    // Anything else is ignored, as the unit does.
}
