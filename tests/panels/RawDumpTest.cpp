#include "panels/RawDump.h"

#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QListWidget>
#include <QPaintEvent>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

struct DumpList
{
    DumpList()
    {
        list.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        list.setUniformItemSizes(true);
        list.setItemDelegate(delegate);
        list.resize(600, 200);
        list.show();
    }
    QImage shot()
    {
        QApplication::processEvents();
        return list.viewport()->grab().toImage();
    }
    // The rows of the shot that differ between a and b.
    static std::vector<int> changedRows(const QImage& a, const QImage& b, int rowHeight)
    {
        std::vector<int> rows;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) {
                    if (rows.empty() || rows.back() != y / rowHeight)
                        rows.push_back(y / rowHeight);
                    break;
                }
        return rows;
    }

    QListWidget list;
    PlainLineDelegate* delegate = new PlainLineDelegate(&list);
};

QByteArray counting(int n, int start)
{
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b.append(char(start + i));
    return b;
}

QRect inkOf(const QImage& image, QRgb background)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// The region a widget is asked to repaint.
class Repainted : public QObject
{
public:
    explicit Repainted(QWidget* w)
        : m_widget(w)
    {
        w->installEventFilter(this);
    }
    ~Repainted() override { stop(); }
    void stop() { m_widget->removeEventFilter(this); }
    QRegion region;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(e)->region();
        return false;
    }

private:
    QWidget* m_widget;
};

} // namespace

// A byte that changes repaints its own cells, not its line or the lines
// between, and that repaint over the old picture is the new picture.
TEST(RawDump, AChangedByteRepaintsItsCellsAlone)
{
    DumpList d;
    QByteArray block = counting(50, 0);
    dumpBlock(&d.list, block, TPartialLine::Skip);
    const QImage before = d.shot();
    const int lineWidth = d.list.visualItemRect(d.list.item(0)).width();

    const struct
    {
        int at;
        char value;
    } changes[][2] = {
        {{3, char(0xFF)}, {47, char(0x80)}},  // first and last line
        {{20, char(0x11)}, {21, char(0x12)}}, // neighbours
        {{9, char(0xC8)}, {10, char(0x64)}},  // either side of a line's end
    };
    QImage shown = before;
    for (const auto& change : changes) {
        Repainted repainted(d.list.viewport());
        for (const auto& c : change)
            block[c.at] = c.value;
        dumpBlock(&d.list, block, TPartialLine::Skip);
        QApplication::processEvents();
        repainted.stop();
        const QRegion region = repainted.region;
        ASSERT_FALSE(region.isEmpty());
        for (const QRect& r : region)
            EXPECT_LT(r.width(), lineWidth / 4) << r.x() << "," << r.y();

        d.list.viewport()->render(&shown, region.boundingRect().topLeft(), region);
        EXPECT_EQ(shown, d.shot()) << "the cells drawn anew make the new picture";
    }
}

// A line out of sight takes its new text all the same, and shows it when the
// list scrolls to it.
TEST(RawDump, ALineOutOfSightShowsItsNewTextWhenScrolledTo)
{
    DumpList d;
    QByteArray block = counting(600, 0);
    dumpBlock(&d.list, block, TPartialLine::Skip);
    d.shot();
    ASSERT_FALSE(d.list.visualItemRect(d.list.item(55)).intersects(d.list.viewport()->rect()));
    block[555] = char(0x42);
    dumpBlock(&d.list, block, TPartialLine::Skip);
    d.shot();
    EXPECT_TRUE(d.list.item(55)->text().contains(" 66[42] "));
    d.list.scrollToBottom();
    QApplication::processEvents();

    DumpList fresh;
    dumpBlock(&fresh.list, block, TPartialLine::Skip);
    fresh.list.scrollToBottom();
    EXPECT_EQ(d.shot(), fresh.shot());
}

