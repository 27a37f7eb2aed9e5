#include "vren1/HD_ArtistExperience.h"

#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "vren1/HD_AEFrame.h"

#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

TArtistExperience::TArtistExperience(const TChildWindowArgs& args)
    : TInstrumentChildWindow(args, Kind, UM_HD_REFRESH)
{
    setFixedName(WindowToken::HdArtistExperience, "Artist Experience");
    auto* layout = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    layout->addWidget(PageControl1);
    for (int s = 0; s <= 8; ++s) {
        auto* sheet = new QWidget(PageControl1);
        sheet->setObjectName("TabSheet" + QString::number(s));
        auto* sheetLayout = new QVBoxLayout(sheet);
        const std::array<QString, 4> titles =
            s == 0 ? std::array<QString, 4>{" Radio Image HD1", "Radio Image HD2",
                                            "Radio Image HD3", "Radio Image HD4"}
                   : std::array<QString, 4>{"Radio Image", "Station Logo", "Primary Image",
                                            "Pending Image"};
        MultFrames[size_t(s)] =
            new THDAEMultFrame(sheet, "HDAEMultFrame" + QString::number(s), titles);
        sheetLayout->addWidget(MultFrames[size_t(s)]);
        PageControl1->addTab(sheet, s == 0 ? QString("Radio HD1-HD4") : "HD" + QString::number(s));
    }
    draw();
}

void TArtistExperience::draw()
{
    TFrame2* f = frame();
    if (!f)
        return;
    THD_AE_Data& d = f->AEData;
    // The overview first, leaving Changed for the program's own sheet.
    for (int i = 0; i < 4; ++i)
        MultFrames[0]->Frames[size_t(i)]->ShowAEObject(d.GetRadioImage(i), false);
    for (int i = 0; i < HdProgramCount; ++i) {
        const auto& frames = MultFrames[size_t(i + 1)]->Frames;
        frames[0]->ShowAEObject(d.GetRadioImage(i), true);
        frames[1]->ShowAEObject(d.GetStationLogo(i), true);
        frames[2]->ShowAEObject(d.GetPrimaryImage(i), true);
        frames[3]->ShowAEObject(d.GetPendingImage(i), true);
    }
}

void TArtistExperience::showEvent(QShowEvent* e)
{
    TInstrumentChildWindow::showEvent(e);
    if (e->spontaneous())
        return;
    if (TFrame2* f = frame()) {
        THD_AE_Data& d = f->AEData;
        for (auto* objects : {&d.RadioImage, &d.StationLogo, &d.PrimaryImage, &d.PendingImage})
            for (THD_AE_Object& o : *objects)
                if (o.Valid)
                    o.Changed = true;
    }
}

void TArtistExperience::RefreshWindow(qintptr)
{
    draw();
}
