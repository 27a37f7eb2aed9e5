#pragma once

#include <QDialog>
#include <exception>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;

// Picks a folder (the data-log folder of the configure dialog). The dialog
// lives for the whole run; its file-system model, which watches every folder
// it reads, only while it is open, so a closed dialog costs nothing when files
// come and go. It also holds
// the program-wide net for exceptions that no code handled.
class TPathSelect : public QDialog
{
    Q_OBJECT
public:
    explicit TPathSelect(QWidget* parent = nullptr);

    QComboBox* DriveComboBox1 = nullptr;
    QTreeView* DirectoryListBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr; // OK
    QPushButton* Button2 = nullptr; // Cancel

    // Selects the folder; false when it does not exist.
    bool SetDirectory(const QString& path);
    QString Directory() const;

    // An exception reached the event loop: it is discarded, without a message
    // box, so one failing handler never ends the program. It is written to the
    // program's standard error for whoever investigates.
    void ApplicationEvents1Exception(const std::exception* e);

    // The folder tree's model, which watches the folders it has read: it
    // exists only while the dialog is open.
    QFileSystemModel* folderModel() const { return m_model; }

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void showDirectoryInTree();

    QFileSystemModel* m_model = nullptr;
    QString m_directory;
};
