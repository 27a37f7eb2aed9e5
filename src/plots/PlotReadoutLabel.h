#pragma once

#include <QLabel>

// A readout under a chart; a double-click on it resets the plot.
class PlotReadoutLabel : public QLabel
{
    Q_OBJECT
public:
    explicit PlotReadoutLabel(const QString& name, QWidget* parent = nullptr);

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
};
