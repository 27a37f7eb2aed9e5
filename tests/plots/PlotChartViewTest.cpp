#include "plots/PlotChartView.h"

#include "plots/ChartKit.h"

#include <QChart>
#include <QCoreApplication>
#include <QLineSeries>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QValueAxis>
#include <gtest/gtest.h>

namespace {

// A shown chart of 0..100 on both axes, so the plot area has its geometry.
struct ViewFixture
{
    ViewFixture()
    {
        QChart* chart = makePlotChart("test");
        x = addValueAxis(chart, Qt::AlignBottom, "x");
        y = addValueAxis(chart, Qt::AlignLeft, "y");
        setFixedAxis(x, 0, 100, 10);
        setFixedAxis(y, 0, 100, 10);
        addLineSeries(chart, "line", Qt::red, x, y)->replace({{0, 0}, {100, 100}});
        view = std::make_unique<PlotChartView>(chart);
        view->resize(500, 400);
        view->show();
        QCoreApplication::processEvents();
    }

    QPoint at(double vx, double vy) const
    {
        const QPointF scene = view->chart()->mapToScene(view->chart()->mapToPosition({vx, vy}));
        return view->mapFromScene(scene);
    }

    void mouse(QEvent::Type t, QPoint pos, Qt::MouseButton b, Qt::MouseButtons held)
    {
        const QPointF p(pos);
        QMouseEvent e(t, p, p, view->viewport()->mapToGlobal(p), b, held, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &e);
    }

    void drag(Qt::MouseButton b, QPoint from, QPoint to)
    {
        mouse(QEvent::MouseButtonPress, from, b, b);
        mouse(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, b);
        mouse(QEvent::MouseMove, to, Qt::NoButton, b);
        mouse(QEvent::MouseButtonRelease, to, b, Qt::NoButton);
    }

    QValueAxis* x = nullptr;
    QValueAxis* y = nullptr;
    std::unique_ptr<PlotChartView> view;
};

} // namespace

TEST(PlotChartView, DragDownRightAsksForAZoomInValuesAndZoomsNothingItself)
{
    ViewFixture fx;
    QSignalSpy zoom(fx.view.get(), &PlotChartView::zoomRequested);
    QSignalSpy undo(fx.view.get(), &PlotChartView::undoZoomRequested);
    fx.drag(Qt::LeftButton, fx.at(20, 80), fx.at(60, 30));
    ASSERT_EQ(zoom.count(), 1);
    EXPECT_EQ(undo.count(), 0);
    const QRectF r = zoom.at(0).at(0).toRectF();
    EXPECT_NEAR(r.left(), 20, 1);
    EXPECT_NEAR(r.right(), 60, 1);
    EXPECT_NEAR(r.top(), 30, 1);
    EXPECT_NEAR(r.bottom(), 80, 1);
    EXPECT_EQ(fx.x->min(), 0);
    EXPECT_EQ(fx.x->max(), 100);
    EXPECT_EQ(fx.y->max(), 100);
}

TEST(PlotChartView, DragUpLeftOrRightClickAsksToUndo)
{
    ViewFixture fx;
    QSignalSpy zoom(fx.view.get(), &PlotChartView::zoomRequested);
    QSignalSpy undo(fx.view.get(), &PlotChartView::undoZoomRequested);
    fx.drag(Qt::LeftButton, fx.at(60, 30), fx.at(20, 80));
    EXPECT_EQ(undo.count(), 1);
    const QPoint p = fx.at(50, 50);
    fx.mouse(QEvent::MouseButtonPress, p, Qt::RightButton, Qt::RightButton);
    fx.mouse(QEvent::MouseButtonRelease, p, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(undo.count(), 2);
    // A left click without a drag asks for nothing.
    fx.mouse(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    fx.mouse(QEvent::MouseButtonRelease, p + QPoint(1, 1), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(undo.count(), 2);
    EXPECT_EQ(zoom.count(), 0);
}

TEST(PlotChartView, RightDragAsksToScrollWithTheContent)
{
    ViewFixture fx;
    QSignalSpy scroll(fx.view.get(), &PlotChartView::scrollRequested);
    QSignalSpy undo(fx.view.get(), &PlotChartView::undoZoomRequested);
    fx.drag(Qt::RightButton, fx.at(50, 50), fx.at(70, 50));
    ASSERT_GE(scroll.count(), 1);
    double dx = 0;
    for (const QList<QVariant>& s : scroll)
        dx += s.at(0).toPointF().x();
    // Dragging right moves the content right: the axis moves to lower values.
    EXPECT_NEAR(dx, -20, 1);
    EXPECT_EQ(undo.count(), 0);
    EXPECT_EQ(fx.x->min(), 0) << "the view leaves the axes to its window";
}

TEST(PlotChartView, DoubleClickIsReported)
{
    ViewFixture fx;
    QSignalSpy dbl(fx.view.get(), &PlotChartView::doubleClicked);
    const QPoint p = fx.at(50, 50);
    fx.mouse(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    fx.mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    fx.mouse(QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
    fx.mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(dbl.count(), 1);
}
