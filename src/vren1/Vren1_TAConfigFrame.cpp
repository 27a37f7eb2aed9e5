#include "vren1/Vren1_TAConfigFrame.h"

#include "link/Frame2.h"
#include "models/HdTaSettingsTexts.h"
#include "panels/SettingsTable.h"
#include "protocol/hd/HdRequests.h"
#include "widgets/FixedFont.h"
#include "widgets/NamedColours.h"
#include "widgets/SetIfChanged.h"
#include "widgets/UpDown.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Field numbers of TTimeAlignConfigTable::field and the requests that carry them.
constexpr int ModeField = 0, SecondsField = 1, MsField = 2, UsField = 3, RateField = 4,
              RampField = 5, OffsetField = 6, DeviceField = 8, OctetField1 = 11, PortField1 = 15,
              ConnectField = 20;
constexpr int ModeId = 199, SecondsId = 200, MsId = 201, UsId = 202, RateId = 203, RampId = 204,
              OffsetId = 205, DeviceId = 206, OctetId1 = 209, PortId1 = 213, ConnectId = 218;
constexpr int UserIdBase = 1039;     // + k
constexpr int PasswordIdBase = 1045; // + k
constexpr int LoginMaxLength = 12;

QLabel* valueText(QWidget* parent, const QString& name, int chars)
{
    const QFont fixed = FixedPitchBoldFont(12);
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setFont(fixed);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(chars, '0')));
    return l;
}

UpDown* upDown(QWidget* parent, const QString& name, int max, bool wrap)
{
    auto* u = new UpDown(parent);
    u->setObjectName(name);
    u->setRange(0, max);
    u->setWrap(wrap);
    return u;
}

QComboBox* combo(QWidget* parent, const char* name, const QStringList& items)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(items);
    c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return c;
}

QGroupBox* group(QWidget* parent, const QString& caption, QGridLayout* grid, int row, int col,
                 int colSpan = 1)
{
    auto* g = new QGroupBox(caption, parent);
    grid->addWidget(g, row, col, 1, colSpan);
    auto* l = new QHBoxLayout(g);
    l->setContentsMargins(8, 4, 8, 4);
    l->setSpacing(4);
    return g;
}

void setFontColour(QWidget* w, QPalette::ColorRole role, const QColor& c)
{
    if (w->palette().color(role) == c)
        return;
    QPalette pal = w->palette();
    pal.setColor(role, c);
    w->setPalette(pal);
}

} // namespace

TTA_Config_Frame::TTA_Config_Frame(QWidget* parent, TFrame2* frame, int configNumber)
    : QFrame(parent)
    , Frame(frame)
{
    buildLayout();
    bindControls();
    setConfigNumber(configNumber);
}

