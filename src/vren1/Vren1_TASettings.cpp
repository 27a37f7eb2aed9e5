#include "vren1/Vren1_TASettings.h"

#include "link/Frame2.h"
#include "models/HdTaSettingsTexts.h"
#include "panels/SettingsTable.h"
#include "platform/UserMessages.h"
#include "protocol/hd/HdRequests.h"
#include "vren1/Vren1_TAConfigFrame.h"
#include "vren1/Vren1_TAScanFrame.h"
#include "widgets/FillGuard.h"
#include "widgets/UpdatesLock.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int ScanModeWord = 0; // of TTimeAlignConfigTable::scanWord
constexpr int ScanModeId = 219;

} // namespace

TVren1TASettings::TVren1TASettings(const TChildWindowArgs& args)
    : TInstrumentChildWindow(args, Kind, UM_HD_REFRESH, TRefreshPolicy::ZeroLParam)
{
    setDesignedName(WindowToken::HdTaSettings, " Vren1-1 Time Align Settings");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    layout->addWidget(PageControl1);

    MultiScan_Tab = new QWidget(PageControl1);
    MultiScan_Tab->setObjectName("MultiScan_Tab");
    PageControl1->addTab(MultiScan_Tab, "Multi-Scan");
    auto* scan = new QGridLayout(MultiScan_Tab);
    scan->setContentsMargins(10, 10, 10, 10);
    scan->setHorizontalSpacing(10);
    auto* modeBox = new QGroupBox(" Multi-Scan ", MultiScan_Tab);
    auto* modeLayout = new QHBoxLayout(modeBox);
    ScanMode_CB = new QComboBox(modeBox);
    ScanMode_CB->setObjectName("ScanMode_CB");
    ScanMode_CB->addItems(HdTaScanModeItems());
    modeLayout->addWidget(ScanMode_CB);
    modeLayout->addStretch(1);
    scan->addWidget(modeBox, 0, 0, 1, 2);
    for (int k = 1; k <= 6; ++k) {
        auto* f = new TTA_Scan_Frame(MultiScan_Tab, frame(), k);
        ScanFrames[size_t(k - 1)] = f;
        scan->addWidget(f, 1 + (k - 1) % 3, (k - 1) / 3);
    }
    scan->setRowStretch(4, 1);

    for (int k = 1; k <= 6; ++k) {
        auto* page = new QWidget(PageControl1);
        page->setObjectName(QString("Config%1_Tab").arg(k));
        PageControl1->addTab(page, QString(" Config #%1 ").arg(k));
        auto* l = new QVBoxLayout(page);
        l->setContentsMargins(0, 0, 0, 0);
        auto* f = new TTA_Config_Frame(page, frame(), k);
        l->addWidget(f);
        Config_Tab[size_t(k - 1)] = page;
        ConfigFrames[size_t(k - 1)] = f;
    }

    TSettingsTable::THooks hooks;
    hooks.read = [this](int word) -> qint32 {
        TFrame2* f = frame();
        const qint32* w = f ? f->TimeAlignConfigs.scanWord(word) : nullptr;
        return w ? *w : 0;
    };
    hooks.store = [this](int word, qint32 value) {
        if (TFrame2* f = frame())
            if (qint32* w = f->TimeAlignConfigs.scanWord(word))
                *w = value;
    };
    hooks.send = [this](int code, quint8 b3) {
        if (TFrame2* f = frame())
            QueueSetParameter(*f, code, 0, 0, 0, b3);
    };
    m_table = new TSettingsTable(this, Filling, hooks);
    m_table->addCombo(ScanMode_CB, {ScanModeWord, ScanModeId});

    Refill();
    showApplyStates();
    applyAccess();
    // Handlers are bound last, so building and the first fill cannot reach them.
    m_table->connectAll();
    for (auto* f : ScanFrames)
        f->connectControls();
    for (auto* f : ConfigFrames)
        f->connectControls();

    // Wide enough for all seven tabs, within the 735 x 500 the window keeps to.
    adjustSize();
    resize(QSize(qMax(width(), 720), height()).boundedTo(QSize(735, 500)));
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TVren1TASettings::Refill()
{
    if (!frame())
        return;
    FillGuard guard(Filling);
    m_table->fill();
    for (int k = 1; k <= 6; ++k) {
        TTA_Scan_Frame* f = ScanFrames[size_t(k - 1)];
        FillGuard frameGuard(f->Filling);
        f->setScanNumber(k);
        f->Refill();
    }
    for (int k = 1; k <= 6; ++k) {
        TTA_Config_Frame* f = ConfigFrames[size_t(k - 1)];
        FillGuard frameGuard(f->Filling);
        f->setConfigNumber(k);
        f->Refill();
    }
}

void TVren1TASettings::showApplyStates()
{
    for (auto* f : ConfigFrames)
        f->showApplyState();
}

void TVren1TASettings::RefreshWindow(qintptr)
{
    TFrame2* f = frame();
    if (!f)
        return;
    if (f->PageRefresh.take(prHdTimeAlignSettings)) {
        // A refill moves most controls on seven pages: paint once, after it.
        UpdatesLock lock(this);
        Refill();
    }
    showApplyStates();
}

// An observer may look at every page but change nothing.
void TVren1TASettings::applyAccess()
{
    const TFrame2* f = frame();
    const bool editable = f && !f->ReadOnlyAccess;
    m_table->setEditable(editable);
    for (auto* s : ScanFrames)
        s->setEditable(editable);
    for (auto* c : ConfigFrames)
        c->setEditable(editable);
}
