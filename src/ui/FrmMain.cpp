#include "ui/FrmMain.h"

#include "app/FolderChooserLogic.h"
#include "app/MainFormLogic.h"
#include "app/SettingsKeys.h"
#include "ui/AppExceptionHandler.h"
#include "ui/DialogServices.h"
#include "ui/FmDirectory.h"
#include "ui/FrmAbout.h"
#include "ui/FrmPreference.h"
#include "ui/Themes.h"
#include "ui/ZeltaApplication.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QUrl>
#include <QVBoxLayout>

using namespace zelta;

TfrmMain::TfrmMain(QWidget* Parent) : TfrmMain(TDialogServices::Default(), Parent) {}

TfrmMain::TfrmMain(const TDialogServices& Services, QWidget* Parent)
    : QMainWindow(Parent), Services_(Services) {
    setObjectName(QStringLiteral("frmMain"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    auto* preview = new QGroupBox(QStringLiteral("Preview"), central);
    auto* previewLayout = new QHBoxLayout(preview);
    previewLayout->addStretch(1);
    chkMute = new QCheckBox(QStringLiteral("Mute"), preview);
    tbVolume = new QSlider(Qt::Horizontal, preview);
    tbVolume->setFixedWidth(120);
    previewLayout->addWidget(chkMute);
    previewLayout->addWidget(tbVolume);
    layout->addWidget(preview, 1);

    auto* output = new QGroupBox(QStringLiteral("Output"), central);
    auto* outputLayout = new QHBoxLayout(output);
    outputLayout->addWidget(new QLabel(QStringLiteral("Output folder:"), output));
    edtOutputDir = new QLineEdit(output);
    edtOutputDir->setReadOnly(true);
    outputLayout->addWidget(edtOutputDir, 1);
    btnBrows = new QPushButton(QStringLiteral("Browse"), output);
    btnOpen = new QPushButton(QStringLiteral("Open"), output);
    outputLayout->addWidget(btnBrows);
    outputLayout->addWidget(btnOpen);
    layout->addWidget(output);
    connect(btnBrows, &QPushButton::clicked, this, &TfrmMain::btnBrowsClick);
    connect(btnOpen, &QPushButton::clicked, this, &TfrmMain::btnOpenClick);

    mmoLog = new QPlainTextEdit(central);
    mmoLog->setReadOnly(true);
    mmoLog->hide();
    layout->addWidget(mmoLog);

    setCentralWidget(central);
    CreateMenus();
    setFixedSize(760, 512);
    FormCreate();
}

TfrmMain::~TfrmMain() {
    if (!Closed_)
        FormCloseQuery();
}

void TfrmMain::CreateMenus() {
    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    Options1 = tools->addAction(QStringLiteral("&Preference"));
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    Help2 = help->addAction(QStringLiteral("&Help"));
    help->addSeparator();
    SupportandContact1 = help->addAction(QStringLiteral("&Support and Contact"));
    About = help->addAction(QStringLiteral("&About"));
    WebSite1 = menuBar()->addAction(QStringLiteral("&Web Site"));

    connect(Options1, &QAction::triggered, this, &TfrmMain::Options1Click);
    connect(Help2, &QAction::triggered, this, &TfrmMain::Help2Click);
    connect(SupportandContact1, &QAction::triggered, this, &TfrmMain::SupportandContact1Click);
    connect(About, &QAction::triggered, this, &TfrmMain::AboutClick);
    connect(WebSite1, &QAction::triggered, this, &TfrmMain::WebSite1Click);
}

void TfrmMain::FormCreate() {
    TGlobalObject& g = MainFormCreateGlobals();
    QApplication::setApplicationDisplayName(QString::fromStdString(g.ProductName()));
    const int skin = StoredThemeIndex(g.Settings());
    ApplyTheme(skin >= 0 && skin < ThemeCount ? skin : DesignTimeTheme);
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
        FormShow();
    }
}

void TfrmMain::FormShow() {
    TGlobalObject* g = GlobalObject();
    if (g == nullptr)
        return;
    PreviewFrame = std::make_unique<TBitmap24>();
    const TMainFormShowSettings s = ReadMainFormShowSettings(g->Settings());
    edtOutputDir->setText(QString::fromStdString(s.OutputFolder));
    tbVolume->setRange(0, VolumeMax);
    tbVolume->setValue(s.Volume);
    if (s.MuteState >= 0)
        chkMute->setChecked(s.MuteState == 1);
    g->SetVersionText(TGlobalObject::GetFileVersionText());
    setWindowTitle(QString::fromStdString(MainCaption(*g)));
}

bool TfrmMain::FormCloseQuery() {
    PreviewFrame.reset();
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

TfmDirectory& TfrmMain::FolderChooser() {
    if (!fmDirectory)
        fmDirectory = std::make_unique<TfmDirectory>(Services_, this);
    return *fmDirectory;
}

void TfrmMain::Options1Click() {
    if (!frmPreference)
        frmPreference = std::make_unique<TfrmPreference>(
            [this]() -> TfmDirectory& { return FolderChooser(); }, Services_, this);
    frmPreference->exec();
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
    const std::string shown = edtOutputDir->text().toStdString();
    if (!TakesChosenFolder(chosen, shown))
        return;
    if (TGlobalObject* g = GlobalObject()) {
        TIniFile settings = g->Settings();
        if (!StoreChosenFolder(settings, KeyOutPutDir, chosen, shown))
            Services_.Warning(this, QStringLiteral("Warning"),
                              QString::fromStdString(settings.LastError()));
    }
    edtOutputDir->setText(QString::fromStdString(chosen));
}

void TfrmMain::btnOpenClick() {
    const TGlobalObject* g = GlobalObject();
    if (g == nullptr)
        return;
    const std::string folder =
        FolderToOpen(g->Settings(), KeyOutPutDir, edtOutputDir->text().toStdString());
    if (!folder.empty())
        Services_.OpenUrl(QUrl::fromLocalFile(QString::fromStdString(folder)));
}
