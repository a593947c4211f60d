#include "ui/FrmMain.h"

#include "app/AppPaths.h"
#include "app/FolderChooserLogic.h"
#include "app/FormatCatalogue.h"
#include "app/GlobalObject.h"
#include "app/JobBuilder.h"
#include "app/LibraryWalker.h"
#include "app/MainFormLogic.h"
#include "app/Segments.h"
#include "app/SettingsKeys.h"
#include "app/SystemCommands.h"
#include "ui/AccessibleNames.h"
#include "ui/CaptionFit.h"
#include "ui/AppExceptionHandler.h"
#include "ui/DialogServices.h"
#include "ui/FmDirectory.h"
#include "ui/FormatPicker.h"
#include "ui/FrmAbout.h"
#include "ui/FrmCrop.h"
#include "ui/FrmAudioTrack.h"
#include "ui/FrmFileInfo.h"
#include "ui/FrmPreference.h"
#include "ui/PrefOutputPage.h"
#include "ui/BusyProgress.h"
#include "ui/FrmProgress.h"
#include "ui/FrmSettings.h"
#include "ui/FrmTrim.h"
#include "ui/FrmWaterMark.h"
#include "ui/PreviewPanel.h"
#include "ui/SourceListView.h"
#include "ui/Themes.h"
#include "ui/ZeltaApplication.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <chrono>

using namespace zelta;

namespace {

QString Q(std::string_view Text) { return QString::fromUtf8(Text.data(), int(Text.size())); }

// Layout of the fixed window (central widget coordinates).
constexpr int ToolbarTop = 4; // the menu bar sits above the central widget
constexpr int ToolbarButtonHeight = 53;
constexpr int ToolbarButtonWidth = 70;
const QRect ListRect(8, 62, 436, 318);
const QRect PreviewRect(452, 58, 300, 322);
const QRect OutputRect(8, 386, 596, 94);
const QRect StartBelowRect(612, 392, 140, 86);

// A Start builds its first task before the progress window shows and the others in slices of
// about this long while the first files convert, keeping this many tasks per file running at
// once (and a few more) ready for their turn.
constexpr std::chrono::milliseconds BuildSlice{10};
constexpr int ReadyTasksPerJob = 2;
constexpr int ReadyTasksExtra = 8;
constexpr int BuildPollMs = 10; // while enough tasks wait for their turn

} // namespace

TfrmMain::TfrmMain(QWidget* Parent) : TfrmMain(TDialogServices::Default(), Parent) {}

