// The main window's side of living on a desktop: the list kept across restarts and the
// desktop's notices of a batch (its end, the dock entry's progress).
#include "app/DesktopNotices.h"
#include "app/GlobalObject.h"
#include "app/ListKeeper.h"
#include "app/ListStore.h"
#include "app/SettingsKeys.h"
#include "ui/FrmMain.h"
#include "ui/SourceListView.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

using namespace zelta;

// The list of the last session comes back (its destinations for today's settings), then every
// change of it is kept.
void TfrmMain::KeepList(const TGlobalObject& Global) {
    if (Keeper_)
        return;
    const std::string file = ListFilePath(Global.SettingsFile());
    if (Files_.Empty() && RestoreList(Files_, file) > 0) {
        Files_.UpdateDestinations(Global.Settings(), Global.Catalogue());
        for (QWidget* b : std::initializer_list<QWidget*>{btnStart, btnStartBelow, btnClear,
                                                          btnRemove})
            b->setEnabled(true);
        lvFiles->UpdateViewMode();
        lvFiles->SelectRow(0);
    }
    Keeper_ = std::make_unique<TListKeeper>(Files_, file);
    connect(Keeper_.get(), &TListKeeper::Failed, this, [this](const QString& reason) {
        mmoLog->appendPlainText(tr("The list could not be kept: %1").arg(reason));
    });
}

// The dock entry is cleared; a person looking elsewhere hears that the batch has ended.
void TfrmMain::TellDesktopBatchEnded() {
    if (!Notices_)
        Notices_ = std::make_unique<TDesktopNotices>();
    Notices_->ShowProgress(false);
    const TGlobalObject* g = GlobalObject();
    if (g == nullptr || isActiveWindow() ||
        !g->Settings().ReadBool(SectionSettings, KeyNotifyBatchEnd, true))
        return;
    const TBatchOutcome outcome = BatchOutcome(*Driver_, Files_);
    if (outcome.Total > 0)
        Notices_->NotifyBatchEnd(outcome, [this] { btnOpenClick(); });
}
