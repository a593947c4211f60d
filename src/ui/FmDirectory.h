// The output folder chooser ("Brows"): a folder tree over the file system, opened at the home
// folder with the mounted volumes in view. One instance, created on first use by the main window,
// serves both its Browse button and the preferences dialog's. Callers show it modally and read
// ChosenFolder() afterwards; it is empty after Cancel, closing the window or a refused choice.
// Folders on read-only file systems are refused with a message and the chooser stays open.
#pragma once

#include <QDialog>
#include <string>

class QFileSystemModel;
class QLabel;
class QPushButton;
class QTreeView;
class TDialogServices;

class TfmDirectory : public QDialog {
    Q_OBJECT
public:
    explicit TfmDirectory(const TDialogServices& Services, QWidget* Parent = nullptr);

    const std::string& ChosenFolder() const { return FChosenFolder; }

    // Makes Path the tree's current folder, opening the tree down to it, as a click would.
    // False when the tree has no such folder.
    bool SelectFolder(const QString& Path);
    // The current folder's path; empty when none.
    QString SelectedFolder() const;

    QLabel* lblPrompt;
    QTreeView* stview_selectdir;
    QPushButton* btnOk;
    QPushButton* btnCancel;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void FormShow();
    void stview_selectdirClick();
    void btnOkClick();

    const TDialogServices& Services_;
    QFileSystemModel* Model_;  // owned by this window (Qt parent)
    std::string FChosenFolder;
};
