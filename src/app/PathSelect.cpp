#include "app/PathSelect.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>
#include <cstdio>

TPathSelect::TPathSelect(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("PathSelect");
    setWindowTitle("Select Path");
    setModal(true);
    resize(420, 420);

    auto* layout = new QVBoxLayout(this);
    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName("DriveComboBox1");
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            DriveComboBox1->addItem(volume.rootPath());
    }
    DirectoryListBox1 = new QTreeView(this);
    DirectoryListBox1->setObjectName("DirectoryListBox1");
    DirectoryListBox1->header()->hide();

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setReadOnly(true);
    auto* form = new QFormLayout;
    form->addRow("Path Name:", Edit1);

    layout->addWidget(DriveComboBox1);
    layout->addWidget(DirectoryListBox1, 1);
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button2 = new QPushButton("Cancel", this);
    Button2->setObjectName("Button2");
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(DriveComboBox1, &QComboBox::activated, this,
            [this](int i) { SetDirectory(DriveComboBox1->itemText(i)); });
    connect(DirectoryListBox1, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        if (m_model)
            SetDirectory(m_model->filePath(index));
    });
    SetDirectory(QDir::currentPath());
}

bool TPathSelect::SetDirectory(const QString& path)
{
    QDir dir(path);
    if (path.isEmpty() || !dir.exists())
        return false;
    m_directory = dir.absolutePath();
    if (!m_directory.endsWith('/'))
        m_directory += '/';
    showDirectoryInTree();
    Edit1->setText(m_directory);
    return true;
}

void TPathSelect::showDirectoryInTree()
{
    if (!m_model)
        return;
    const QModelIndex index = m_model->index(QDir(m_directory).absolutePath());
    DirectoryListBox1->setCurrentIndex(index);
    DirectoryListBox1->scrollTo(index);
}

void TPathSelect::showEvent(QShowEvent* e)
{
    if (!m_model) {
        m_model = new QFileSystemModel(this);
        m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
        m_model->setRootPath("/");
        DirectoryListBox1->setModel(m_model);
        for (int c = 1; c < m_model->columnCount(); ++c)
            DirectoryListBox1->hideColumn(c);
        showDirectoryInTree();
    }
    QDialog::showEvent(e);
}

void TPathSelect::hideEvent(QHideEvent* e)
{
    QDialog::hideEvent(e);
    // Dropping the model stops its watchers.
    DirectoryListBox1->setModel(nullptr);
    delete m_model;
    m_model = nullptr;
}

QString TPathSelect::Directory() const
{
    return m_directory;
}

void TPathSelect::ApplicationEvents1Exception(const std::exception* e)
{
    std::fprintf(stderr, "tolvex: discarded an unhandled exception: %s\n",
                 e ? e->what() : "(unknown)");
}
