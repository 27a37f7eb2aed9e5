#include "vren1/Vren1_TAScanFrame.h"

#include "link/Frame2.h"
#include "models/HdTaSettingsTexts.h"
#include "panels/SettingsTable.h"
#include "protocol/hd/HdRequests.h"
#include "widgets/FixedFont.h"
#include "widgets/UpDown.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int ScanFreqFirstId = 219; // + k
constexpr int ScanTimeFirstId = 225; // + k
constexpr int TimeWordOffset = 6;    // scan words 7..12 hold the times

int freqPosition(qint32 value)
{
    return HdTaScanFreqPosition(value);
}
qint32 freqValue(int position)
{
    return HdTaScanFreqValue(position);
}

} // namespace

TTA_Scan_Frame::TTA_Scan_Frame(QWidget* parent, TFrame2* frame, int scanNumber)
    : QFrame(parent)
    , Frame(frame)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName("GroupBox1");
    outer->addWidget(GroupBox1);
    auto* grid = new QGridLayout(GroupBox1);
    grid->setHorizontalSpacing(6);

    const QFont fixed = FixedPitchBoldFont(12);
    auto valueText = [&](const char* name, int chars) {
        auto* l = new QLabel(GroupBox1);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        l->setFont(fixed);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(chars, '0')));
        return l;
    };
    auto upDown = [&](const char* name, int max) {
        auto* u = new UpDown(GroupBox1);
        u->setObjectName(name);
        u->setRange(0, max);
        u->setWrap(true); // the dial runs round, as the unit's own does
        return u;
    };
    TuningFreq_ST = valueText("TuningFreq_ST", 9);
    TuningFreq_UD = upDown("TuningFreq_UD", 102);
    Time_ST = valueText("Time_ST", 3);
    Time_UD = upDown("Time_UD", 30);
    grid->addWidget(new QLabel("Frequency", GroupBox1), 0, 0);
    grid->addWidget(TuningFreq_ST, 0, 1);
    grid->addWidget(TuningFreq_UD, 0, 2);
    grid->addWidget(new QLabel("Time", GroupBox1), 0, 3);
    grid->addWidget(Time_ST, 0, 4);
    grid->addWidget(Time_UD, 0, 5);
    grid->setColumnStretch(6, 1);

    TSettingsTable::THooks hooks;
    hooks.read = [this](int word) -> qint32 {
        if (!Frame)
            return 0;
        const qint32* w = Frame->TimeAlignConfigs.scanWord(word);
        return w ? *w : 0;
    };
    hooks.store = [this](int word, qint32 value) {
        if (Frame)
            if (qint32* w = Frame->TimeAlignConfigs.scanWord(word))
                *w = value;
    };
    hooks.send = [this](int code, quint8 b3) {
        if (Frame)
            QueueSetParameter(*Frame, code, 0, 0, 0, b3);
    };
    m_table = new TSettingsTable(this, Filling, hooks);
    m_freqControl = m_table->addUpDown(TuningFreq_UD, TuningFreq_ST, {}, HdTaScanFreqText,
                                       {freqPosition, freqValue});
    m_timeControl = m_table->addUpDown(Time_UD, Time_ST, {}, HdTaScanTimeText);
    setScanNumber(scanNumber);
}

void TTA_Scan_Frame::setScanNumber(int k)
{
    ScanNumber = qBound(1, k, 6);
    const quint8 b3 = quint8(ScanNumber);
    m_table->control(m_freqControl).bind = {ScanNumber, ScanFreqFirstId + ScanNumber, b3, 0};
    m_table->control(m_timeControl).bind = {TimeWordOffset + ScanNumber,
                                            ScanTimeFirstId + ScanNumber, b3, 0};
    setObjectName(QString("TA_Scan_Frame%1").arg(ScanNumber));
    GroupBox1->setTitle(QString(" #%1 ").arg(ScanNumber));
}

void TTA_Scan_Frame::Refill()
{
    if (Frame)
        m_table->fill();
}

void TTA_Scan_Frame::setEditable(bool editable)
{
    m_table->setEditable(editable);
}

void TTA_Scan_Frame::connectControls()
{
    m_table->connectAll();
}
