#pragma once

#include <QWidget>

#include <array>

class QLabel;
class THD_AE_Object;

// One artist-experience image object: its LOT header values and its picture,
// scaled down into its area with the aspect ratio kept.
//
// Object names: Label15 (title), Port_LB, LOTID_LB, DisTime_LB, Size_LB,
// Hash_LB, File_LB, Dimen_LB, Image1.
class THDAEFrame : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ImageWidth = 200;
    static constexpr int ImageHeight = 150;

    THDAEFrame(QWidget* parent, const QString& name, const QString& title);

    QLabel* Label15 = nullptr;
    QLabel* Port_LB = nullptr;
    QLabel* LOTID_LB = nullptr;
    QLabel* DisTime_LB = nullptr;
    QLabel* Size_LB = nullptr;
    QLabel* Hash_LB = nullptr;
    QLabel* File_LB = nullptr;
    QLabel* Dimen_LB = nullptr;
    QLabel* Image1 = nullptr;

    // Shows an object: an invalid one clears the frame (and zeroes the
    // object's size), a valid changed one is drawn (clearing its Changed when
    // clearChanged), a valid unchanged one leaves the frame as it is.
    void ShowAEObject(THD_AE_Object& object, bool clearChanged);
};

// Four frames, titled "Radio Image", "Station Logo", "Primary Image",
// "Pending Image" unless given other titles. Object names HDAEFrame1..4.
class THDAEMultFrame : public QWidget
{
    Q_OBJECT
public:
    THDAEMultFrame(QWidget* parent, const QString& name, const std::array<QString, 4>& titles);

    std::array<THDAEFrame*, 4> Frames{};
};
