#include "app/search_dialog.h"

#include "adif/text.h"
#include "app/qt_text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vaziduvu {

TOKRightDlg2::TOKRightDlg2(const QRect &mainWindow, QWidget *parent)
    : QDialog(parent), recorded_(mainWindow)
{
    setObjectName("OKRightDlg2");
    setWindowTitle("Search");
    setModal(false);

    Shape1 = new QFrame(this);
    Shape1->setObjectName("Shape1");
    Shape1->setFrameShape(QFrame::StyledPanel);
    Shape1->setFrameShadow(QFrame::Sunken);
    Label1 = new QLabel("&Search For", Shape1);
    Label1->setObjectName("Label1");
    Edit1 = new QLineEdit(Shape1);
    Edit1->setObjectName("Edit1");
    Edit1->setMinimumWidth(200);
    Label1->setBuddy(Edit1);
    CheckBox1 = new QCheckBox("Match Case", Shape1);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setChecked(false);
    OKBtn = new QPushButton("Find First", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    Button1 = new QPushButton("Find &Next", this);
    Button1->setObjectName("Button1");

    auto *panel = new QVBoxLayout(Shape1);
    panel->addWidget(Label1);
    panel->addWidget(Edit1);
    panel->addWidget(CheckBox1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(OKBtn);
    buttons->addWidget(Button1);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(Shape1, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Enter in the text box is Find First; the box takes the key so the
    // default button does not run a second search.
    Edit1->installEventFilter(this);
    connect(OKBtn, &QPushButton::clicked, this, &TOKRightDlg2::OKBtnClick);
    connect(Button1, &QPushButton::clicked, this, &TOKRightDlg2::Button1Click);
}

void TOKRightDlg2::OKBtnClick()
{
    try {
        if (!trimText(fromQt(Edit1->text())).empty())
            DoTheCallback(0);
    } catch (...) {
    }
}

void TOKRightDlg2::Button1Click()
{
    try {
        if (!trimText(fromQt(Edit1->text())).empty())
            DoTheCallback(1);
    } catch (...) {
    }
}

void TOKRightDlg2::Edit1KeyPress(int key)
{
    if (key == 13)
        OKBtnClick();
}

void TOKRightDlg2::FormActivate()
{
    try {
        move(recorded_.left() + recorded_.width() / 3, recorded_.top() + recorded_.height() / 2);
        Edit1->setFocus();
    } catch (...) {
    }
}

void TOKRightDlg2::FormClose() { DoTheCallback(0); }

void TOKRightDlg2::DoTheCallback(int findNext)
{
    try {
        if (callback_)
            callback_(trimText(fromQt(Edit1->text())), findNext, CheckBox1->isChecked() ? 1 : 0);
    } catch (...) {
    }
}

void TOKRightDlg2::reject() { close(); }

bool TOKRightDlg2::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return handled;
}

void TOKRightDlg2::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

bool TOKRightDlg2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Edit1KeyPress(13);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vaziduvu
