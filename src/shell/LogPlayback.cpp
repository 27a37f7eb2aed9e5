#include "shell/LogPlayback.h"

#include "common/BaseDirectory.h"
#include "common/TDateTime.h"
#include "widgets/FillGuard.h"
#include "widgets/MessageBoxService.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <cmath>

namespace {

constexpr const char* DateTimeFormat = "MM/dd/yyyy hh:mm:ss";

QString timeText(double t)
{
    return FromTDateTime(t).toString("hh:mm:ss");
}

QString dateText(double t)
{
    return FromTDateTime(t).toString("MM/dd/yyyy");
}

void setLabel(QLabel* l, const QString& text)
{
    if (l->text() != text)
        l->setText(text);
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QRect& g)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setGeometry(g);
    return b;
}

QLabel* label(QWidget* parent, const char* name, const QRect& g)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(g);
    return l;
}

QDateTimeEdit* picker(QWidget* parent, const char* name, const QRect& g)
{
    auto* p = new QDateTimeEdit(parent);
    p->setObjectName(name);
    p->setDisplayFormat(DateTimeFormat);
    p->setGeometry(g);
    p->setEnabled(false);
    return p;
}

} // namespace

TFrame3::TFrame3(QWidget* parent)
    : QFrame(parent)
{
    setObjectName("Log1");
    buildUi();
    chooser = [](QWidget* p, const QString& folder, const QString& filter) {
        return QFileDialog::getOpenFileName(p, "Open", folder, filter, nullptr);
    };
    Reset();
}

void TFrame3::buildUi()
{
    LogButton2 = button(this, "LogButton2", "Load  File", QRect(16, 16, 100, 28));
    Label1 = label(this, "Label1", QRect(132, 12, 420, 18));
    Label2 = label(this, "Label2", QRect(132, 32, 300, 18));
    Label3 = label(this, "Label3", QRect(132, 52, 300, 18));
    Label4 = label(this, "Label4", QRect(132, 72, 300, 18));

    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setObjectName("TrackBar1");
    TrackBar1->setRange(0, 100);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(10);
    TrackBar1->setGeometry(16, 100, 440, 30);

    ResetBitBtn = button(this, "ResetBitBtn", "I<", QRect(16, 140, 40, 28));
    RewindBitBtn = button(this, "RewindBitBtn", "<<", QRect(62, 140, 40, 28));
    PlayBitBtn = button(this, "PlayBitBtn", ">", QRect(108, 140, 40, 28));
    FastFwdBitBtn = button(this, "FastFwdBitBtn", ">>", QRect(154, 140, 40, 28));
    EOFBitBtn = button(this, "EOFBitBtn", ">I", QRect(200, 140, 40, 28));
    PauseBitBtn = button(this, "PauseBitBtn", "II", QRect(246, 140, 40, 28));
    CheckBox1 = new QCheckBox("Loop", this);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setGeometry(300, 144, 70, 20);

    auto* startCaption = label(this, "Label5", QRect(16, 182, 80, 20));
    startCaption->setText("Start Time");
    StartTimePicker = picker(this, "StartTimePicker", QRect(100, 180, 170, 24));
    auto* stopCaption = label(this, "Label6", QRect(16, 212, 80, 20));
    stopCaption->setText("Stop Time");
    StopTimePicker = picker(this, "StopTimePicker", QRect(100, 210, 170, 24));
    auto* currentCaption = label(this, "Label7", QRect(290, 182, 80, 20));
    currentCaption->setText("Record Time");
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setReadOnly(true);
    Edit1->setGeometry(290, 210, 170, 24);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setGeometry(16, 246, 444, 20);
    ProgressBar1->hide();

    ScanTimer = new QTimer(this);
    ScanTimer->setObjectName("ScanTimer");
    ScanTimer->setSingleShot(true);
    ScanTimer->setInterval(0);
    connect(ScanTimer, &QTimer::timeout, this, &TFrame3::scanSlice);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TFrame3::Timer1Timer);

    connect(LogButton2, &QPushButton::clicked, this, &TFrame3::LogButton2Click);
    connect(PlayBitBtn, &QPushButton::clicked, this, [this] { m_model.play(); });
    connect(FastFwdBitBtn, &QPushButton::clicked, this, [this] { m_model.fastForward(); });
    connect(RewindBitBtn, &QPushButton::clicked, this, [this] { m_model.rewind(); });
    connect(PauseBitBtn, &QPushButton::clicked, this, [this] { m_model.pause(); });
    connect(ResetBitBtn, &QPushButton::clicked, this, [this] {
        if (!m_model.isLoaded())
            return;
        m_model.reset();
        fillPickers();
        showRecord(m_model.current());
    });
    connect(EOFBitBtn, &QPushButton::clicked, this, [this] {
        if (!m_model.isLoaded())
            return;
        m_model.toEnd();
        fillPickers();
        showRecord(m_model.current());
    });
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) { m_model.loop = on; });
    // Only the user's moves count: a programmatic setValue also emits
    // valueChanged and would pull playback onto whole percent steps.
    connect(TrackBar1, &QSlider::sliderMoved, this, [this](int v) {
        if (m_filling || !m_model.isLoaded())
            return;
        m_model.trackMoved(v);
        showRecord(m_model.shown());
    });
    connect(TrackBar1, &QSlider::actionTriggered, this, [this](int action) {
        if (m_filling || !m_model.isLoaded() || action == QAbstractSlider::SliderMove)
            return;
        // The action's target position is already set when this runs.
        m_model.trackMoved(TrackBar1->sliderPosition());
        showRecord(m_model.shown());
    });
    connect(StartTimePicker, &QDateTimeEdit::dateTimeChanged, this,
            [this] { startPickerChanged(); });
    connect(StopTimePicker, &QDateTimeEdit::dateTimeChanged, this, [this] { stopPickerChanged(); });
}