TfrmMain::TfrmMain(const TDialogServices& Services, QWidget* Parent)
    : QMainWindow(Parent), Services_(Services) {
    setObjectName(QStringLiteral("frmMain"));
    Ovren_.SetPreviewBitmap(true);
    Driver_ = std::make_unique<TBatchDriver>(Ovren_, Files_, *this);
    Driver_->ConnectEvents();

    auto* central = new QWidget(this);
    setCentralWidget(central);
    CreateControls(central);
    CreateMenus();
    // Controls without a caption, label or hint of their own.
    lvFiles->setAccessibleName(tr("Source files"));
    mmoLog->setAccessibleName(tr("Log"));
    cbOutputFormat->setAccessibleName(tr("Audio format"));
    if (auto* more = menuBar()->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button")))
        more->setAccessibleName(tr("More menus"));
    NameControls(this);
    setFixedSize(760, 512);
    FormCreate();
}

TfrmMain::~TfrmMain() {
    if (!Closed_)
        FormCloseQuery();
}

void TfrmMain::CreateControls(QWidget* Central) {
    // Toolbar.
    auto toolButton = [&](const QString& Text, QStyle::StandardPixmap Icon, int Index) {
        auto* b = new QToolButton(Central);
        b->setText(Text);
        b->setIcon(style()->standardIcon(Icon));
        b->setIconSize(QSize(24, 24));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        b->setGeometry(8 + Index * (ToolbarButtonWidth + 4), ToolbarTop, ToolbarButtonWidth,
                       ToolbarButtonHeight);
        return b;
    };
    btnAdd = toolButton(tr("&Add"), QStyle::SP_DialogOpenButton, 0);
    btnRemove = toolButton(tr("&Remove"), QStyle::SP_TrashIcon, 1);
    btnClear = toolButton(tr("&Clear"), QStyle::SP_DialogResetButton, 2);
    btnSettings = toolButton(tr("&Settings"), QStyle::SP_FileDialogDetailedView, 3);
    btnEdit = toolButton(tr("&Edit"), QStyle::SP_FileDialogContentsView, 4);
    btnStart = toolButton(tr("&Start"), QStyle::SP_MediaPlay, 5);
    btnExit = toolButton(tr("&Exit"), QStyle::SP_DialogCloseButton, 6);
    btnAdd->setObjectName(QStringLiteral("btnAdd"));
    btnRemove->setObjectName(QStringLiteral("btnRemove"));
    btnClear->setObjectName(QStringLiteral("btnClear"));
    btnStart->setObjectName(QStringLiteral("btnStart"));
    btnRemove->setEnabled(false);
    btnClear->setEnabled(false);
    btnStart->setEnabled(false);
    connect(btnAdd, &QToolButton::clicked, this, &TfrmMain::btnAddClick);
    // The button's arrow offers the files and the folders; a click adds files as ever.
    AddMenu = new QMenu(btnAdd);
    AddMenu->setObjectName(QStringLiteral("AddMenu"));
    AddFiles3 = AddMenu->addAction(tr("Add &Files..."));
    AddFolder2 = AddMenu->addAction(tr("Add F&older..."));
    btnAdd->setMenu(AddMenu);
    btnAdd->setPopupMode(QToolButton::MenuButtonPopup);
    FitRow({btnAdd, btnRemove, btnClear, btnSettings, btnEdit, btnStart, btnExit}, 4);
    connect(btnRemove, &QToolButton::clicked, this, &TfrmMain::btnRemoveClick);
    connect(btnClear, &QToolButton::clicked, this, &TfrmMain::btnClearClick);
    connect(btnSettings, &QToolButton::clicked, this, &TfrmMain::btnSettingsClick);
    connect(btnEdit, &QToolButton::clicked, this, &TfrmMain::btnEditClick);
    connect(btnStart, &QToolButton::clicked, this, &TfrmMain::btnStartClick);
    connect(btnExit, &QToolButton::clicked, this, &QWidget::close);

    // The source list.
    lvFiles = new TSourceListView(Central);
    lvFiles->setGeometry(ListRect);
    lvFiles->SetSourceModel(&Files_);
    connect(lvFiles, &TSourceListView::RightButtonPressed, this, &TfrmMain::lvFilesMouseDown);
    connect(lvFiles, &TSourceListView::RowDoubleClicked, this, &TfrmMain::lvFilesDblClick);
    connect(lvFiles, &TSourceListView::FilesDropped, this, &TfrmMain::AddChosenFiles);

    // The preview group.
    PreviewPanel = new TPreviewPanel(Central);
    PreviewPanel->setGeometry(PreviewRect);
    PreviewPanel->SetServices(Services_);
    PreviewPanel->SetFileSource([this]() -> std::string {
        if (Files_.Empty())
            return {};
        if (lvFiles->SelectedRow() < 0)
            lvFiles->SelectRow(0);
        return Files_.Caption(lvFiles->SelectedRow());
    });
    tbVolume = PreviewPanel->trcVolume;
    chkMute = PreviewPanel->ckMute;
    connect(PreviewPanel, &TPreviewPanel::AddRequested, this, &TfrmMain::btnAddClick);
    connect(PreviewPanel, &TPreviewPanel::LogLine, this,
            [this](const QString& Line) { mmoLog->appendPlainText(Line); });

    // The output group.
    //: Title of the group with the output format and the output folder
    auto* output = new QGroupBox(tr("Output"), Central);
    output->setGeometry(OutputRect);
    auto* formatLabel = new QLabel(tr("Output Format:"), output);
    formatLabel->setGeometry(8, 22, 106, 22);
    Picker = new TFormatPicker(output, Central);
    edt1 = Picker->edt1;
    imgbtn1 = Picker->imgbtn1;
    lst1 = Picker->lst1;
    formatLabel->setBuddy(edt1);
    edt1->setGeometry(116, 22, 378, 22);
    imgbtn1->setGeometry(494, 22, 22, 22);
    btnOptions = new QPushButton(tr("Settings"), output);
    btnOptions->setGeometry(520, 21, 68, 24);
    connect(btnOptions, &QPushButton::clicked, this, &TfrmMain::btnOptionsClick);
    connect(Picker, &TFormatPicker::Chosen, this, [this] { RefreshFromSettings(); });

    auto* folderLabel = new QLabel(tr("Output Directory:"), output);
    folderLabel->setGeometry(8, 56, 106, 22);
    edDirectory = new QLineEdit(output);
    edDirectory->setObjectName(QStringLiteral("edDirectory"));
    edDirectory->setReadOnly(true);
    edDirectory->setStyleSheet(
        QStringLiteral("background-color: %1;").arg(QColor(PickerBackColor).name()));
    edDirectory->setGeometry(116, 56, 312, 22);
    folderLabel->setBuddy(edDirectory);
    edtOutputDir = edDirectory;
    btnBrows = new QPushButton(tr("Browse"), output);
    btnBrows->setGeometry(432, 55, 76, 24);
    //: Button that opens the output folder in the file manager
    btnOpen = new QPushButton(tr("Open"), output);
    btnOpen->setGeometry(512, 55, 76, 24);
    connect(btnBrows, &QPushButton::clicked, this, &TfrmMain::btnBrowsClick);
    connect(btnOpen, &QPushButton::clicked, this, &TfrmMain::btnOpenClick);

    btnStartBelow = new QPushButton(tr("&Start"), Central);
    btnStartBelow->setObjectName(QStringLiteral("btnStartBelow"));
    btnStartBelow->setGeometry(StartBelowRect);
    QFont big = btnStartBelow->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    btnStartBelow->setFont(big);
    btnStartBelow->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    btnStartBelow->setIconSize(QSize(32, 32));
    btnStartBelow->setEnabled(false);
    connect(btnStartBelow, &QPushButton::clicked, this, &TfrmMain::btnStartClick);

    // Hidden controls.
    mmoLog = new QPlainTextEdit(Central);
    mmoLog->setReadOnly(true);
    mmoLog->hide();
    btnStop = new QPushButton(tr("Stop"), Central);
    btnPause = new QPushButton(tr("Pause"), Central);
    btnResume = new QPushButton(tr("Resume"), Central);
    for (QPushButton* b : {btnStop, btnPause, btnResume}) {
        b->setEnabled(false);
        b->hide();
    }
    connect(btnStop, &QPushButton::clicked, this, &TfrmMain::btnStopClick);
    connect(btnPause, &QPushButton::clicked, this, &TfrmMain::btnPauseClick);
    connect(btnResume, &QPushButton::clicked, this, &TfrmMain::btnResumeClick);
    cbOutputFormat = new TAudioFormatCombo(Central);
    cbOutputFormat->hide();
    lst1->raise();
}

void TfrmMain::CreateMenus() {
    File1 = menuBar()->addMenu(tr("&File"));
    Edit1 = File1->addAction(tr("&Add"));
    AddFolder1 = File1->addAction(tr("Add F&older..."));
    Remove1 = File1->addAction(tr("&Remove"));
    Clear1 = File1->addAction(tr("&Clear"));
    Start1 = File1->addAction(tr("&Start"));
    File1->addSeparator();
    Settings1 = File1->addAction(tr("Se&ttings"));
    Exit2 = File1->addAction(tr("&Exit"));

    EditMenu = menuBar()->addMenu(tr("&Edit"));
    Crop1 = EditMenu->addAction(tr("&Crop"));
    Trim1 = EditMenu->addAction(tr("&Trim"));
    WaterMark1 = EditMenu->addAction(tr("&Video Effect && Water Mark"));
    AudioTrack1 = EditMenu->addAction(tr("&Audio Track..."));
    EditMenu->addSeparator();
    CheckAll1 = EditMenu->addAction(tr("&Check All"));
    UncheckAll1 = EditMenu->addAction(tr("&Uncheck All"));
    ReserveCheck1 = EditMenu->addAction(tr("&Reverse Check"));
    EditMenu->addSeparator();
    Check1 = EditMenu->addAction(tr("C&heck"));
    Uncheck1 = EditMenu->addAction(tr("U&ncheck"));
    connect(EditMenu, &QMenu::aboutToShow, this, &TfrmMain::EditMenuPopup);

    Tools1 = menuBar()->addMenu(tr("&Tools"));
    Options1 = Tools1->addAction(tr("&Preference"));
    Skin1 = Tools1->addMenu(tr("&Skin"));
    for (int i = 0; i < ThemeMenuCount; ++i) {
        SkinItems[size_t(i)] = Skin1->addAction(
            tr(i < ThemeCount ? ThemeColors(i).Name : FollowSystemThemeName));
        SkinItems[size_t(i)]->setCheckable(true);
        connect(SkinItems[size_t(i)], &QAction::triggered, this, [this, i] { SkinClick(i); });
    }
    connect(Skin1, &QMenu::aboutToShow, this, &TfrmMain::Skin1Click);

    Help1 = menuBar()->addMenu(tr("&Help"));
    Help2 = Help1->addAction(tr("&Help"));
    Help1->addSeparator();
    SupportandContact1 = Help1->addAction(tr("&Support and Contact"));
    About = Help1->addAction(tr("&About"));
    WebSite1 = menuBar()->addAction(tr("&Web Site"));

    PopupMenu1 = new QMenu(this);
    Crop2 = PopupMenu1->addAction(tr("&Crop"));
    Trim2 = PopupMenu1->addAction(tr("&Trim"));
    WaterMark2 = PopupMenu1->addAction(tr("&Video Effect && Water Mark"));
    AudioTrack2 = PopupMenu1->addAction(tr("Audio Trac&k..."));
    SplitChapters2 = PopupMenu1->addAction(tr("One File per C&hapter"));
    SplitChapters2->setObjectName(QStringLiteral("SplitChapters2"));
    PopupMenu1->addSeparator();
    AddFiles1 = PopupMenu1->addAction(tr("&Add"));
    Remove2 = PopupMenu1->addAction(tr("&Remove"));
    Clear2 = PopupMenu1->addAction(tr("&Clear"));
    Start2 = PopupMenu1->addAction(tr("&Start"));
    PopupMenu1->addSeparator();
    Infomation1 = PopupMenu1->addAction(tr("Video &Infomation"));
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TfrmMain::PopupMenu1Popup);

    // An entry that opens a modal window opens it once its trigger has returned. An
    // accessibility action triggers the entry from inside the assistive technology's call, and
    // a window's own event loop run there would hold that call (and the program asking) until
    // the window closed; a click returns at once as well.
    const auto later = [this](std::initializer_list<QAction*> Actions, void (TfrmMain::*Slot)()) {
        for (QAction* a : Actions)
            connect(a, &QAction::triggered, this, Slot, Qt::QueuedConnection);
    };
    later({Edit1, AddFiles1, AddFiles3}, &TfrmMain::btnAddClick);
    later({AddFolder1, AddFolder2}, &TfrmMain::AddFolderClick);
    for (QAction* a : {Remove1, Remove2})
        connect(a, &QAction::triggered, this, &TfrmMain::btnRemoveClick);
    for (QAction* a : {Clear1, Clear2})
        connect(a, &QAction::triggered, this, &TfrmMain::btnClearClick);
    later({Start1, Start2}, &TfrmMain::btnStartClick);
    later({Crop1, Crop2}, &TfrmMain::CropClick);
    later({Trim1, Trim2}, &TfrmMain::TrimClick);
    later({WaterMark1, WaterMark2}, &TfrmMain::WaterMarkClick);
    later({AudioTrack1, AudioTrack2}, &TfrmMain::AudioTrackClick);
    later({Settings1}, &TfrmMain::btnSettingsClick);
    connect(Exit2, &QAction::triggered, this, &QWidget::close);
    connect(CheckAll1, &QAction::triggered, this, &TfrmMain::CheckAll1Click);
    connect(UncheckAll1, &QAction::triggered, this, &TfrmMain::UncheckAll1Click);
    connect(ReserveCheck1, &QAction::triggered, this, &TfrmMain::ReserveCheck1Click);
    connect(Check1, &QAction::triggered, this, &TfrmMain::Check1Click);
    connect(Uncheck1, &QAction::triggered, this, &TfrmMain::Uncheck1Click);
    later({Infomation1}, &TfrmMain::Infomation1Click);
    later({SplitChapters2}, &TfrmMain::SplitChaptersClick);
    later({Options1}, &TfrmMain::Options1Click);
    connect(Help2, &QAction::triggered, this, &TfrmMain::Help2Click);
    connect(SupportandContact1, &QAction::triggered, this, &TfrmMain::SupportandContact1Click);
    later({About}, &TfrmMain::AboutClick);
    connect(WebSite1, &QAction::triggered, this, &TfrmMain::WebSite1Click);
}

