// The About box and the update dialog: what they show and where their
// buttons lead.
#include "TestSupport.h"

#include "app/About.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "app/TolvexUpdate.h"
#include "common/ProgramInfo.h"
#include "widgets/ShellOpen.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class AboutAndUpdateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetShellOpenHook([this](const QUrl& url) {
            opened.append(url);
            return true;
        });
        CreateForms();
        Main->Timer1->stop();
    }
    void TearDown() override
    {
        DestroyForms();
        SetShellOpenHook({});
    }
    TempBase base;
    QList<QUrl> opened;
};

} // namespace

TEST_F(AboutAndUpdateTest, TheUpdateDialogsButtons)
{
    TTolvexUpdate* d = TolvexUpdate;
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "Software Update");
    EXPECT_EQ(d->Label1->text(), "There's a Tolvex software update available.");

    int result = -1;
    QTimer::singleShot(0, d, [&] {
        d->Button1->click(); // the dialog stays open
        d->Button3->click();
        EXPECT_TRUE(d->isVisible());
        d->Button2->click();
    });
    result = d->exec();
    EXPECT_EQ(result, QDialog::Rejected);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened.at(0), QUrl(UpdatePageUrl));
    EXPECT_EQ(opened.at(1), QUrl::fromLocalFile(base.path() + "/HELP/ReleaseNotes.htm"));
    EXPECT_EQ(d->Button1->text(), "  Download Now   ");
    EXPECT_EQ(d->Button2->text(), " Download Later ");
    EXPECT_EQ(d->Button3->text(), "Release Notes");
}

TEST_F(AboutAndUpdateTest, TheAboutBoxFromTheHelpMenu)
{
    QAction* about = Main->findChild<QAction*>("About1");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isEnabled());
    QString title, version, product;
    bool shownModal = false, image = false;
    QTimer::singleShot(0, [&] {
        shownModal = About->isVisible() && QApplication::activeModalWidget() == About.data();
        title = About->windowTitle();
        version = About->Version->text();
        product = About->ProductName->text();
        image = !About->ProgramIcon->pixmap().isNull();
        About->OKButton->click();
    });
    about->trigger();
    EXPECT_TRUE(shownModal);
    EXPECT_EQ(title, "About");
    EXPECT_EQ(version, " Version 6.00  05/22/2025");
    EXPECT_EQ(product, "Tolvex");
    EXPECT_TRUE(image) << "the picture is in the resources";
    EXPECT_EQ(About->result(), QDialog::Accepted);
    EXPECT_FALSE(About->isVisible());
    EXPECT_TRUE(About->Copyright->text().contains("Korsa Electronics"));
    EXPECT_TRUE(About->Comments->text().contains(".example"));
}