void TTA_Config_Frame::buildLayout()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    outer->addLayout(grid);

    auto upDownPair = [](QGroupBox* g, QLabel* text, UpDown* u) {
        g->layout()->addWidget(text);
        g->layout()->addWidget(u);
    };

    QGroupBox* g = group(this, " Mode ", grid, 0, 0);
    Mode_CB = combo(g, "Mode_CB", HdTaModeItems());
    g->layout()->addWidget(Mode_CB);

    g = group(this, " Delay Center ", grid, 0, 1, 2);
    Dly_Ctr_S_ST = valueText(g, "Dly_Ctr_S_ST", 7);
    Dly_Ctr_S_UD = upDown(g, "Dly_Ctr_S_UD", 15, true);
    Dly_Ctr_MS_ST = valueText(g, "Dly_Ctr_MS_ST", 6);
    Dly_Ctr_MS_UD = upDown(g, "Dly_Ctr_MS_UD", 999, true);
    Dly_Ctr_US_ST = valueText(g, "Dly_Ctr_US_ST", 6);
    Dly_Ctr_US_UD = upDown(g, "Dly_Ctr_US_UD", 999, true);
    upDownPair(g, Dly_Ctr_S_ST, Dly_Ctr_S_UD);
    upDownPair(g, Dly_Ctr_MS_ST, Dly_Ctr_MS_UD);
    upDownPair(g, Dly_Ctr_US_ST, Dly_Ctr_US_UD);

    g = group(this, " Rate ", grid, 1, 0);
    Rate_CB = combo(g, "Rate_CB", HdTaRateItems());
    g->layout()->addWidget(Rate_CB);

    g = group(this, " Ramp ", grid, 1, 1);
    Ramp_ST = valueText(g, "Ramp_ST", 6);
    Ramp_UD = upDown(g, "Ramp_UD", 30, false);
    upDownPair(g, Ramp_ST, Ramp_UD);

    g = group(this, " Offset ", grid, 1, 2);
    Offset_ST = valueText(g, "Offset_ST", 12);
    Offset_UD = upDown(g, "Offset_UD", 1000, false);
    upDownPair(g, Offset_ST, Offset_UD);

    g = group(this, " Device ", grid, 2, 0);
    Device_CB = combo(g, "Device_CB", HdTaDeviceItems());
    g->layout()->addWidget(Device_CB);

    g = group(this, " User ", grid, 2, 1);
    UserEdit = new QLineEdit(g);
    UserEdit->setObjectName("UserEdit");
    g->layout()->addWidget(UserEdit);

    g = group(this, " Password ", grid, 2, 2);
    PassEdit = new QLineEdit(g);
    PassEdit->setObjectName("PassEdit");
    g->layout()->addWidget(PassEdit);

    g = group(this, " IP Address ", grid, 3, 0, 2);
    for (int i = 0; i < 4; ++i) {
        IP_ADR_ST[i] = valueText(g, QString("IP_ADR%1_ST").arg(i + 1), 3);
        IP_ADR_UD[i] = upDown(g, QString("IP_ADR%1_UD").arg(i + 1), 255, true);
        upDownPair(g, IP_ADR_ST[i], IP_ADR_UD[i]);
    }

    g = group(this, " Port ", grid, 3, 2);
    for (int i = 0; i < 5; ++i) {
        Port_ST[i] = valueText(g, QString("Port%1_ST").arg(i + 1), 3);
        Port_UD[i] = upDown(g, QString("Port%1_UD").arg(i + 1), 9, true);
        upDownPair(g, Port_ST[i], Port_UD[i]);
    }

    g = group(this, " Connect ", grid, 4, 0);
    Connect_CB = combo(g, "Connect_CB", HdTaConnectItems());
    g->layout()->addWidget(Connect_CB);

    auto* applyRow = new QGridLayout;
    applyRow->setHorizontalSpacing(10);
    Apply_Status_ST = valueText(this, "Apply_Status_ST", 15);
    Apply_Status_ST->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Apply_Button = new QPushButton(" Apply ", this);
    Apply_Button->setObjectName("Apply_Button");
    Button1 = new QPushButton("Update Delay Center with Device Delay", this);
    Button1->setObjectName("Button1");
    Apply_Req_ST = new QLabel(this);
    Apply_Req_ST->setObjectName("Apply_Req_ST");
    Apply_Req_ST->setTextFormat(Qt::PlainText);
    QFont bold = Apply_Req_ST->font();
    bold.setBold(true);
    Apply_Req_ST->setFont(bold);
    applyRow->addWidget(Apply_Button, 0, 0);
    applyRow->addWidget(Apply_Status_ST, 0, 1);
    applyRow->addWidget(Button1, 0, 2, Qt::AlignRight);
    applyRow->addWidget(Apply_Req_ST, 1, 0, 1, 3);
    applyRow->setColumnStretch(1, 1);
    outer->addLayout(applyRow);
    outer->addStretch(1);

    // Each text beside its up-down, the boxes' spare room to their right.
    for (QGroupBox* box : findChildren<QGroupBox*>())
        static_cast<QHBoxLayout*>(box->layout())->addStretch(1);
}