// ---- creation, showing, closing ----

void TfrmMain::FormCreate() {
    TGlobalObject& g = MainFormCreateGlobals();
    QApplication::setApplicationDisplayName(QString::fromStdString(g.ProductName()));
    const int skin = ThemeMenuIndex(g.Settings(), DesktopPrefersDark());
    ApplyTheme(skin >= 0 ? skin : DesignTimeTheme);
    if (auto* app = qobject_cast<TZeltaApplication*>(QCoreApplication::instance()))
        app->SetExceptionHandler(&ShowCurrentAppException);
    std::string error;
    if (!LoadPreviewLibraries(error))
        mmoLog->appendPlainText(QString::fromStdString(error));
}

void TfrmMain::showEvent(QShowEvent* Event) {
    QMainWindow::showEvent(Event);
    if (!Shown_) {
        Shown_ = true;
        // The first showing puts the window in the middle of the screen it opens on.
        if (const QScreen* s = screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(s->availableGeometry().center());
            move(frame.topLeft());
        }
        FormShow();
    }
}

void TfrmMain::FormShow() {
    TGlobalObject* g = GlobalObject();
    if (g == nullptr)
        return;
    const TIniFile settings = g->Settings();
    const TMainFormShowSettings s = ReadMainFormShowSettings(settings);
    cbOutputFormat->FillAudioFormatCombo();
    cbOutputFormat->LoadStoredIndex(settings);
    edDirectory->setText(QString::fromStdString(s.OutputFolder));
    PreviewPanel->LoadStoredSettings(settings);
    g->SetVersionText(TGlobalObject::GetFileVersionText());
    setWindowTitle(QString::fromStdString(MainCaption(*g)));
    // The desktop appends the application's display name to every title that does not end
    // with it: the main caption is that name, so it is never shown twice.
    QApplication::setApplicationDisplayName(windowTitle());
    Picker->FillFormatList(settings, g->Catalogue());
    KeepList(*g);
    // From now on every change of the box is the user's (Browse) and is stored.
    connect(edDirectory, &QLineEdit::textChanged, this, &TfrmMain::edDirectoryChange,
            Qt::UniqueConnection);
    // A damaged settings file or catalogue is named once the window is up (it runs on defaults).
    if (const std::string damaged = DamagedFilesMessage(*g); !damaged.empty()) {
        mmoLog->appendPlainText(QString::fromStdString(damaged));
        QTimer::singleShot(0, this, [this, damaged] { ShowMessage("Warning", damaged); });
    }
}

