#include "TestSupport.h"

#include "app/PathSelect.h"

#include <QFileSystemModel>
#include <QTreeView>
#include <gtest/gtest.h>

// The dialog lives for the whole run, but its file-system model (and the
// folder watching that comes with it) only while it is open.
TEST(PathSelect, WatchesNothingWhileClosedAndShowsTheFolderWhenOpen)
{
    TempBase base;
    QDir().mkpath(base.file("LOG/day"));
    TPathSelect dialog;
    EXPECT_EQ(dialog.folderModel(), nullptr);
    EXPECT_TRUE(dialog.findChildren<QFileSystemModel*>().isEmpty());

    // A folder is chosen while closed all the same.
    EXPECT_TRUE(dialog.SetDirectory(base.file("LOG/day")));
    EXPECT_FALSE(dialog.SetDirectory(base.file("LOG/none")));
    EXPECT_EQ(dialog.Directory(), QDir(base.file("LOG/day")).absolutePath() + "/");

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        dialog.show();
        ASSERT_NE(dialog.folderModel(), nullptr);
        EXPECT_EQ(dialog.DirectoryListBox1->model(), dialog.folderModel());
        const QModelIndex current = dialog.DirectoryListBox1->currentIndex();
        EXPECT_EQ(dialog.folderModel()->filePath(current),
                  QDir(base.file("LOG/day")).absolutePath());

        dialog.hide();
        EXPECT_EQ(dialog.folderModel(), nullptr);
        EXPECT_TRUE(dialog.findChildren<QFileSystemModel*>().isEmpty());
        EXPECT_EQ(dialog.DirectoryListBox1->model(), nullptr);
    }
}
