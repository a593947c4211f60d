// The about window: the application icon, product name and version, a link to the product web
// page (opened with the desktop's handler) and Ok. Created on first use by the main window and
// kept; every showing refreshes the texts from the global object.
#pragma once

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPushButton;
class TDialogServices;

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(const TDialogServices& Services, QWidget* Parent = nullptr);

    // The application's window icon, or a drawn one when the application has none.
    static QPixmap ApplicationIcon(int Size);

    QLabel* imgIcon;
    QLabel* lblAppNameVer;
    QLabel* lblHomePage;  // link label
    QPushButton* btn1;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void FormShow();
    void lblHomePageClick(const QString& Link);

    const TDialogServices& Services_;
};
