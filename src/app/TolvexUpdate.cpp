#include "app/TolvexUpdate.h"

#include "common/BaseDirectory.h"
#include "common/ProgramInfo.h"
#include "widgets/ShellOpen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

TTolvexUpdate::TTolvexUpdate(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("TolvexUpdate");
    setWindowTitle("Software Update");
    setModal(true);

    Label1 = new QLabel("There's a Tolvex software update available.", this);
    Label1->setObjectName("Label1");
    Label1->setAlignment(Qt::AlignCenter);

    Button1 = new QPushButton("  Download Now   ", this);
    Button1->setObjectName("Button1");
    Button2 = new QPushButton(" Download Later ", this);
    Button2->setObjectName("Button2");
    Button3 = new QPushButton("Release Notes", this);
    Button3->setObjectName("Button3");
    Button1->setDefault(true);
    // The page opens in the browser; the dialog stays until the user is done.
    connect(Button1, &QPushButton::clicked, this, &TTolvexUpdate::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button3, &QPushButton::clicked, this, &TTolvexUpdate::Button3Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 14);
    layout->setSpacing(18);
    layout->addWidget(Label1);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

void TTolvexUpdate::Button1Click()
{
    ShellOpen(QUrl(UpdatePageUrl));
}

void TTolvexUpdate::Button3Click()
{
    ShellOpenFile(DataFolder("HELP") + "ReleaseNotes.htm");
}
