#include "app/about_box.h"

#include "app/icons.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vaziduvu {

const char *const AboutBox::kAdifWebAddress = "https://www.adif.org/";

namespace {

QLabel *plainLabel(const char *name, const char *text, QWidget *parent)
{
    auto *label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QFont pixelFont(const QFont &base, int pixels, bool bold = false)
{
    QFont font = base;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

}  // namespace

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("aboutBox");
    setWindowTitle("About");
    setWindowIcon(programIcon());
    setFixedSize(kClientWidth, kClientHeight);
    setFont(pixelFont(font(), 12));

    panel_ = new QFrame(this);
    panel_->setObjectName("panel");
    panel_->setFrameShape(QFrame::Panel);
    panel_->setFrameShadow(QFrame::Sunken);
    panel_->setLineWidth(2);
    panel_->setGeometry(8, 8, kClientWidth - 16, kClientHeight - 60);

    programIcon_ = new QLabel(panel_);
    programIcon_->setObjectName("programIcon");
    programIcon_->setPixmap(programIcon().pixmap(64, 64));
    programIcon_->setFixedSize(64, 64);

    productName_ = plainLabel("productName",
                              "Ham Radio Data Viewer/ Editor  - VAZIDUVU  -  Build 8", panel_);
    productName_->setFont(pixelFont(font(), 15, true));
    productName_->setWordWrap(true);
    version_ = plainLabel("version", "Version 1.1 BETA", panel_);
    comments_ = plainLabel(
        "comments",
        "Note that the ADIF format is  not owned by Corvantis, Inc.   The format has been released "
        "for non profit or commercial use by a consortium of amateurs who wish to create a common "
        "format with which to enable the convenient import/export of ham related data",
        panel_);
    comments_->setWordWrap(true);
    adifNote_ = plainLabel("adifNote",
                           "For more information about ADIF and the people who created it, go to "
                           "the web:",
                           panel_);
    adifNote_->setWordWrap(true);
    adifLink_ = new QLabel(panel_);
    adifLink_->setObjectName("adifLink");
    adifLink_->setTextFormat(Qt::RichText);
    adifLink_->setText(
        QStringLiteral("<a href=\"%1\">%1</a>").arg(QString::fromLatin1(kAdifWebAddress)));
    adifLink_->setOpenExternalLinks(true);
    adifLink_->setTextInteractionFlags(Qt::TextBrowserInteraction);
    for (QLabel *label : {productName_, version_, comments_, adifNote_})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *titles = new QVBoxLayout;
    titles->setSpacing(6);
    titles->addWidget(productName_);
    titles->addWidget(version_);
    titles->addStretch();
    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(programIcon_, 0, Qt::AlignTop);
    top->addLayout(titles, 1);

    auto *panelLayout = new QVBoxLayout(panel_);
    panelLayout->setContentsMargins(18, 18, 18, 18);
    panelLayout->setSpacing(10);
    panelLayout->addLayout(top);
    panelLayout->addSpacing(14);
    panelLayout->addWidget(comments_);
    panelLayout->addStretch();
    panelLayout->addWidget(adifNote_);
    panelLayout->addWidget(adifLink_);

    okButton_ = new QPushButton("OK", this);
    okButton_->setObjectName("okButton");
    okButton_->setFont(pixelFont(font(), 10));
    okButton_->setDefault(true);
    okButton_->setAutoDefault(true);
    okButton_->setGeometry((kClientWidth - 75) / 2, panel_->geometry().bottom() + 14, 75, 25);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    const QScreen *screen
        = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

}  // namespace vaziduvu
