#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

// A captioned group of radio buttons with one item index, -1 when none is
// chosen. Only the user's click signals; setItemIndex is silent, so a refill
// from the unit's values sends nothing.
class RadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr,
               int columns = 1);

    int itemIndex() const;
    // An index outside the items chooses none, so a value the list cannot
    // name is never shown as another one.
    void setItemIndex(int index);
    int count() const;
    QRadioButton* button(int index) const;

signals:
    void clicked(int index);

private:
    QButtonGroup* m_group = nullptr;
};