// A changed line is drawn with its new text and only its row changes.
TEST(RawDump, AChangedLineRedrawsItsRowAlone)
{
    DumpList d;
    dumpBlock(&d.list, counting(50, 0), TPartialLine::Skip);
    ASSERT_EQ(d.list.count(), 5);
    const QImage first = d.shot();

    // Nothing changed: the same picture.
    dumpBlock(&d.list, counting(50, 0), TPartialLine::Skip);
    EXPECT_EQ(d.shot(), first);

    // One byte of the third line changes: only that row looks different.
    QByteArray changed = counting(50, 0);
    changed[23] = char(0xFF);
    dumpBlock(&d.list, changed, TPartialLine::Skip);
    const QImage second = d.shot();
    const int rowHeight = d.list.visualItemRect(d.list.item(0)).height();
    ASSERT_GT(rowHeight, 0);
    EXPECT_EQ(DumpList::changedRows(first, second, rowHeight), std::vector<int>{2});

    // A paint of two rows apart draws both: their text stands where a whole
    // paint puts it.
    const QRect row1 = d.list.visualItemRect(d.list.item(1));
    const QRect row3 = d.list.visualItemRect(d.list.item(3));
    const QRgb background = second.pixel(second.width() - 1, second.height() - 1);
    QImage part(second.size(), second.format());
    part.fill(background);
    // The region's top left lands at the offset given.
    d.list.viewport()->render(&part, row1.topLeft(), QRegion(row1) + QRegion(row3));
    for (const QRect& r : {row1, row3}) {
        const QRect whole = inkOf(second.copy(r), background);
        const QRect partial = inkOf(part.copy(r), background);
        ASSERT_FALSE(whole.isEmpty());
        ASSERT_FALSE(partial.isEmpty()) << r.y();
        EXPECT_NEAR(partial.left(), whole.left(), 1) << r.y();
        EXPECT_NEAR(partial.right(), whole.right(), 1) << r.y();
        EXPECT_NEAR(partial.top(), whole.top(), 1) << r.y();
        EXPECT_NEAR(partial.bottom(), whole.bottom(), 1) << r.y();
    }

    // Back to the old bytes: the picture is the first one again.
    dumpBlock(&d.list, counting(50, 0), TPartialLine::Skip);
    EXPECT_EQ(d.shot(), first);
}

// A dump line drawn glyph by glyph stands where laid-out text stands: same
// start, same width, same height, to within a pixel. A line with a terminator
// is laid out as text and drawn all the same.
TEST(RawDump, LinesStandWhereLaidOutTextStands)
{
    DumpList d;
    const QString line = "  10   10[0A]  11[0B] 255[FF]   0[00] ";
    d.list.addItem(line);
    appendCapped(&d.list, "=ECHO 12\r\n", 100);
    const QImage shot = d.shot();
    const QRgb background = shot.pixel(shot.width() - 1, shot.height() - 1);
    const QRect row0 = d.list.visualItemRect(d.list.item(0));
    const QRect row1 = d.list.visualItemRect(d.list.item(1));
    const QRect drawn = inkOf(shot.copy(row0), background);
    ASSERT_FALSE(drawn.isEmpty());
    EXPECT_FALSE(inkOf(shot.copy(row1), background).isEmpty());

    QImage text(row0.size(), shot.format());
    text.fill(background);
    {
        QPainter p(&text);
        p.setFont(d.list.font());
        p.setPen(d.list.palette().color(QPalette::Text));
        p.drawText(QRect(QPoint(), row0.size()).adjusted(2, 0, 0, 0),
                   Qt::AlignLeft | Qt::AlignVCenter, line);
    }
    const QRect laidOut = inkOf(text, background);
    EXPECT_NEAR(drawn.left(), laidOut.left(), 1);
    EXPECT_NEAR(drawn.right(), laidOut.right(), 1);
    EXPECT_NEAR(drawn.top(), laidOut.top(), 1);
    EXPECT_NEAR(drawn.bottom(), laidOut.bottom(), 1);
}