bool TfrmMain::FormCloseQuery() {
    if (TGlobalObject* g = GlobalObject()) {
        // A state the file already gives (stored or by default) is not written again, so a
        // start without changes leaves the user's file as it was.
        TIniFile settings = g->Settings();
        const TFormatPickerModel& model = Picker->Model();
        bool changed = false;
        for (int row = 0; row < model.RowCount(); ++row) {
            const TItemInfo& item = model.Item(row);
            if (item.IsCategory && settings.ReadBool(SectionLstFormat, LstFormatKey(item.Code),
                                                     LstFormatCollapsedDefault) != item.Collapsed)
                changed = true;
        }
        if (changed)
            Picker->SaveFormatListState(settings);
    }
    Ovren_.SetOnCustomHook(nullptr);
    Ovren_.SetOnProgress(nullptr);
    Ovren_.SetOnTerminate(nullptr);
    Ovren_.StopTasks(true);
    PreviewPanel->Stop();
    // Without the terminate handler the run's end no longer closes the progress window.
    if (frmProgress && frmProgress->isVisible())
        frmProgress->close();
    if (Keeper_)
        Keeper_->Flush();
    FreeGlobalObject();
    Closed_ = true;
    return true;
}

void TfrmMain::closeEvent(QCloseEvent* Event) {
    if (Closed_ || FormCloseQuery())
        Event->accept();
    else
        Event->ignore();
}

