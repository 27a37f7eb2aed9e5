#pragma once

#include <QWidget>

class QTextEdit;

// The expanded message window: the whole event log in a larger view.
class TPUListBox : public QWidget
{
    Q_OBJECT
public:
    explicit TPUListBox(QWidget* parent = nullptr);

    QTextEdit* RichEdit1 = nullptr;

    void Refill();

protected:
    bool event(QEvent* e) override;
};
