#include "TestSupport.h"

#include "app/PathSelect.h"

#include <QDir>
#include <QFile>
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

namespace {

// Counts the queued calls and the events that reach the GUI thread's objects;
// a folder watcher's news arrives as queued calls.
class GuiThreadEvents : public QObject
{
public:
    GuiThreadEvents() { qApp->installEventFilter(this); }
    ~GuiThreadEvents() override { qApp->removeEventFilter(this); }
    int queuedCalls = 0;
    int all = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        ++all;
        if (e->type() == QEvent::MetaCall)
            ++queuedCalls;
        return false;
    }
};

void churn(const QString& folder, int files)
{
    for (int i = 0; i < files; ++i) {
        QFile f(folder + QString("/churn%1.tmp").arg(i));
        f.open(QIODevice::WriteOnly);
        f.write("x");
    }
    QDir().mkdir(folder + "/churn-folder");
    for (int i = 0; i < files; ++i)
        QFile::remove(folder + QString("/churn%1.tmp").arg(i));
    QDir().rmdir(folder + "/churn-folder");
}

} // namespace

// The program starts in a working folder; files come and go beside it (a
// build, a log rotating). Once the dialog has been open and is closed again,
// none of that reaches the program: no queued call, no event at all.
TEST(PathSelect, AThousandFilesBesideTheWorkingFolderReachNothingWhileClosed)
{
    TempBase base;
    const QString parent = base.path();
    QDir().mkpath(base.file("work"));
    TPathSelect dialog;
    ASSERT_TRUE(dialog.SetDirectory(base.file("work")));

    // Open, the tree watches the folders it shows: a folder made beside the
    // working one appears in it by itself. (So the counting below would see
    // a watcher, were one left.)
    dialog.show();
    QFileSystemModel* model = dialog.folderModel();
    ASSERT_NE(model, nullptr);
    const QModelIndex parentIndex = model->index(parent);
    ASSERT_TRUE(waitFor([&] { return model->rowCount(parentIndex) == 1; }))
        << "the tree lists the working folder";
    {
        GuiThreadEvents events;
        QDir().mkdir(parent + "/made-while-open");
        EXPECT_TRUE(waitFor([&] { return model->rowCount(parentIndex) == 2; }))
            << "the watcher reports the new folder";
        EXPECT_GT(events.queuedCalls, 0);
    }
    dialog.hide();
    pump(100); // what the watcher had under way is delivered or dropped

    GuiThreadEvents events;
    churn(parent, 1000);
    churn(base.file("work"), 10);
    pump(300);
    EXPECT_EQ(events.queuedCalls, 0);
    EXPECT_EQ(events.all, 0);
}