// ---- the list ----

void TfrmMain::btnAddClick() {
    if (!Ovren_.LoadLibraries(LibAVFolder())) {
        PreviewPanel->CancelPlayAfterAdd();
        return;
    }
    QStringList filters;
    for (const std::string& f : AddDialogFilters())
        filters << QString::fromStdString(f);
    QFileDialog dialog(this);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    // The filter texts name their patterns already; Qt would append them a second time.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted) {
        PreviewPanel->CancelPlayAfterAdd();
        return;
    }
    std::vector<std::string> paths;
    for (const QString& f : dialog.selectedFiles())
        paths.push_back(f.toStdString());
    AddChosenFiles(paths);
}

void TfrmMain::AddFolderClick() {
    if (!Ovren_.LoadLibraries(LibAVFolder()))
        return;
    const QString folder = Services_.ChooseFolder(this, tr("Add Folder"));
    if (!folder.isEmpty())
        AddChosenFiles({QFileInfo(folder).absoluteFilePath().toStdString()});
}

void TfrmMain::AddChosenFiles(const std::vector<std::string>& Paths) {
    TGlobalObject* g = GlobalObject();
    if (g == nullptr || Running_)
        return;
    TIniFile settings = g->Settings();
    const TIniFile catalogue = g->Catalogue();
    //: Title of the box shown while many files are added (its text follows)
    TBusyProgress busy(this, tr("Adding"), tr("Adding %1 of %2…"));
    // Folders become the media files below them (the walk itself is quick; a slow share can
    // still be cancelled).
    const TLibraryWalk walk =
        CollectMedia(Paths, [&busy](int Found) { return busy.Step(0, Found); });
    if (walk.Cancelled)
        return;
    std::vector<TAddEntry> entries;
    entries.reserve(walk.Files.size());
    for (const TLibraryFile& file : walk.Files)
        entries.push_back(TAddEntry{file.Path, file.Root, {}, {}});
    const TSourceListModel::TAddResult added =
        Files_.AddFiles(entries, Ovren_, LibAVFolder(), settings, catalogue, *this,
                        [&busy](int Done, int Total) { return busy.Step(Done, Total); });
    if (added.LibrariesFailed)
        return;
    if (walk.Folders > 0)
        ShowMessage("Add Folder",
                    AddSummary(added.Added, walk.Others + int(walk.Files.size()) - added.Added));
    RefreshFromSettings();
    if (added.Added > 0) {
        for (QWidget* b : std::initializer_list<QWidget*>{btnStart, btnStartBelow, btnClear,
                                                          btnRemove})
            b->setEnabled(true);
        lvFiles->UpdateViewMode();
        lvFiles->SelectRow(0);
        lvFiles->setFocus();
        lvFiles->viewport()->update();
    }
    PreviewPanel->PlayAfterAdd(); // plays only when Play asked for this add
}

void TfrmMain::btnRemoveClick() {
    const int row = lvFiles->SelectedRow();
    if (row < 0)
        return;
    const int next = Files_.RemoveRow(row);
    if (next >= 0) {
        lvFiles->SelectRow(next);
        lvFiles->setFocus();
    } else {
        lvFiles->UpdateViewMode();
        PreviewPanel->Stop();
    }
    lvFiles->viewport()->update();
}

void TfrmMain::btnClearClick() {
    if (!Files_.Clear(Ovren_))
        return;
    lvFiles->UpdateViewMode();
    PreviewPanel->Stop();
}

void TfrmMain::CheckAll1Click() { Files_.CheckAll(); }
void TfrmMain::UncheckAll1Click() { Files_.UncheckAll(); }
void TfrmMain::ReserveCheck1Click() { Files_.ReverseCheck(); }

void TfrmMain::Check1Click() {
    const int row = lvFiles->SelectedRow();
    if (row >= 0)
        Files_.SetChecked(row, true);
}

void TfrmMain::Uncheck1Click() {
    const int row = lvFiles->SelectedRow();
    if (row >= 0)
        Files_.SetChecked(row, false);
}

bool TfrmMain::ListHasSelection() const {
    return !Files_.Empty() && lvFiles->SelectedRow() >= 0;
}

void TfrmMain::EditMenuPopup() {
    const bool on = ListHasSelection();
    for (QAction* a : {Crop1, Trim1, WaterMark1, AudioTrack1, CheckAll1, UncheckAll1,
                       ReserveCheck1, Check1, Uncheck1})
        a->setEnabled(on);
}

void TfrmMain::PopupMenu1Popup() {
    const bool on = ListHasSelection();
    for (QAction* a :
         {Crop2, Trim2, WaterMark2, AudioTrack2, Infomation1, Remove2, Clear2, Start2})
        a->setEnabled(on);
    const int row = lvFiles->SelectedRow();
    SplitChapters2->setEnabled(on && !Running_ && !Files_.Record(row).Segment.Active());
    AddFiles1->setEnabled(true);
}

void TfrmMain::lvFilesMouseDown(QPoint GlobalPosition) { PopupMenu1->popup(GlobalPosition); }

