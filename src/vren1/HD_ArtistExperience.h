#pragma once

#include "panels/ChildWindow.h"

#include <array>

class QTabWidget;
class THDAEMultFrame;

// The artist-experience images of the eight programs: the radio images of
// HD1..HD4 side by side, then each program's radio image, station logo,
// primary and pending image on a sheet of its own.
//
// Object names: PageControl1, TabSheet0..TabSheet8, HDAEMultFrame0..8, each
// with HDAEFrame1..4.
class TArtistExperience : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 12;
    explicit TArtistExperience(const TChildWindowArgs& args);

    QTabWidget* PageControl1 = nullptr;
    std::array<THDAEMultFrame*, 9> MultFrames{};

protected:
    void RefreshWindow(qintptr lParam) override;
    void showEvent(QShowEvent* e) override;

private:
    void draw();
};
