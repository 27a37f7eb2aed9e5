#include "app/Pass.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

// The rack takes printable ASCII only: nothing else leaves the dialog.
TEST(PassTest, OnlyAPrintableAsciiPasswordIsAccepted)
{
    struct Case
    {
        QString text;
        bool accepted;
    };
    const Case cases[] = {
        {"", false},
        {QString::fromUtf8("PASS\u00E9"), false},
        {QString("AB") + QChar(0x01), false},
        {"new pw1", true},
    };
    for (const Case& k : cases) {
        TPass pass;
        pass.Edit1->setText(k.text);
        pass.Button1->click();
        EXPECT_EQ(pass.result() == QDialog::Accepted, k.accepted) << k.text.toStdString();
        EXPECT_EQ(pass.NewPassword, k.accepted ? k.text.toUpper() : QString());
    }
}
