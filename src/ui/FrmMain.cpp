#include "ui/FrmMain.h"

#include "app/MainFormLogic.h"
#include "app/SettingsKeys.h"
#include "ui/AppExceptionHandler.h"
#include "ui/Themes.h"
#include "ui/ZeltaApplication.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QVBoxLayout>

using namespace zelta;

TfrmMain::TfrmMain(QWidget* Parent) : QMainWindow(Parent) {
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
    outputLayout->addWidget(edtOutputDir, 1);
    layout->addWidget(output);

    mmoLog = new QPlainTextEdit(central);
    mmoLog->setReadOnly(true);
    mmoLog->hide();
    layout->addWidget(mmoLog);

    setCentralWidget(central);
    setFixedSize(760, 512);
    FormCreate();
}

TfrmMain::~TfrmMain() {
    if (!Closed_)
        FormCloseQuery();
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
