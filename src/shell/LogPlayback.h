#pragma once

#include "models/LogPlaybackModel.h"

#include <QFrame>
#include <functional>

class QCheckBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QTimer;

// The "    Log  " tab of the Connections window: opens a rack log file and
// steps through its records by time. It shows the times only; the records go
// to no instrument window.
//
// Component names besides the designed ones: Label1 (file name), Label2
// (start time), Label3 (stop time), Label4 (date), CheckBox1 ("Loop"),
// ProgressBar1 (shown while a large file is scanned), ScanTimer.
//
// A chosen file is scanned for its times and damaged records in slices of at
// most ScanSliceRecords records and ScanSliceMs, the next slice started from
// ScanTimer, so the event loop runs between them whatever the file's size.
class TFrame3 : public QFrame
{
    Q_OBJECT
public:
    // Asks for a log file: the parent, the folder to start in and the filter;
    // an empty result means none was chosen. Tests install one that returns a
    // path; the default is a file dialog.
    using Chooser =
        std::function<QString(QWidget* parent, const QString& folder, const QString& filter)>;
    static constexpr const char* DialogFilter =
        "All (*.L*);;Connect #1 (*.LW1 *.LC1);;Connect #2 (*.LW2 *.LC2);;"
        "Connect #3 (*.LW3 *.LC3);;Connect #4 (*.LW4 *.LC4);;Connect #5 (*.LW5 *.LC5);;"
        "Connect #6 (*.LW6 *.LC6);;Connect #7 (*.LW7 *.LC7);;Connect #8 (*.LW8 *.LC8)";

    static constexpr int ScanSliceRecords = 16384;
    static constexpr int ScanSliceMs = 100;

    explicit TFrame3(QWidget* parent = nullptr);

    QPushButton* LogButton2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QSlider* TrackBar1 = nullptr;
    QPushButton* ResetBitBtn = nullptr;
    QPushButton* RewindBitBtn = nullptr;
    QPushButton* PlayBitBtn = nullptr;
    QPushButton* FastFwdBitBtn = nullptr;
    QPushButton* EOFBitBtn = nullptr;
    QPushButton* PauseBitBtn = nullptr;
    QDateTimeEdit* StartTimePicker = nullptr;
    QDateTimeEdit* StopTimePicker = nullptr;
    QLineEdit* Edit1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* ScanTimer = nullptr;

    Chooser chooser;

    // Forgets the file and empties the controls (the Connections window's
    // start-up).
    void Reset();
    // Loads the file as the dialog would have chosen it. A file larger than
    // one slice is still being scanned when this returns.
    void LoadFile(const QString& path);
    void LogButton2Click();
    // One step of the 100 ms timer; tests call it with the timer stopped.
    void Timer1Timer();

    const TLogPlaybackModel& model() const { return m_model; }

private:
    void buildUi();
    void scanSlice();
    void showLoaded();
    void showRecord(int index);
    void fillPickers();
    void setTrack(int position);
    void message(const QString& text);
    void startPickerChanged();
    void stopPickerChanged();

    TLogPlaybackModel m_model;
    QString m_name;
    // The file being scanned.
    QString m_scanName;
    QString m_lastFolder;
    bool m_filling = false;
};