void TFrame3::Reset()
{
    Timer1->stop();
    ScanTimer->stop();
    ProgressBar1->hide();
    m_model.unload();
    m_name.clear();
    m_scanName.clear();
    FillGuard guard(m_filling);
    setLabel(Label1, "  Filename:   ");
    setLabel(Label2, "Start Time:   ");
    setLabel(Label3, " Stop Time:   ");
    setLabel(Label4, "   Date:      ");
    Edit1->clear();
    TrackBar1->setValue(0);
    StartTimePicker->setEnabled(false);
    StopTimePicker->setEnabled(false);
}

void TFrame3::message(const QString& text)
{
    ShowMessageBox(this, {QMessageBox::Warning, "Log Playback", text, QMessageBox::Ok});
}

void TFrame3::LogButton2Click()
{
    const QString folder = m_lastFolder.isEmpty() ? BaseDirectory() + "/LOG/" : m_lastFolder;
    const QString path = chooser ? chooser(this, folder, DialogFilter) : QString();
    if (path.isEmpty())
        return;
    m_lastFolder = QFileInfo(path).absolutePath();
    LoadFile(path);
}

void TFrame3::LoadFile(const QString& path)
{
    Reset();
    const QString name = QFileInfo(path).fileName();
    QString reason;
    switch (m_model.begin(path, &reason)) {
    case TLogPlaybackModel::Load::CannotRead:
        message(name + " cannot be read: " + reason + ".");
        return;
    case TLogPlaybackModel::Load::NoRecord:
        message(name + " holds no complete log record.");
        return;
    default:
        break;
    }
    m_scanName = name;
    setLabel(Label1, "  Filename:   " + name);
    scanSlice();
}

void TFrame3::scanSlice()
{
    // Runs of a few thousand records, so the time is looked at often enough
    // even on a slow disk.
    constexpr int RunRecords = 4096;
    QElapsedTimer clock;
    clock.start();
    TLogPlaybackModel::Load r = TLogPlaybackModel::Load::Scanning;
    for (int done = 0; r == TLogPlaybackModel::Load::Scanning && done < ScanSliceRecords &&
                       clock.elapsed() < ScanSliceMs;
         done += RunRecords)
        r = m_model.scan(RunRecords);
    if (r == TLogPlaybackModel::Load::Scanning) {
        ProgressBar1->setValue(m_model.scanPercent());
        ProgressBar1->show();
        ScanTimer->start();
        return;
    }
    ProgressBar1->hide();
    if (r == TLogPlaybackModel::Load::Loaded) {
        showLoaded();
        return;
    }
    const QString name = m_scanName;
    Reset();
    message(name + " holds no record with a valid time stamp.");
}

void TFrame3::showLoaded()
{
    const QString name = m_scanName;
    m_scanName.clear();
    m_name = name;
    setLabel(Label1, "  Filename:   " + name);
    setLabel(Label2, "Start Time:   " + timeText(m_model.firstTime()));
    setLabel(Label3, " Stop Time:   " + timeText(m_model.lastTime()));
    setLabel(Label4, "   Date:      " + dateText(m_model.firstTime()));
    {
        FillGuard guard(m_filling);
        const QDateTime a = FromTDateTime(m_model.firstTime());
        const QDateTime b = FromTDateTime(m_model.lastTime());
        for (QDateTimeEdit* p : {StartTimePicker, StopTimePicker}) {
            p->setDateTimeRange(a, b);
            p->setEnabled(true);
        }
    }
    fillPickers();
    showRecord(m_model.current());
    Timer1->start();
    if (m_model.trailingBytes() > 0)
        message(QString("%1 ends with an incomplete record of %2 bytes; the %3 complete records "
                        "are shown.")
                    .arg(name)
                    .arg(m_model.trailingBytes())
                    .arg(m_model.count()));
    if (m_model.damagedCount() > 0)
        message(QString("%1: %2 of %3 records are damaged and are shown without their time.")
                    .arg(name)
                    .arg(m_model.damagedCount())
                    .arg(m_model.count()));
}

void TFrame3::fillPickers()
{
    FillGuard guard(m_filling);
    const QDateTime a = FromTDateTime(m_model.startPicker());
    const QDateTime b = FromTDateTime(m_model.stopPicker());
    if (StartTimePicker->dateTime() != a)
        StartTimePicker->setDateTime(a);
    if (StopTimePicker->dateTime() != b)
        StopTimePicker->setDateTime(b);
}

void TFrame3::setTrack(int position)
{
    FillGuard guard(m_filling);
    if (TrackBar1->value() != position)
        TrackBar1->setValue(position);
}

void TFrame3::showRecord(int index)
{
    if (!m_model.isLoaded() || index < 0)
        return;
    const double t = m_model.time(index);
    const QString text =
        std::isnan(t) ? QString("invalid time") : FromTDateTime(t).toString(DateTimeFormat);
    if (Edit1->text() != text)
        Edit1->setText(text);
    setTrack(m_model.trackPosition());
}

void TFrame3::Timer1Timer()
{
    if (m_model.tick())
        showRecord(m_model.shown());
}

void TFrame3::startPickerChanged()
{
    if (m_filling || !m_model.isLoaded())
        return;
    m_model.setStartPicker(ToTDateTime(StartTimePicker->dateTime()));
    fillPickers();
}

void TFrame3::stopPickerChanged()
{
    if (m_filling || !m_model.isLoaded())
        return;
    m_model.setStopPicker(ToTDateTime(StopTimePicker->dateTime()));
    fillPickers();
}
