#include "app/About.h"

#include "common/ProgramInfo.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

// The pictures live in a static library, whose resources are registered
// only when asked for.
static void initResources()
{
    Q_INIT_RESOURCE(tolvex);
}

TAbout::TAbout(QWidget* parent)
    : QDialog(parent)
{
    initResources();
    setObjectName("About");
    setWindowTitle("About");
    setModal(true);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setPixmap(QPixmap(":/images/about.png"));
    ProgramIcon->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    ProductName = new QLabel(AboutProductTitle, this);
    ProductName->setObjectName("ProductName");
    QFont big = ProductName->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    ProductName->setFont(big);

    Version = new QLabel(AboutVersionLine, this);
    Version->setObjectName("Version");

    Copyright = new QLabel(AboutMakerName, this);
    Copyright->setObjectName("Copyright");

    QStringList contact;
    for (const char* line : AboutContactLines)
        contact.append(line);
    Comments = new QLabel(contact.join('\n'), this);
    Comments->setObjectName("Comments");
    Comments->setTextInteractionFlags(Qt::TextSelectableByMouse);

    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(ProductName);
    texts->addWidget(Version);
    texts->addSpacing(8);
    texts->addWidget(Copyright);
    texts->addWidget(Comments);
    texts->addStretch();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(16);
    grid->addWidget(ProgramIcon, 0, 0);
    grid->addLayout(texts, 0, 1);
    grid->addWidget(OKButton, 1, 0, 1, 2, Qt::AlignHCenter);
    setFixedSize(sizeHint());
}
