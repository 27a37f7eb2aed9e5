#include "vren1/HD_ProgramSel.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "protocol/hd/HdProgramTypes.h"
#include "protocol/hd/HdRequests.h"
#include "vren1/HD_Glyphs.h"
#include "widgets/FixedFont.h"

#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

namespace {

constexpr int SelectedProgramWord = 162; // + decoder
constexpr int SelectD1Action = 517;      // + decoder
constexpr int GlyphPixels = 20;

void setIfChanged(QLabel* l, const QString& text)
{
    if (l->text() != text)
        l->setText(text);
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(geometry);
    return l;
}

} // namespace

THDProgramSel::THDProgramSel(const TChildWindowArgs& args)
    : TInstrumentChildWindow(args, Kind, UM_HD_REFRESH, TRefreshPolicy::AnyLParam)
{
    setDesignedName(WindowToken::HdProgramSel, " Vren-1 Program Select");
    setFixedSize(430, 452);

    for (int d = 0; d < 4; ++d)
        label(this, "Label_D" + QString::number(d + 1), "D" + QString::number(d + 1),
              QRect(96 + d * 40, 8, 30, 16))
            ->setAlignment(Qt::AlignCenter);
    label(this, "Label_ProgramType", "Program Type", QRect(262, 8, 140, 16));

    const QFont fixed = FixedPitchBoldFont(12);
    for (int n = 1; n <= 8; ++n) {
        // The seventh box is captioned without its trailing blank.
        const QString title = n == 7 ? " HD 7" : QString(" HD %1 ").arg(n);
        auto* g = new QGroupBox(title, this);
        g->setObjectName("GroupBox" + QString::number(n));
        g->setGeometry(8, 28 + (n - 1) * 52, 414, 50);
        GroupBox[size_t(n - 1)] = g;
        for (int d = 1; d <= 4; ++d) {
            auto* b = new QToolButton(g);
            b->setObjectName(QString("PS_HD%1_D%2").arg(n).arg(d));
            b->setGeometry(86 + (d - 1) * 40, 18, 28, 28);
            b->setIconSize(QSize(GlyphPixels, GlyphPixels));
            b->setEnabled(false);
            PS_HD[size_t(n - 1)][size_t(d - 1)] = b;
            connect(b, &QToolButton::clicked, this, [this, n, d] { PS_HDClick(n, d); });
        }
        QLabel* v = label(g, QString("PT_HD%1_V").arg(n), " 0", QRect(250, 23, 24, 18));
        v->setFont(fixed);
        PT_HD_V[size_t(n - 1)] = v;
        QLabel* t = label(g, QString("PT_HD%1").arg(n),
                          n == 1 ? "1234567890123456" : " Non Specific ", QRect(280, 23, 130, 18));
        t->setFont(fixed);
        PT_HD[size_t(n - 1)] = t;
        // An observer sees the programs but may not choose one.
        if (frame() && frame()->ReadOnlyAccess)
            g->setEnabled(false);
    }
    FormCreate();
}

void THDProgramSel::FormCreate()
{
    // A new window draws everything; what it records as drawn is its own.
    if (const TFrame2* f = frame()) {
        for (int d = 0; d < 4; ++d) {
            ProgramsMaskSeen[size_t(d)] = f->HdService.ProgramsMask[size_t(d)];
            CurrentProgramSeen[size_t(d)] = f->HdService.CurrentProgram[size_t(d)];
        }
    }
    for (int d = 0; d < 4; ++d)
        drawColumn(d);
}

void THDProgramSel::RefreshWindow(qintptr)
{
    TFrame2* f = frame();
    if (!f)
        return;
    if (f->PageRefresh.take(prHdProgramSelect)) {
        for (int d = 0; d < 4; ++d)
            drawColumn(d);
    }
    for (int d = 0; d < 4; ++d) {
        const qint32 mask = f->HdService.ProgramsMask[size_t(d)];
        const qint32 current = f->HdService.CurrentProgram[size_t(d)];
        if (mask != ProgramsMaskSeen[size_t(d)] || current != CurrentProgramSeen[size_t(d)]) {
            ProgramsMaskSeen[size_t(d)] = mask;
            CurrentProgramSeen[size_t(d)] = current;
            drawColumn(d);
        }
    }
}

void THDProgramSel::drawColumn(int d)
{
    const TFrame2* f = frame();
    if (!f || d < 0 || d > 3)
        return;
    ++ColumnDrawCount[size_t(d)];
    const THdServiceRec& sv = f->HdService;
    const THdProgramGlyphs g =
        HdProgramGlyphs(sv.ProgramsMask[size_t(d)], sv.CurrentProgram[size_t(d)],
                        f->HdLocalConfig[SelectedProgramWord + d]);
    for (int n = 0; n < 8; ++n) {
        QToolButton* b = PS_HD[size_t(n)][size_t(d)];
        if (g.available[n])
            b->setEnabled(true);
        SetHdGlyph(b, g.glyph[n], GlyphPixels);
        if (d != 0)
            continue;
        // Types are drawn with the D1 column.
        if (g.available[n]) {
            const qint32 code = sv.ProgramType[size_t(n)];
            setIfChanged(PT_HD_V[size_t(n)], IntField(code, 2));
            setIfChanged(PT_HD[size_t(n)], HdProgramTypeName(code));
        } else {
            setIfChanged(PT_HD_V[size_t(n)], QString(2, ' '));
            setIfChanged(PT_HD[size_t(n)], QString(12, ' '));
        }
    }
}

void THDProgramSel::PS_HDClick(int n, int d)
{
    TFrame2* f = frame();
    if (!f || n < 1 || n > 8 || d < 1 || d > 4)
        return;
    f->HdLocalConfig[SelectedProgramWord + d - 1] = 1 << (n - 1);
    drawColumn(d - 1);
    QueueAction(*f, SelectD1Action + d - 1, 0, 0, 0, quint8(n - 1));
}
