#pragma once

#include <QLabel>

// A label that shows a reading and tells its window when it is
// double-clicked (some windows open a detail view from a reading).
class ReadoutLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ReadoutLabel(QWidget* parent = nullptr);

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
};
