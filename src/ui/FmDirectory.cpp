#include "ui/FmDirectory.h"

#include "ui/AccessibleNames.h"

#include "app/AppPaths.h"
#include "app/FolderChooserLogic.h"
#include "ui/DialogServices.h"

#include <QApplication>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

using namespace zelta;

TfmDirectory::TfmDirectory(const TDialogServices& Services, QWidget* Parent)
    : QDialog(Parent), Services_(Services) {
    setObjectName(QStringLiteral("fmDirectory"));
    //: Title of the folder chooser
    setWindowTitle(tr("Brows"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    lblPrompt = new QLabel(tr("Please select an output directory:"), this);
    Model_ = new QFileSystemModel(this);
    Model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    Model_->setReadOnly(true);
    Model_->setRootPath(QStringLiteral("/"));

    stview_selectdir = new QTreeView(this);
    stview_selectdir->setObjectName(QStringLiteral("stview_selectdir"));
    stview_selectdir->setAccessibleName(tr("Folders"));
    stview_selectdir->setModel(Model_);
    for (int column = 1; column < Model_->columnCount(); ++column)
        stview_selectdir->hideColumn(column);
    stview_selectdir->setHeaderHidden(true);
    stview_selectdir->setSelectionMode(QAbstractItemView::SingleSelection);
    stview_selectdir->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The current entry stays marked while the buttons have the focus.
    QPalette palette = stview_selectdir->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    stview_selectdir->setPalette(palette);

    btnOk = new QPushButton(tr("Ok"), this);
    btnOk->setDefault(true);
    btnCancel = new QPushButton(tr("Cancel"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPrompt);
    layout->addWidget(stview_selectdir, 1);
    layout->addLayout(buttons);

    connect(stview_selectdir->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TfmDirectory::stview_selectdirClick);
    connect(stview_selectdir, &QTreeView::clicked, this, &TfmDirectory::stview_selectdirClick);
    connect(btnOk, &QPushButton::clicked, this, &TfmDirectory::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfmDirectory::reject);
    NameControls(this);
}

void TfmDirectory::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    FormShow();
}

void TfmDirectory::FormShow() {
    setFixedSize(322, 351);
    // Mounted volumes sit a few levels down; open the tree to them so they are in view.
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !IsUserVolumeMount(volume.rootPath().toStdString()))
            continue;
        const QModelIndex index = Model_->index(volume.rootPath());
        for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
            stview_selectdir->expand(parent);
    }
    SelectFolder(QString::fromStdString(HomeFolder()));
    stview_selectdirClick();
}

bool TfmDirectory::SelectFolder(const QString& Path) {
    const QModelIndex index = Model_->index(Path);
    if (!index.isValid())
        return false;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        stview_selectdir->expand(parent);
    stview_selectdir->setCurrentIndex(index);
    stview_selectdir->scrollTo(index);
    stview_selectdirClick();
    return true;
}

QString TfmDirectory::SelectedFolder() const {
    const QModelIndex index = stview_selectdir->currentIndex();
    return index.isValid() ? Model_->filePath(index) : QString();
}

void TfmDirectory::stview_selectdirClick() {
    const std::string path = SelectedFolder().toStdString();
    btnOk->setEnabled(
        FolderChooserOkEnabled(!path.empty(), FolderDepth(path), IsWritableFolder(path)));
}

void TfmDirectory::btnOkClick() {
    const QString path = SelectedFolder();
    FChosenFolder = path.toStdString();
    if (Services_.IsReadOnlyFolder(path)) {
        FChosenFolder.clear();
        Services_.Information(this, QApplication::applicationDisplayName(),
                              QCoreApplication::translate("FolderChooserLogic",
                                                          ReadOnlyFolderMessage.data()));
        return;
    }
    accept();
}

void TfmDirectory::reject() {
    FChosenFolder.clear();
    QDialog::reject();
}
