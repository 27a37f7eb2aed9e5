// The cost of drawing the raw-data dump: a 1500-byte block whose bytes change
// from block to block, dumped into a list of the raw-data window's size and
// painted. PlainLineDelegate against a delegate that lays every line out as
// text.

#include "panels/RawDump.h"

#include "widgets/ProgramStyle.h"

#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {

// Every line laid out as text, the way a plain item delegate draws it.
class LaidOutLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        painter->setPen(option.palette.color(QPalette::Text));
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
    }
};

void drawDump(benchmark::State& state, bool plain)
{
    const int changedPercent = int(state.range(0));
    QListWidget list;
    list.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list.setUniformItemSizes(true);
    if (plain)
        list.setItemDelegate(new PlainLineDelegate(&list));
    else
        list.setItemDelegate(new LaidOutLineDelegate(&list));
    list.resize(780, 380);
    list.show();
    QByteArray block(1500, '\0');
    QRandomGenerator random(7);
    for (char& b : block)
        b = char(random.bounded(256));
    dumpBlock(&list, block, TPartialLine::Skip);
    QApplication::processEvents();
    QImage target(list.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        for (int line = 0; line < 150; ++line)
            if (int(random.bounded(100)) < changedPercent)
                block[line * 10 + int(random.bounded(10))] = char(random.bounded(256));
        dumpBlock(&list, block, TPartialLine::Skip);
        if (state.range(1)) {
            // What the window does: the changed rows are repainted.
            QApplication::processEvents();
        } else {
            list.viewport()->render(&target);
            benchmark::DoNotOptimize(target.constBits());
        }
    }
}

} // namespace

// Arguments: the share of lines changed, and whether the list repaints what
// changed (1) or is drawn whole (0).
BENCHMARK_CAPTURE(drawDump, plain, true)
    ->ArgsProduct({{100, 10}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(drawDump, laidOut, false)
    ->ArgsProduct({{100, 10}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setStyle(new TProgramStyle);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