void TTA_Config_Frame::bindControls()
{
    TSettingsTable::THooks hooks;
    hooks.read = [this](int field) -> qint32 {
        if (!Frame)
            return 0;
        const qint32* v = Frame->TimeAlignConfigs.field(field, ConfigNumber - 1);
        return v ? *v : 0;
    };
    hooks.store = [this](int field, qint32 value) {
        if (Frame)
            if (qint32* v = Frame->TimeAlignConfigs.field(field, ConfigNumber - 1))
                *v = value;
    };
    hooks.send = [this](int code, quint8 b3) {
        if (Frame)
            QueueSetParameter(*Frame, code, 0, 0, 0, b3);
    };
    // A login string's word is its request id.
    auto login = [this](int id) -> QString* {
        if (!Frame)
            return nullptr;
        TTimeAlignConfigTable& t = Frame->TimeAlignConfigs;
        if (id > UserIdBase && id <= UserIdBase + HdTaConfigCount)
            return &t.User[size_t(id - UserIdBase - 1)];
        if (id > PasswordIdBase && id <= PasswordIdBase + HdTaConfigCount)
            return &t.Password[size_t(id - PasswordIdBase - 1)];
        return nullptr;
    };
    hooks.readText = [login](int id) {
        const QString* s = login(id);
        return s ? *s : QString();
    };
    hooks.storeText = [login](int id, const QString& text) {
        if (QString* s = login(id))
            *s = text;
    };
    hooks.sendText = [this](int code, quint8 b3) {
        if (Frame)
            QueueStringParameter(*Frame, code, 0, 0, 0, b3);
    };
    m_table = new TSettingsTable(this, Filling, hooks);

    // Every binding carries k, which setConfigNumber writes in.
    auto numbered = [this](int index) { m_numbered << index; };
    numbered(m_table->addCombo(Mode_CB, {ModeField, ModeId}));
    numbered(m_table->addUpDown(Dly_Ctr_S_UD, Dly_Ctr_S_ST, {SecondsField, SecondsId},
                                HdTaDelaySecondsText));
    numbered(m_table->addUpDown(Dly_Ctr_MS_UD, Dly_Ctr_MS_ST, {MsField, MsId}, HdTaDelayMsText));
    numbered(m_table->addUpDown(Dly_Ctr_US_UD, Dly_Ctr_US_ST, {UsField, UsId}, HdTaDelayUsText));
    numbered(m_table->addCombo(Rate_CB, {RateField, RateId}));
    numbered(m_table->addUpDown(Ramp_UD, Ramp_ST, {RampField, RampId}, HdTaRampText));
    numbered(m_table->addUpDown(Offset_UD, Offset_ST, {OffsetField, OffsetId}, HdTaOffsetText));
    numbered(m_table->addCombo(Device_CB, {DeviceField, DeviceId}));
    m_userControl = m_table->addText(UserEdit, {}, LoginMaxLength);
    m_passwordControl = m_table->addText(PassEdit, {}, LoginMaxLength);
    for (int i = 0; i < 4; ++i)
        numbered(m_table->addUpDown(IP_ADR_UD[i], IP_ADR_ST[i], {OctetField1 + i, OctetId1 + i},
                                    HdTaOctetText));
    for (int i = 0; i < 5; ++i)
        numbered(m_table->addUpDown(Port_UD[i], Port_ST[i], {PortField1 + i, PortId1 + i},
                                    HdTaPortDigitText));
    numbered(m_table->addCombo(Connect_CB, {ConnectField, ConnectId}));
}

void TTA_Config_Frame::setConfigNumber(int k)
{
    ConfigNumber = qBound(1, k, HdTaConfigCount);
    setObjectName(QString("TTA_Config_Frame%1").arg(ConfigNumber));
    const quint8 b3 = quint8(ConfigNumber);
    for (int index : m_numbered)
        m_table->control(index).bind.b3 = b3;
    // A login string's word is its request id.
    m_table->control(m_userControl).bind = {UserIdBase + ConfigNumber, UserIdBase + ConfigNumber,
                                            b3, 0};
    m_table->control(m_passwordControl).bind = {PasswordIdBase + ConfigNumber,
                                                PasswordIdBase + ConfigNumber, b3, 0};
}

