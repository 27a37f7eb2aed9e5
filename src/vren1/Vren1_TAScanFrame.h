#pragma once

#include <QFrame>
#include <QPointer>

class QGroupBox;
class QLabel;
class TFrame2;
class TSettingsTable;
class UpDown;

// One station of the unit's multi-scan list: its frequency and how long the
// unit dwells on it. The owning window sets the number and refills the frame
// under both guards; a click stores into the frame's TimeAlignConfigs first,
// then queues the request that carries it.
class TTA_Scan_Frame : public QFrame
{
    Q_OBJECT
public:
    TTA_Scan_Frame(QWidget* parent, TFrame2* frame, int scanNumber);

    QPointer<TFrame2> Frame;
    bool Filling = false;
    int ScanNumber = 1; // k = 1..6

    QGroupBox* GroupBox1 = nullptr; // " #k "
    QLabel* TuningFreq_ST = nullptr;
    UpDown* TuningFreq_UD = nullptr;
    QLabel* Time_ST = nullptr;
    UpDown* Time_UD = nullptr;

    // Sets the number k and its caption.
    void setScanNumber(int k);
    // Every control from entry k of the frame's multi-scan list.
    void Refill();
    void setEditable(bool editable);
    // Binds the handlers; once, after the first fill.
    void connectControls();

private:
    TSettingsTable* m_table = nullptr;
    int m_freqControl = -1;
    int m_timeControl = -1;
};
