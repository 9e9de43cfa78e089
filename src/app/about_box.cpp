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

const char *const TAboutBox::kAdifWebAddress = "https://www.adif.org/";

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

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName("AboutBox");
    setWindowTitle("About");
    setWindowIcon(programIcon());
    setFixedSize(kClientWidth, kClientHeight);
    setFont(pixelFont(font(), 12));

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Sunken);
    Panel1->setLineWidth(2);
    Panel1->setGeometry(8, 8, kClientWidth - 16, kClientHeight - 60);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setPixmap(programIcon().pixmap(64, 64));
    ProgramIcon->setFixedSize(64, 64);

    ProductName = plainLabel("ProductName",
                             "Ham Radio Data Viewer/ Editor  - VAZIDUVU  -  Build 8", Panel1);
    ProductName->setFont(pixelFont(font(), 15, true));
    ProductName->setWordWrap(true);
    Version = plainLabel("Version", "Version 1.1 BETA", Panel1);
    Comments = plainLabel(
        "Comments",
        "Note that the ADIF format is  not owned by Corvantis, Inc.   The format has been released "
        "for non profit or commercial use by a consortium of amateurs who wish to create a common "
        "format with which to enable the convenient import/export of ham related data",
        Panel1);
    Comments->setWordWrap(true);
    Label5 = plainLabel("Label5",
                        "For more information about ADIF and the people who created it, go to "
                        "the web:",
                        Panel1);
    Label5->setWordWrap(true);
    Label6 = new QLabel(Panel1);
    Label6->setObjectName("Label6");
    Label6->setTextFormat(Qt::RichText);
    Label6->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(QString::fromLatin1(kAdifWebAddress)));
    Label6->setOpenExternalLinks(true);
    Label6->setTextInteractionFlags(Qt::TextBrowserInteraction);
    for (QLabel *label : {ProductName, Version, Comments, Label5})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *titles = new QVBoxLayout;
    titles->setSpacing(6);
    titles->addWidget(ProductName);
    titles->addWidget(Version);
    titles->addStretch();
    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(ProgramIcon, 0, Qt::AlignTop);
    top->addLayout(titles, 1);

    auto *panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(18, 18, 18, 18);
    panelLayout->setSpacing(10);
    panelLayout->addLayout(top);
    panelLayout->addSpacing(14);
    panelLayout->addWidget(Comments);
    panelLayout->addStretch();
    panelLayout->addWidget(Label5);
    panelLayout->addWidget(Label6);

    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setFont(pixelFont(font(), 10));
    OKButton->setDefault(true);
    OKButton->setAutoDefault(true);
    OKButton->setGeometry((kClientWidth - 75) / 2, Panel1->geometry().bottom() + 14, 75, 25);
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
}

void TAboutBox::OKButtonClick()
{
    try {
        accept();
    } catch (...) {
    }
}

void TAboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

}  // namespace vaziduvu
