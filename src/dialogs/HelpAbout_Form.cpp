#include "dialogs/HelpAbout_Form.h"

#include "app/UiSeam.h"
#include "model/Messages.h"

#include <QEvent>
#include <QFile>
#include <QFont>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString AppIconResource = QStringLiteral(":/icons/orlamo.svg");
constexpr int BoxWidth = 422;
constexpr int BannerHeight = 47;
constexpr int PictureSize = 108;

QLabel* MakeLabel(const QString& objectName, const QString& text, const QString& family,
                  int pixelSize, const QColor& color, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

// A plain banner across the top of the box: the product's colours, fading to the white page.
QPixmap MakeBanner() {
    QPixmap banner(BoxWidth, BannerHeight);
    QPainter painter(&banner);
    QLinearGradient gradient(0, 0, BoxWidth, 0);
    gradient.setColorAt(0.0, QColor(0, 0, 128));
    gradient.setColorAt(0.6, QColor(255, 0, 255));
    gradient.setColorAt(1.0, Qt::white);
    painter.fillRect(banner.rect(), gradient);
    return banner;
}
} // namespace

TForm_HelpAbout::TForm_HelpAbout(UiSeam& seam, QWidget* parent) : QDialog(parent), Seam(seam) {
    setObjectName(QStringLiteral("Form_HelpAbout"));
    setWindowTitle(QStringLiteral("About"));
    setModal(true);
    const bool haveIcon = QFile::exists(AppIconResource);
    if (haveIcon)
        setWindowIcon(QIcon(AppIconResource));
    setAutoFillBackground(true);
    QPalette page = palette();
    page.setColor(QPalette::Window, Qt::white);
    setPalette(page);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("ImageLogo"));
    logo->setPixmap(MakeBanner());

    auto* productName = MakeLabel(QStringLiteral("ElLabel1"), QStringLiteral("Orlamo"),
                                  QStringLiteral("Verdana"), 32, QColor(255, 0, 255), this);
    VersionLabel =
        MakeLabel(QStringLiteral("ElLbl_VersionNumber"), QString::fromLatin1(orlamo::VersionText),
                  QStringLiteral("Verdana"), 21, QColor(0, 0, 128), this);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image"));
    picture->setAlignment(Qt::AlignCenter);
    if (haveIcon)
        picture->setPixmap(QIcon(AppIconResource).pixmap(PictureSize, PictureSize));
    else
        picture->hide();

    auto* maker = MakeLabel(QStringLiteral("ElLbl_Quorvel"), QStringLiteral("Quorvel"),
                            QStringLiteral("Arial Black"), 19, QColor(0, 0, 128), this);
    UrlLink = MakeLabel(QStringLiteral("lblUrlLink"), MakerSiteText(), QStringLiteral("Verdana"),
                        13, QColor(0, 0, 255), this);
    QFont linkFont = UrlLink->font();
    linkFont.setUnderline(true);
    UrlLink->setFont(linkFont);
    UrlLink->setCursor(Qt::PointingHandCursor);
    UrlLink->setToolTip(MakerSiteUrl().toString());
    UrlLink->installEventFilter(this);

    auto* rights = MakeLabel(QStringLiteral("ElLbl_Portions"),
                             QStringLiteral("Copyright (C) 2010 Quorvel. All rights reserved."),
                             QStringLiteral("Verdana"), 16, QColor(128, 0, 0), this);

    OkButton = new QPushButton(QStringLiteral("OK"), this);
    OkButton->setObjectName(QStringLiteral("ElGraphicButton1"));
    OkButton->setMinimumWidth(75);
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &TForm_HelpAbout::ElGraphicButton1Click);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 0, 8, 8);
    body->addWidget(productName);
    body->addWidget(VersionLabel, 0, Qt::AlignHCenter);
    body->addWidget(picture, 0, Qt::AlignHCenter);
    auto* makerRow = new QHBoxLayout;
    makerRow->addWidget(maker);
    makerRow->addWidget(UrlLink, 0, Qt::AlignBottom);
    makerRow->addStretch();
    body->addLayout(makerRow);
    body->addWidget(rights);
    body->addWidget(OkButton, 0, Qt::AlignRight);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(logo);
    outer->addLayout(body);
    outer->setSizeConstraint(QLayout::SetFixedSize);
}

QString TForm_HelpAbout::MakerSiteText() {
    return QStringLiteral("www.quorvel.example");
}

QUrl TForm_HelpAbout::MakerSiteUrl() {
    return QUrl(QStringLiteral("https://") + MakerSiteText() + QStringLiteral("/"));
}

QString TForm_HelpAbout::VersionNumberText() const {
    return VersionLabel->text();
}

void TForm_HelpAbout::lblUrlLinkClick() {
    // A desktop without a browser is no reason to bother the user: the box just stays open.
    Seam.OpenUrl(MakerSiteUrl());
}

void TForm_HelpAbout::ElGraphicButton1Click() {
    close();
}

bool TForm_HelpAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == UrlLink && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        UrlLink->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        lblUrlLinkClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm_HelpAbout::showEvent(QShowEvent* event) {
    VersionLabel->setText(QString::fromLatin1(orlamo::VersionText));
    QDialog::showEvent(event);
}
