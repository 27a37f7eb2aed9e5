#pragma once

#include "models/SpectrumModel.h"

#include <QWidget>
#include <array>
#include <functional>

class QComboBox;
class QGridLayout;
class QLabel;
class QSlider;
class QTabWidget;
class RadioGroup;
class TSpectrumChart;
class UpDown;

// One spectrum page: its settings pages, cursor strip, the C1 and C2 track
// bars and its chart (two charts on a page with an input type). It works on
// the page's words through the spectrum model; what it changes goes into the
// local configuration first and then out through the window's send function
// with the page's code. Controls are named by the page's prefix ("RF",
// "CMP", "AUD", "HD") so tests find them.
class TSpectrumPageView : public QWidget
{
    Q_OBJECT
public:
    struct TSetup
    {
        const TSpectrumWordMap* map = nullptr;
        QString prefix;
        QColor cursorColour;
        QColor maskColour;
        QList<QPointF> mask;         // empty: the page shows no mask
        QStringList inputSources;    // audio page: the two source lists
        bool rfInputList = false;    // the hidden RF-input list
        bool hdPowerDensity = false; // the HD page's measurement page
    };

    TSpectrumPageView(const TSetup& setup, QWidget* parent = nullptr);

    // The words the page reads and writes, how a change goes out, and the
    // window's Filling flag the handlers respect. Set once, before refill().
    void attach(TSpectrumConfig* config, std::function<void(int code)> sendFn, bool* fillingFlag);

    // Every control from its word (run under the window's guard).
    void refill();
    // One refresh: the trace, the cursors' texts and the dual readouts.
    void draw(const std::array<qint32, SpectrumPoints>& spectrum);
    void clearTraces();
    // Observers may look but not change the unit's display settings.
    void setReadOnly(bool readOnly);

    // The reference level in use, tenths of dB.
    qint32 reference() const;
    bool dualInput() const;
    bool fillMode() const { return m_fillMode; }
    const TSpectrumWordMap& map() const { return *m_setup.map; }
    TSpectrumChart* chart() const { return m_chart; }
    TSpectrumChart* chart2() const { return m_chart2; }
    QTabWidget* settings() const { return m_settings; }
    // The HD page lays out its own right-hand panel beside the chart.
    QWidget* chartRow() const { return m_chartRow; }

    // The HR and "Freq" controls, which the HD page's power density locks.
    void setHorizontalControlsEnabled(bool enabled);
    // Re-lays out the audio charts for the input type.
    void layoutCharts();

signals:
    // The audio input type was changed by the user (word stored, code sent).
    void inputTypeChanged();
    // The HD power spectral density was switched by the user (word stored).
    void powerDensityChanged(bool on);

private:
    // A caption, then the readout and its arrows, on one row of a page's grid.
    struct TUpDownRow
    {
        QString caption;
        QString key;
        UpDown** upDown;
        QLabel** text;
    };
    struct TRadio
    {
        RadioGroup** group;
        QString key;
        QString caption;
        QStringList items;
    };
    void addRows(QGridLayout* grid, QWidget* page, const QList<TUpDownRow>& rows);
    // Radio groups side by side, then the rows' grid when there are rows.
    QWidget* radioPage(QWidget* parent, const QList<TRadio>& radios, const QList<TUpDownRow>& rows);
    // The rows' grid alone, its spare width on the right.
    QWidget* gridPage(const QList<TUpDownRow>& rows);
    UpDown* addUpDown(QWidget* parent, const QString& key, QLabel** text);
    RadioGroup* addRadio(QWidget* parent, const QString& key, const QString& caption,
                         const QStringList& items);
    QString name(const QString& key) const { return m_setup.prefix + "_" + key; }

    qint32 word(int k) const;
    void store(int k, qint32 v);
    void send(int code);
    bool filling() const { return m_filling && *m_filling; }

    void showVertical();
    void showHorizontal();
    void showC1();
    void showC2Cursor();
    void showTexts();

    // What a change shows before it is sent; none for nullptr.
    void change(int item, qint32 value, int code, void (TSpectrumPageView::*show)());
    void showVerticalChange();
    void showFreqChange();
    void showC2Change();
    void showFill();
    bool maskOn() const;
    void showMask();
    void hrClicked(int position);

    TSetup m_setup;
    TSpectrumConfig* m_config = nullptr;
    std::function<void(int)> m_send;
    bool* m_filling = nullptr;
    bool m_readOnly = false;

    TSpectrumVerticalAxis m_vertical;
    TSpectrumHorizontalAxis m_horizontal;
    bool m_fillMode = false;
    TSpectrumTrace m_trace;

    QTabWidget* m_settings = nullptr;
    UpDown* m_dB = nullptr;
    UpDown* m_vr = nullptr;
    UpDown* m_hr = nullptr;
    UpDown* m_freq = nullptr;
    UpDown* m_hold = nullptr;
    UpDown* m_average = nullptr;
    UpDown* m_ref = nullptr;
    UpDown* m_maskLsb = nullptr;
    UpDown* m_maskUsb = nullptr;
    QLabel* m_dBText = nullptr;
    QLabel* m_vrText = nullptr;
    QLabel* m_hrText = nullptr;
    QLabel* m_freqText = nullptr;
    QLabel* m_holdText = nullptr;
    QLabel* m_averageText = nullptr;
    QLabel* m_refText = nullptr;
    QLabel* m_maskLsbText = nullptr;
    QLabel* m_maskUsbText = nullptr;
    RadioGroup* m_mode = nullptr;
    RadioGroup* m_fill = nullptr;
    RadioGroup* m_colour = nullptr;
    RadioGroup* m_mask = nullptr;
    RadioGroup* m_psd = nullptr;
    RadioGroup* m_inputType = nullptr;
    QComboBox* m_rfInput = nullptr;
    QComboBox* m_input1 = nullptr;
    QComboBox* m_input2 = nullptr;
    QSlider* m_c1 = nullptr;
    QSlider* m_c2 = nullptr;
    QLabel* m_c1Text = nullptr;
    QLabel* m_c2Text = nullptr;
    QLabel* m_c2L = nullptr;
    QLabel* m_c2R = nullptr;
    QLabel* m_c2D = nullptr;
    QWidget* m_chartRow = nullptr;
    QWidget* m_chartPanel = nullptr;
    TSpectrumChart* m_chart = nullptr;
    TSpectrumChart* m_chart2 = nullptr;
    TSpectrumTrace m_trace2;
};
