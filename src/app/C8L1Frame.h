#pragma once

#include <QFrame>
#include <array>

class QTabWidget;
class TFrame2;
class TFrame3;

// The eight connection frames, one on each tab.
class TC8L1Frame : public QFrame
{
    Q_OBJECT
public:
    explicit TC8L1Frame(QWidget* parent = nullptr);

    QTabWidget* PageControl2 = nullptr;
    std::array<TFrame2*, 8> Connect{}; // Connect1 .. Connect8
    TFrame3* Log1 = nullptr;           // the ninth tab: log playback
};
