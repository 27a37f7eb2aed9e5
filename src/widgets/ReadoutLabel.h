#pragma once

#include <QLabel>

// A label that shows a reading and tells its window when it is clicked or
// double-clicked (some windows open a detail view from a reading, the Vren1
// panel recalls a preset from its number).
class ReadoutLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ReadoutLabel(QWidget* parent = nullptr);

signals:
    void doubleClicked();
    // A left-button press and release both on the label.
    void clicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};