void TTA_Config_Frame::Refill()
{
    if (!Frame)
        return;
    m_table->fill();
    // After a refill the ramp reads without its blank and the port digits in
    // one place; a click writes them as the handlers do.
    const TTimeAlignConfigTable& t = Frame->TimeAlignConfigs;
    const size_t c = size_t(ConfigNumber - 1);
    Ramp_ST->setText(HdTaRampFillText(t.Ramp[c]));
    const TTimeAlignConfigTable::Six* digits[5] = {&t.PortDigit1, &t.PortDigit2, &t.PortDigit3,
                                                   &t.PortDigit4, &t.PortDigit5};
    for (int i = 0; i < 5; ++i)
        Port_ST[i]->setText(HdTaPortDigitFillText((*digits[i])[c]));
}

void TTA_Config_Frame::showApplyState()
{
    if (!Frame)
        return;
    const THdServiceRec& s = Frame->HdService;
    setTextIfChanged(Apply_Status_ST, HdTaApplyStateText(s.TaApplyState[size_t(ConfigNumber)]));
    const THdTaApplyNotice notice = HdTaApplyNotice(s.TaState);
    setTextIfChanged(Apply_Req_ST, notice.text);
    setFontColour(Apply_Req_ST, QPalette::WindowText,
                  notice.required ? NamedColour::Red : NamedColour::Black);
    setFontColour(Apply_Button, QPalette::ButtonText,
                  notice.required ? NamedColour::Lime : NamedColour::Black);
}

void TTA_Config_Frame::setEditable(bool editable)
{
    m_table->setEditable(editable);
    Apply_Button->setEnabled(editable);
    Button1->setEnabled(editable);
}

void TTA_Config_Frame::connectControls()
{
    m_table->connectAll();
    connect(Apply_Button, &QPushButton::clicked, this, &TTA_Config_Frame::Apply_ButtonClick);
    connect(Button1, &QPushButton::clicked, this, &TTA_Config_Frame::Button1Click);
}

// The unit takes the configuration's settings only on this action; it acts
// even while the window refills.
void TTA_Config_Frame::Apply_ButtonClick()
{
    if (Frame)
        QueueAction(*Frame, HdTaApplyAction, 0, 0, 0, quint8(ConfigNumber - 1));
}

// Centres the correction on the delay the device measures now, in the order
// the unit expects: seconds, milliseconds, microseconds.
void TTA_Config_Frame::Button1Click()
{
    if (Filling || !Frame)
        return;
    const std::optional<THdTaDelayCentre> centre =
        HdTaDelayCentreFromDevice(Frame->HdService.TaState, Frame->HdService.DeviceDelayUs);
    if (!centre)
        return;
    TTimeAlignConfigTable& t = Frame->TimeAlignConfigs;
    const size_t c = size_t(ConfigNumber - 1);
    const quint8 k = quint8(ConfigNumber);
    const struct
    {
        TTimeAlignConfigTable::Six* field;
        qint32 value;
        UpDown* updown;
        QLabel* text;
        QString (*format)(qint32);
        int id;
    } parts[] = {
        {&t.DelayCenterS, centre->s, Dly_Ctr_S_UD, Dly_Ctr_S_ST, HdTaDelaySecondsText, SecondsId},
        {&t.DelayCenterMs, centre->ms, Dly_Ctr_MS_UD, Dly_Ctr_MS_ST, HdTaDelayMsText, MsId},
        {&t.DelayCenterUs, centre->us, Dly_Ctr_US_UD, Dly_Ctr_US_ST, HdTaDelayUsText, UsId},
    };
    for (const auto& p : parts) {
        (*p.field)[c] = p.value;
        p.updown->setPosition(p.value); // silent: no second request
        p.text->setText(p.format(p.value));
        QueueSetParameter(*Frame, p.id, 0, 0, 0, k);
    }
}
