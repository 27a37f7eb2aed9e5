#pragma once

#include "panels/ChildWindow.h"

#include <QList>
#include <QStringList>

class QPushButton;
class QTreeWidget;

// A unit-configuration report: what the unit reports beside the program's
// working copy, one row per setting, so a difference stands out. Read-only;
// its one button makes the program take the unit's values over at the next
// settings block. A family's report gives the rows and the two columns' texts.
class TConfigReport : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    // captions and hasValue describe the rows, once for the window's life.
    TConfigReport(const TChildWindowArgs& args, int kind, int refreshMessage,
                  const QStringList& captions, const QList<bool>& hasValue);

    QTreeWidget* ListView1 = nullptr;
    QPushButton* Button1 = nullptr;

    // Both value columns from the frame, each text set only when it changed.
    void Refill();

protected:
    // Whether the records behind the columns changed since the last refill;
    // a refresh that finds them unchanged formats nothing.
    virtual bool recordsChanged() { return true; }
    virtual QStringList unitColumn() const = 0;
    virtual QStringList localColumn() const = 0;
    // "Update Local Config": the family's request to copy the unit's values.
    virtual void Button1Click() = 0;

    void RefreshWindow(qintptr lParam) override;

private:
    void setColumn(int column, const QStringList& texts);

    QList<bool> m_hasValue;
};
