#pragma once

#include "widgets/RadioGroup.h"
#include "widgets/UpDown.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QString>
#include <QTest>
#include <QToolButton>
#include <QWidget>
#include <gtest/gtest.h>

// Driving the controls of a settings table as the user does, for the tests of
// every settings window built on it.

// What the user does to a control.
enum class Act
{
    Pick,  // choose item n of a combo box or radio group
    Up,    // click the up arrow
    Down,  // click the down arrow
    Click, // click a check box or button
    Type,  // type the text into an edit
};

template <class T>
T* control(QWidget* w, const QString& name)
{
    T* c = w->findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name.toStdString();
    return c;
}

// Does to the control what the user does with mouse or keyboard.
inline void act(QWidget* w, const QString& name, Act what, int n = 0, const QString& typed = {})
{
    QWidget* c = w->findChild<QWidget*>(name);
    ASSERT_NE(c, nullptr) << name.toStdString();
    if (auto* combo = qobject_cast<QComboBox*>(c)) {
        // As a choice from the list does it.
        combo->setCurrentIndex(n);
        emit combo->activated(n);
    } else if (auto* radio = qobject_cast<RadioGroup*>(c)) {
        radio->button(n)->click();
    } else if (auto* updown = qobject_cast<UpDown*>(c)) {
        updown->findChild<QToolButton*>(what == Act::Up ? "Up" : "Down")->click();
    } else if (auto* edit = qobject_cast<QLineEdit*>(c)) {
        edit->clear();
        QTest::keyClicks(edit, typed);
    } else if (auto* button = qobject_cast<QAbstractButton*>(c)) {
        button->click();
    } else {
        FAIL() << name.toStdString() << " is no editing control";
    }
}

// The item, position or check a control shows; -99 (and a failure) for a
// name that is no editing control.
inline int shown(QWidget* w, const QString& name)
{
    QWidget* c = w->findChild<QWidget*>(name);
    if (auto* combo = qobject_cast<QComboBox*>(c))
        return combo->currentIndex();
    if (auto* radio = qobject_cast<RadioGroup*>(c))
        return radio->itemIndex();
    if (auto* updown = qobject_cast<UpDown*>(c))
        return updown->position();
    if (auto* box = qobject_cast<QAbstractButton*>(c))
        return box->isChecked() ? 1 : 0;
    ADD_FAILURE() << name.toStdString();
    return -99;
}
