#include "ui/FrmAbout.h"

#include "ui/AccessibleNames.h"

#include "app/GlobalObject.h"
#include "app/MainFormLogic.h"
#include "ui/DialogServices.h"
#include "ui/HiDpi.h"

#include <QApplication>
#include <QIcon>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

using namespace zelta;

TfrmAbout::TfrmAbout(const TDialogServices& Services, QWidget* Parent)
    : QDialog(Parent), Services_(Services) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    imgIcon = new QLabel(this);
    imgIcon->setPixmap(ApplicationIcon(48));
    imgIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    lblAppNameVer = new QLabel(this);
    QFont bold = lblAppNameVer->font();
    bold.setBold(true);
    lblAppNameVer->setFont(bold);
    // The name with its version is wider than the fixed window leaves it; it takes a second line
    // rather than losing the end of the version.
    lblAppNameVer->setWordWrap(true);
    lblHomePage = new QLabel(this);
    lblHomePage->setTextFormat(Qt::RichText);
    lblHomePage->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    lblHomePage->setOpenExternalLinks(false);
    btn1 = new QPushButton(tr("&Ok"), this);
    btn1->setDefault(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(lblAppNameVer);
    texts->addWidget(lblHomePage);
    texts->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(imgIcon);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btn1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(lblHomePage, &QLabel::linkActivated, this, &TfrmAbout::lblHomePageClick);
    connect(btn1, &QPushButton::clicked, this, &TfrmAbout::accept);
    NameControls(this);
}

QPixmap TfrmAbout::ApplicationIcon(int Size) {
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        return icon.pixmap(Size, Size);
    QPixmap pixmap = ScaledPixmap(QSize(Size, Size));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1C, 0x3F, 0x6E));
    p.drawRoundedRect(QRectF(0, 0, Size, Size), Size / 6.0, Size / 6.0);
    p.setPen(QColor(0xF0, 0xF4, 0xFA));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(Size * 2 / 3);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, Size, Size), Qt::AlignCenter, QStringLiteral("Z"));
    return pixmap;
}

void TfrmAbout::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    FormShow();
}

void TfrmAbout::FormShow() {
    setFixedSize(340, 187);
    setWindowTitle(tr("About"));
    const TGlobalObject* g = GlobalObject();
    if (g == nullptr)
        return;
    const QString home = QString::fromStdString(g->HomePage());
    lblHomePage->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                             .arg(home.toHtmlEscaped(), home.toHtmlEscaped()));
    lblAppNameVer->setText(QString::fromStdString(MainCaption(*g)));
}

void TfrmAbout::lblHomePageClick(const QString& Link) {
    Services_.OpenUrl(QUrl(Link));
}
