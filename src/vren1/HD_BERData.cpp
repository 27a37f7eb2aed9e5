#include "vren1/HD_BERData.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "protocol/hd/HdRequests.h"
#include "widgets/FixedFont.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int AcquireAction = 521;
constexpr int ResetAction = 522;

} // namespace

THdBerTexts HdBerTexts(quint32 tested, quint32 errors)
{
    if (tested == 0)
        return {"N/A", "N/A", "N/A"};
    return {IntField(qint64(tested), 10), IntField(qint64(errors), 10),
            RealField(12, 10, double(errors) / double(tested))};
}

THDBERData::THDBERData(const TChildWindowArgs& args)
    : TInstrumentChildWindow(args, Kind, UM_HD_REFRESH, TRefreshPolicy::AnyLParam)
{
    setDesignedName(WindowToken::HdBerData, " Vren-1 BER Data");
    auto* layout = new QVBoxLayout(this);
    const struct
    {
        const char* title;
        const char* group;
        const char* prefix;
        const char* labels[3];
        const char* rateName;
    } groups[4] = {
        {" P1 ", "GroupP1", "P1", {"Bits Tested", "Bit Erros", "BER"}, "BER"},
        {" P2 ", "GroupP2", "P2", {"Bits Tested", "Bit Erros", "BER"}, "BER"},
        {" P3 ", "GroupP3", "P3", {"Bits Tested", "Bit Erros", "BER"}, "BER"},
        {" PIDS ", "GroupPIDS", "PIDS", {"Blks Tested", "Blk Erros", "BLER"}, "BLER"},
    };
    const QFont fixed = FixedPitchBoldFont(13);
    for (int g = 0; g < 4; ++g) {
        auto* box = new QGroupBox(groups[g].title, this);
        box->setObjectName(groups[g].group);
        auto* grid = new QGridLayout(box);
        const QString names[3] = {QString(groups[g].prefix) + "_BT",
                                  QString(groups[g].prefix) + "_BE",
                                  QString(groups[g].prefix) + "_" + groups[g].rateName};
        for (int k = 0; k < 3; ++k) {
            auto* caption = new QLabel(groups[g].labels[k], box);
            caption->setObjectName(names[k] + "_Caption");
            auto* text = new QLabel("N/A", box);
            text->setObjectName(names[k]);
            text->setTextFormat(Qt::PlainText);
            text->setFont(fixed);
            text->setMinimumWidth(130);
            text->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(caption, k, 0);
            grid->addWidget(text, k, 1);
            Texts[size_t(g)][size_t(k)] = text;
        }
        layout->addWidget(box);
    }
    auto* buttons = new QHBoxLayout;
    Button1 = new QPushButton("ACQUIRE", this);
    Button1->setObjectName("Button1");
    Button2 = new QPushButton("RESET", this);
    Button2->setObjectName("Button2");
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &THDBERData::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &THDBERData::Button2Click);
    if (frame() && frame()->ReadOnlyAccess) {
        Button1->setEnabled(false);
        Button2->setEnabled(false);
    }
    RefreshWindow(0);
}

void THDBERData::RefreshWindow(qintptr)
{
    const TFrame2* f = frame();
    if (!f)
        return;
    const auto& c = f->HdService.BerCounts;
    for (int g = 0; g < 4; ++g) {
        const THdBerTexts t = HdBerTexts(c[size_t(2 * g)], c[size_t(2 * g + 1)]);
        const QString texts[3] = {t.tested, t.errors, t.rate};
        for (int k = 0; k < 3; ++k)
            if (Texts[size_t(g)][size_t(k)]->text() != texts[k])
                Texts[size_t(g)][size_t(k)]->setText(texts[k]);
    }
}

void THDBERData::Button1Click()
{
    if (TFrame2* f = frame())
        QueueAction(*f, AcquireAction, 0, 0, 0, 0);
}

void THDBERData::Button2Click()
{
    if (TFrame2* f = frame())
        QueueAction(*f, ResetAction, 0, 0, 0, 0);
}
