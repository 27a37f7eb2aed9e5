#include "widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent,
                       int columns)
    : QGroupBox(caption, parent)
    , m_group(new QButtonGroup(this))
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setVerticalSpacing(0);
    columns = qMax(1, columns);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        b->setObjectName(QString("Item%1").arg(i));
        m_group->addButton(b, i);
        layout->addWidget(b, i / columns, i % columns);
    }
    connect(m_group, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

int RadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* b = m_group->button(index)) {
        b->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; let go of it for a moment.
    m_group->setExclusive(false);
    for (QAbstractButton* b : m_group->buttons())
        b->setChecked(false);
    m_group->setExclusive(true);
}

int RadioGroup::count() const
{
    return int(m_group->buttons().size());
}

QRadioButton* RadioGroup::button(int index) const
{
    return qobject_cast<QRadioButton*>(m_group->button(index));
}