void TfrmMain::btnEditClick() {
    // The pop-up takes the window's theme through the application-wide palette.
    PopupMenu1->popup(btnEdit->mapToGlobal(QPoint(0, btnEdit->height())));
}

void TfrmMain::lvFilesDblClick() {
    if (lvFiles->SelectedRow() >= 0)
        PreviewPanel->Play();
}

// The row the trim, crop and effects dialogs edit: the selected one, row 0 (selected and focused) when
// the list has rows but none is selected; -1 for an empty list.
int TfrmMain::EditedRow() {
    if (Files_.Empty())
        return -1;
    if (lvFiles->SelectedRow() < 0) {
        lvFiles->SelectRow(0);
        lvFiles->setFocus();
    }
    return lvFiles->SelectedRow();
}

void TfrmMain::CropClick() {
    PreviewPanel->Stop();
    TfrmCrop dialog(this); // a new one for every opening
    const int row = EditedRow();
    dialog.SetRow(&Files_, row);
    if (dialog.exec() == QDialog::Accepted)
        Files_.RecordEdited(row);
}

void TfrmMain::TrimClick() {
    PreviewPanel->Stop();
    if (!frmTrim)
        frmTrim = std::make_unique<TfrmTrim>(Services_, this);
    const int row = EditedRow();
    frmTrim->SetRow(&Files_, row);
    if (frmTrim->exec() == QDialog::Accepted)
        Files_.RecordEdited(row);
}

// A new effects dialog for every opening, on the edited row's record.
void TfrmMain::WaterMarkClick() {
    PreviewPanel->Stop();
    const int row = EditedRow();
    if (row < 0)
        return;
    TfrmWaterMark dialog(Files_.Record(row), Services_, this);
    if (dialog.exec() == QDialog::Accepted)
        Files_.RecordEdited(row);
}

// A new chooser for every opening, on the edited row; the rule shown is the stored one.
void TfrmMain::AudioTrackClick() {
    const int row = EditedRow();
    if (row < 0)
        return;
    const TGlobalObject* g = GlobalObject();
    TfrmAudioTrack dialog(Files_, row, g ? ReadTrackRule(g->Settings()) : TTrackRule{}, this);
    dialog.exec();
}

void TfrmMain::btnSettingsClick() {
    if (!frmSettings)
        frmSettings = std::make_unique<TfrmSettings>(Services_, this);
    if (frmSettings->exec() != QDialog::Accepted)
        return;
    // OK stored the choice: the picker shows it and the list's destinations follow it.
    if (const TGlobalObject* g = GlobalObject())
        Picker->FillFormatList(g->Settings(), g->Catalogue());
    RefreshFromSettings();
}

void TfrmMain::btnOptionsClick() {
    if (TGlobalObject* g = GlobalObject()) {
        TIniFile settings = g->Settings();
        Picker->SaveFormatListState(settings);
    }
    btnSettingsClick();
}


void TfrmMain::SplitChaptersClick() {
    TGlobalObject* g = GlobalObject();
    const int row = lvFiles->SelectedRow();
    if (g == nullptr || row < 0 || Running_)
        return;
    if (SplitRowIntoChapters(Files_, row, g->Settings(), g->Catalogue()) == 0) {
        ShowMessage("Information", tr("This file has no chapters to split it by.").toStdString());
        return;
    }
    lvFiles->SelectRow(row);
    lvFiles->viewport()->update();
}

void TfrmMain::Infomation1Click() {
    if (!frmFileInfo)
        frmFileInfo = std::make_unique<TfrmFileInfo>(this);
    const int row = lvFiles->SelectedRow();
    frmFileInfo->SetSourceFile(row >= 0 ? Files_.Caption(row) : std::string());
    frmFileInfo->exec();
}

// ---- Start and the run ----

void TfrmMain::SetRunButtons(bool Running) {
    for (QWidget* b : std::initializer_list<QWidget*>{btnAdd, btnRemove, btnClear, btnStart,
                                                      btnStartBelow})
        b->setEnabled(!Running);
    btnStop->setEnabled(Running);
    btnPause->setEnabled(Running);
    btnResume->setEnabled(false);
}

