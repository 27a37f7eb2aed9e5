#include "vren1/HD_AEFrame.h"

#include "common/FieldHelpers.h"
#include "protocol/hd/HdAeData.h"
#include "widgets/SetIfChanged.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>

THDAEFrame::THDAEFrame(QWidget* parent, const QString& name, const QString& title)
    : QWidget(parent)
{
    setObjectName(name);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    Label15 = new QLabel(title, this);
    Label15->setObjectName("Label15");
    QFont bold = Label15->font();
    bold.setBold(true);
    Label15->setFont(bold);
    grid->addWidget(Label15, 0, 0, 1, 2);
    const struct
    {
        const char* caption;
        const char* name;
        QLabel** label;
    } rows[7] = {
        {"Port #:", "Port_LB", &Port_LB},
        {"LOT ID:", "LOTID_LB", &LOTID_LB},
        {"Discard Time:", "DisTime_LB", &DisTime_LB},
        {"Object Size:", "Size_LB", &Size_LB},
        {"MIME Hash:", "Hash_LB", &Hash_LB},
        {"Filename:", "File_LB", &File_LB},
        {"Dimensions:", "Dimen_LB", &Dimen_LB},
    };
    for (int k = 0; k < 7; ++k) {
        grid->addWidget(new QLabel(rows[k].caption, this), k + 1, 0);
        auto* value = new QLabel(this);
        value->setObjectName(rows[k].name);
        value->setTextFormat(Qt::PlainText);
        value->setMinimumWidth(90);
        grid->addWidget(value, k + 1, 1);
        *rows[k].label = value;
    }
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setFixedSize(ImageWidth, ImageHeight);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFrameShape(QFrame::Box);
    grid->addWidget(Image1, 8, 0, 1, 2);
    grid->setRowStretch(9, 1);
}

void THDAEFrame::ShowAEObject(THD_AE_Object& o, bool clearChanged)
{
    if (!o.Valid) {
        for (QLabel* l : {Port_LB, LOTID_LB, DisTime_LB, Size_LB, Hash_LB, File_LB, Dimen_LB})
            setTextIfChanged(l, QString());
        if (!Image1->pixmap().isNull())
            Image1->clear();
        o.Height = 0;
        o.Width = 0;
        return;
    }
    if (!o.Changed)
        return;
    if (clearChanged)
        o.Changed = false;
    setTextIfChanged(Port_LB, "$" + Hex4(quint32(o.Port)));
    setTextIfChanged(LOTID_LB, "$" + Hex4(quint32(o.LotId)));
    setTextIfChanged(DisTime_LB, "$" + Hex8(quint32(o.DiscardTime)));
    setTextIfChanged(Size_LB, "$" + QString::number(o.Size));
    setTextIfChanged(Hash_LB, "$" + Hex8(quint32(o.MimeHash)));
    setTextIfChanged(File_LB, o.FileName);
    // A record whose bytes do not make its stated size is no picture: the
    // frame is cleared, never shown from memory it does not hold.
    const THdPicture& p = o.Picture;
    const bool whole = !p.isEmpty() && p.Width > 0 && p.Height > 0 &&
                       qint64(p.Rgba.size()) == qint64(p.Width) * p.Height * 4;
    if (whole) {
        const QImage image(reinterpret_cast<const uchar*>(p.Rgba.constData()), p.Width, p.Height,
                           p.Width * 4, QImage::Format_RGBA8888);
        QPixmap pixmap = QPixmap::fromImage(image.copy());
        if (pixmap.width() > ImageWidth || pixmap.height() > ImageHeight)
            pixmap = pixmap.scaled(ImageWidth, ImageHeight, Qt::KeepAspectRatio,
                                   Qt::SmoothTransformation);
        Image1->setPixmap(pixmap);
        o.Height = p.Height;
        o.Width = p.Width;
    } else {
        Image1->clear();
        o.Height = 0;
        o.Width = 0;
    }
    setTextIfChanged(Dimen_LB, IntField(o.Height, 3) + " x " + IntField(o.Width, 3));
}

THDAEMultFrame::THDAEMultFrame(QWidget* parent, const QString& name,
                               const std::array<QString, 4>& titles)
    : QWidget(parent)
{
    setObjectName(name);
    auto* row = new QHBoxLayout(this);
    for (int k = 0; k < 4; ++k) {
        Frames[size_t(k)] =
            new THDAEFrame(this, "HDAEFrame" + QString::number(k + 1), titles[size_t(k)]);
        row->addWidget(Frames[size_t(k)]);
    }
}
