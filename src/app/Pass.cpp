#include "app/Pass.h"

#include <algorithm>

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TPass::TPass(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("Pass");
    setWindowTitle("Change Password");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setMaxLength(12);
    form->addRow("New Password", Edit1);
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    Button1 = new QPushButton("Change", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button2 = new QPushButton("Cancel", this);
    Button2->setObjectName("Button2");
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, [this] {
        // The rack takes printable ASCII only; anything else, or nothing,
        // would not survive the command framing.
        const QString text = Edit1->text().toUpper();
        const bool printable = std::all_of(text.begin(), text.end(), [](QChar c) {
            return c.unicode() >= 0x20 && c.unicode() < 0x7F;
        });
        if (text.isEmpty() || !printable)
            return;
        NewPassword = text;
        accept();
    });
    connect(Button2, &QPushButton::clicked, this, [this] {
        NewPassword.clear();
        reject();
    });
}

int TPass::Ask()
{
    Edit1->clear();
    NewPassword.clear();
    return exec();
}