void TfrmMain::btnStartClick() {
    TGlobalObject* g = GlobalObject();
    if (g == nullptr || Running_)
        return;
    TIniFile settings = g->Settings();
    const TIniFile catalogue = g->Catalogue();
    if (Files_.CheckedCount() > 0)
        PreviewPanel->Stop();
    const TBatchDriver::TBuildResult begun = Driver_->BeginTasks(settings, catalogue);
    if (begun.Stopped) {
        ShowMessage("Warning", begun.Error);
        return;
    }
    // Only the first task is made before the progress window shows (rows that cannot be opened
    // are skipped on the way); the rest follow in slices while the first files convert.
    TBatchDriver::TBuildStep step;
    {
        TBusyProgress busy(this, tr("Preparing"), tr("Preparing %1 of %2…"));
        while (Driver_->TasksBuilt() == 0 && !Driver_->AllBuilt()) {
            if (!busy.Step(Driver_->SkippedCount() + Driver_->PassedCount(),
                           Driver_->CheckedTotal())) {
                Driver_->CancelTasks();
                RefreshFromSettings();
                return;
            }
            step = Driver_->BuildMore(BuildSlice, 1);
            if (step.Status == TBatchDriver::TBuildStatus::Stopped)
                break;
        }
    }
    RefreshFromSettings();
    if (step.Status == TBatchDriver::TBuildStatus::Stopped) {
        ShowMessage("Warning", step.Error);
        return;
    }
    const int checked = Driver_->CheckedTotal();
    if (Driver_->TasksBuilt() == 0) {
        if (Driver_->SkippedCount() > 0)
            ShowMessage("Warning", FailureReport(Driver_->Failures(), checked));
        else if (const int passed = Driver_->PassedCount(); passed > 0)
            ShowMessage("Information", PassedReport(passed));
        return;
    }
    if (!frmProgress) {
        frmProgress = std::make_unique<TfrmProgress>(Ovren_, this);
        frmProgress->SetServices(Services_);
        frmProgress->SetPreviewCopier(
            [this](TBitmap24& Frame) { return Driver_->CopyPreviewFrame(Frame); });
        frmProgress->SetPauseHandlers(
            [this] {
                btnPause->setEnabled(false);
                btnResume->setEnabled(true);
            },
            [this] {
                btnPause->setEnabled(true);
                btnResume->setEnabled(false);
            });
    }
    const int jobs = ConversionJobCount(settings, catalogue);
    frmProgress->SetJobCount(jobs);
    QTimer builder;
    std::string stopped;
    connect(&builder, &QTimer::timeout, this, [&] {
        const TBatchDriver::TBuildStep next =
            Driver_->BuildMore(BuildSlice, jobs * ReadyTasksPerJob + ReadyTasksExtra);
        switch (next.Status) {
        case TBatchDriver::TBuildStatus::More:
            builder.setInterval(0);
            break;
        case TBatchDriver::TBuildStatus::Waiting:
            builder.setInterval(BuildPollMs);
            break;
        case TBatchDriver::TBuildStatus::Stopped:
            stopped = next.Error; // the run was stopped; its end closes the progress window
            builder.stop();
            break;
        case TBatchDriver::TBuildStatus::Done:
            builder.stop();
            break;
        }
    });
    frmProgress->SetStarter([&](int Jobs) {
        Driver_->StartRun(Jobs);
        if (!Driver_->AllBuilt())
            builder.start(0);
    });
    SetRunButtons(true);
    Running_ = true;
    frmProgress->exec(); // its showing starts the tasks; the run's end closes it
    frmProgress->SetStarter({});
    builder.stop();
    Running_ = false;
    if (!stopped.empty())
        ShowMessage("Warning", stopped);
    // The files that failed, then those converted with something to tell.
    const std::string failed = FailureReport(Driver_->Failures(), checked);
    const std::string warned = WarningReport(Driver_->Warnings());
    if (!failed.empty() || !warned.empty())
        ShowMessage("Warning", failed + (failed.empty() || warned.empty() ? "" : "\n\n") + warned);
}

void TfrmMain::btnStopClick() {
    btnStop->setEnabled(false);
    btnAdd->setEnabled(true);
    for (QWidget* b : std::initializer_list<QWidget*>{btnRemove, btnClear, btnStart,
                                                      btnStartBelow, btnPause, btnResume})
        b->setEnabled(false);
    Ovren_.StopTasks(true);
}

void TfrmMain::btnPauseClick() {
    btnPause->setEnabled(false);
    btnResume->setEnabled(true);
    Ovren_.PauseTasks();
}

void TfrmMain::btnResumeClick() {
    btnPause->setEnabled(true);
    btnResume->setEnabled(false);
    Ovren_.ResumeTasks();
}

void TfrmMain::ShowMessage(std::string_view Caption, std::string_view Text) {
    if (Caption == "Warning")
        Services_.Warning(this, PromptCaption(Caption), Q(Text));
    else
        Services_.Information(this, PromptCaption(Caption), Q(Text));
}

