#include "shell/VersionUpdateDialog.h"

#include "link/Frame2.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TVersionUpdateDialog::TVersionUpdateDialog(QWidget* parent, const char* name, bool displayLine)
    : TUpdateDialogBase(parent)
{
    setObjectName(name);
    const QList<int> columns = {150, 200, 150};
    HeaderControl1 = makeHeader({"Source", "EEPROM Version", "Lantronix"}, columns);
    StaticText1 = makeLabel("StaticText1");
    StaticText2 = makeLabel("StaticText2");
    StaticText4 = makeLabel("StaticText4", "  FILE ");
    StaticText5 = makeLabel("StaticText5");
    LAN_Ver1_ST = makeLabel("LAN_Ver1_ST");
    LAN_Ver2_ST = makeLabel("LAN_Ver2_ST");
    if (displayLine)
        DisplayText = makeLabel("DisplayText");
    BadChecksumText = makeLabel("BadChecksumText");
    MessageText = makeLabel("MessageText");
    Button1 = makeButton("Button1", "Update EEPROM");
    Button2 = makeButton("Button2", "Update Lantronix");
    Button3 = makeButton("Button3", "Cancel");

    // The rows line up under the header's sections.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(0);
    for (int i = 0; i < 3; ++i)
        grid->setColumnMinimumWidth(i, columns[i]);
    grid->addWidget(StaticText1, 0, 0);
    grid->addWidget(StaticText2, 0, 1);
    grid->addWidget(LAN_Ver1_ST, 0, 2);
    grid->addWidget(StaticText4, 1, 0);
    grid->addWidget(StaticText5, 1, 1);
    grid->addWidget(LAN_Ver2_ST, 1, 2);

    auto* counts = new QHBoxLayout;
    counts->addWidget(StaticText7);
    counts->addStretch();
    counts->addWidget(CountText);
    counts->addSpacing(16);
    counts->addWidget(BadChecksumText);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch();
    buttons->addWidget(Button3);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(11, 11, 11, 11);
    layout->addWidget(HeaderControl1);
    layout->addLayout(grid);
    if (DisplayText)
        layout->addWidget(DisplayText);
    layout->addWidget(MessageText);
    layout->addLayout(counts);
    layout->addWidget(ProgressBar1);
    layout->addLayout(buttons);
    setFixedWidth(columns[0] + columns[1] + columns[2] + 22);
}

void TVersionUpdateDialog::disableButtons()
{
    Button1->setEnabled(false);
    Button2->setEnabled(false);
    Button3->setEnabled(false);
}
