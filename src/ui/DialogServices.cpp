#include "ui/DialogServices.h"

#include <QFileDialog>

#include "app/FolderChooserLogic.h"
#include "app/UserPrompts.h"

#include <QCoreApplication>

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

QString PromptCaption(std::string_view Caption) {
    for (const char* known : zelta::PromptCaptionTexts)
        if (Caption == known)
            return QCoreApplication::translate("UserPrompts", known);
    return QString::fromUtf8(Caption.data(), qsizetype(Caption.size()));
}

void TDialogServices::Information(QWidget* Parent, const QString& Caption,
                                  const QString& Text) const {
    QMessageBox::information(Parent, Caption, Text);
}

void TDialogServices::Warning(QWidget* Parent, const QString& Caption, const QString& Text) const {
    QMessageBox::warning(Parent, Caption, Text);
}

bool TDialogServices::OpenUrl(const QUrl& Url) const {
    return QDesktopServices::openUrl(Url);
}

bool TDialogServices::IsReadOnlyFolder(const QString& Path) const {
    return zelta::IsReadOnlyFolder(Path.toStdString());
}

const TDialogServices& TDialogServices::Default() {
    static const TDialogServices services;
    return services;
}

QString TDialogServices::ChooseFolder(QWidget* Parent, const QString& Caption) const {
    return QFileDialog::getExistingDirectory(Parent, Caption);
}