bool TfrmMain::AskYesNo(std::string_view Caption, std::string_view Text) {
    return QMessageBox::question(this, PromptCaption(Caption), Q(Text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void TfrmMain::ShowProgress(const TProgressTexts& Texts) {
    if (frmProgress)
        frmProgress->ShowProgress(Texts);
}

void TfrmMain::ShowBatch(const TBatchView& View) {
    if (frmProgress)
        frmProgress->ShowBatch(View);
    if (!Notices_)
        Notices_ = std::make_unique<TDesktopNotices>();
    Notices_->ShowProgress(true, View.Percent, View.Total - View.Done);
}

void TfrmMain::ShowProgressBar(int Percent) {
    if (frmProgress)
        frmProgress->SetBarPosition(Percent);
}

bool TfrmMain::OpenFolderAfterConversion() const {
    return frmProgress && frmProgress->OpenFolderChecked();
}

bool TfrmMain::ShutDownAfterConversion() const {
    return frmProgress && frmProgress->ShutDownChecked();
}

void TfrmMain::OpenOutputFolder() { btnOpenClick(); }

void TfrmMain::ShutDownComputer() { zelta::ShutDownComputer(); }

void TfrmMain::RunEnded() {
    btnAdd->setEnabled(true);
    btnRemove->setEnabled(true);
    btnClear->setEnabled(true);
    btnStart->setEnabled(true);
    btnStartBelow->setEnabled(true);
    btnStop->setEnabled(false);
    btnPause->setEnabled(false);
    btnResume->setEnabled(false);
    if (frmProgress && frmProgress->isVisible())
        frmProgress->close();
    TellDesktopBatchEnded();
}

// ---- themes ----

void TfrmMain::Skin1Click() {
    const TGlobalObject* g = GlobalObject();
    if (g == nullptr)
        return;
    const int stored = ThemeMenuIndex(g->Settings(), DesktopPrefersDark());
    if (stored >= 0)
        SkinItems[size_t(stored)]->setChecked(true);
}

void TfrmMain::SkinClick(int Index) {
    QAction* item = SkinItems[size_t(Index)];
    // Qt has toggled the item already: unchecked now means it was checked before the click.
    if (!item->isChecked()) {
        item->setChecked(true);
        return;
    }
    const bool visible = isVisible();
    hide();
    ApplyTheme(Index);
    for (int i = 0; i < ThemeMenuCount; ++i)
        SkinItems[size_t(i)]->setChecked(i == Index);
    if (visible)
        show();
    if (TGlobalObject* g = GlobalObject()) {
        TIniFile settings = g->Settings();
        settings.WriteInteger(SectionSettings, KeySkinIndex, Index);
    }
}

// ---- the output folder and the other windows ----

void TfrmMain::RefreshFromSettings() {
    TGlobalObject* g = GlobalObject();
    if (g == nullptr)
        return;
    const TIniFile settings = g->Settings();
    const QString folder = QString::fromStdString(ReadSettingText(settings, KeyOutPutDir));
    if (edDirectory->text() != folder)
        edDirectory->setText(folder); // equal to the stored text: nothing is written again
    // Start has written its own names into the column already; a run must not be renamed.
    if (!Running_)
        Files_.UpdateDestinations(settings, g->Catalogue());
}

void TfrmMain::edDirectoryChange() {
    TGlobalObject* g = GlobalObject();
    if (g == nullptr)
        return;
    TIniFile settings = g->Settings();
    const std::string text = edDirectory->text().toStdString();
    if (ReadSettingText(settings, KeyOutPutDir) != text)
        settings.WriteString(SectionSettings, KeyOutPutDir, text);
}

TfmDirectory& TfrmMain::FolderChooser() {
    if (!fmDirectory)
        fmDirectory = std::make_unique<TfmDirectory>(Services_, this);
    return *fmDirectory;
}

void TfrmMain::Options1Click() {
    if (!frmPreference) {
        frmPreference = std::make_unique<TfrmPreference>(
            [this]() -> TfmDirectory& { return FolderChooser(); }, Services_, this);
        frmPreference->OutputPage->SetExampleSource([this] { return NameExample(); });
    }
    frmPreference->exec();
    RefreshFromSettings(); // the Destination File column follows the output names
}

TPrefOutputPage::TExample TfrmMain::NameExample() const {
    TPrefOutputPage::TExample example;
    if (const TGlobalObject* g = GlobalObject()) {
        const int code = ReadSettingInteger(g->Settings(), KeyFormatCode);
        example.Suffix = "." + CatalogueFileExt(g->Catalogue(), code);
        example.AudioProfile = !ProfileHasVideo(g->Settings(), g->Catalogue(), code);
    }
    const int row = lvFiles->SelectedRow();
    if (row >= 0 && row < Files_.RowCount()) {
        const TlvFilesRecord& r = Files_.Record(row);
        example.Name = {Files_.Caption(row), r.Root, r.NameTags};
    }
    return example;
}

void TfrmMain::AboutClick() {
    if (!frmAbout)
        frmAbout = std::make_unique<TfrmAbout>(Services_, this);
    frmAbout->exec();
}

void TfrmMain::OpenWebPage(TWebPage Page) {
    if (const TGlobalObject* g = GlobalObject())
        Services_.OpenUrl(QUrl(QString::fromStdString(WebPageAddress(*g, Page)))); // failures stay silent
}

void TfrmMain::Help2Click() { OpenWebPage(TWebPage::Help); }

void TfrmMain::WebSite1Click() { OpenWebPage(TWebPage::Home); }

void TfrmMain::SupportandContact1Click() { OpenWebPage(TWebPage::Support); }

void TfrmMain::btnBrowsClick() {
    TfmDirectory& chooser = FolderChooser();
    chooser.exec();
    const std::string chosen = chooser.ChosenFolder();
    const std::string shown = edDirectory->text().toStdString();
    if (!TakesChosenFolder(chosen, shown))
        return;
    if (TGlobalObject* g = GlobalObject()) {
        TIniFile settings = g->Settings();
        if (!StoreChosenFolder(settings, KeyOutPutDir, chosen, shown))
            Services_.Warning(this, tr("Warning"),
                              QString::fromStdString(settings.LastError()));
    }
    edDirectory->setText(QString::fromStdString(chosen));
}

void TfrmMain::btnOpenClick() {
    const TGlobalObject* g = GlobalObject();
    if (g == nullptr)
        return;
    const std::string folder =
        FolderToOpen(g->Settings(), KeyOutPutDir, edDirectory->text().toStdString());
    if (!folder.empty())
        Services_.OpenUrl(QUrl::fromLocalFile(QString::fromStdString(folder)));
}
