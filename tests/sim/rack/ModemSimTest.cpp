#include "TestSupport.h"

#include "sim/rack/ModemSim.h"
#include "sim/rack/RackCorpus.h"

#include <QDir>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The program's end of the modem's pseudo-terminal, raw.
class Terminal
{
public:
    explicit Terminal(const QString& path)
    {
        m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios t{};
        tcgetattr(m_fd, &t);
        cfmakeraw(&t);
        tcsetattr(m_fd, TCSANOW, &t);
    }
    ~Terminal() { ::close(m_fd); }
    void write(const QByteArray& b) { (void)::write(m_fd, b.constData(), size_t(b.size())); }
    // Everything that arrives within ms.
    QByteArray read(int ms)
    {
        QByteArray out;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            char buf[256];
            const ssize_t n = ::read(m_fd, buf, sizeof buf);
            if (n > 0)
                out.append(buf, n);
        }
        return out;
    }
    // What arrives until it ends with tail; the cap only ends a wait for an
    // answer that never comes.
    QByteArray readUntil(const QByteArray& tail, int capMs = 20000)
    {
        QByteArray out;
        waitFor(
            [&] {
                char buf[256];
                const ssize_t n = ::read(m_fd, buf, sizeof buf);
                if (n > 0)
                    out.append(buf, n);
                return out.endsWith(tail);
            },
            capMs);
        return out;
    }

private:
    int m_fd = -1;
};

} // namespace

TEST(ModemSimTest, ResultCodesFollowTheModemSettings)
{
    ModemSim modem;
    Terminal term(modem.openPty());
    struct Step
    {
        QByteArray command;
        QByteArray answer;
    };
    const Step steps[] = {
        {"\x02\xFE" "ATZ\r", "ATZ\r\r\nOK\r\n"}, // the 02 FE before it is no command
        {"atv0\r", "atv0\r0\r"},
        {"ATE0\r", "ATE0\r0\r"}, // echoed as typed, before it takes effect
        {"ATX9\r", "4\r"},
        {"ATs7=60\r", "0\r"},
        {"ATQ1\r", ""},
        {"ATV1\r", ""},
        {"ATQ0\r", "\r\nOK\r\n"},
    };
    for (const Step& s : steps) {
        term.write(s.command);
        EXPECT_EQ(term.read(120), s.answer) << s.command.constData();
    }
    modem.busy = true;
    term.write("ATDT123\r");
    EXPECT_EQ(term.read(120), "\r\nBUSY\r\n");
    EXPECT_FALSE(modem.online());
}

TEST(ModemSimTest, AfterConnectBytesReachTheRack)
{
    ModemSim modem;
    modem.connectDelayMs = 10;
    Terminal term(modem.openPty());
    term.write("ATDT5551234\r");
    EXPECT_EQ(term.readUntil("CONNECT 2400\r\n"), "ATDT5551234\r\r\nCONNECT 2400\r\n");
    ASSERT_TRUE(modem.online());
    term.write(QByteArray("\x07\xFE", 2));
    EXPECT_EQ(term.readUntil("\xF0\xF1"), QByteArray("Nuva1\xF0\xF1"));
}

TEST(RackCorpusTest, SeedsOfEveryFamilyAreWritten)
{
    QTemporaryDir dir;
    ASSERT_TRUE(WriteRackCorpus(dir.path()));
    const QStringList seeds = QDir(dir.path() + "/RackRecordFuzz").entryList(QDir::Files);
    EXPECT_EQ(seeds.size(), 7);
    QFile fm(dir.path() + "/RackRecordFuzz/fm-records");
    ASSERT_TRUE(fm.open(QIODevice::ReadOnly));
    const QByteArray bytes = fm.readAll();
    EXPECT_EQ(bytes.size(), 1 + 24 * 100);
    EXPECT_TRUE(bytes.mid(1).startsWith("\xFF\xFE\xFD\xFC"));
}
