#include "app/add_column_dialog.h"

#include "adif/field_catalogue.h"
#include "adif/text.h"
#include "app/qt_text.h"
#include "app/window_placement.h"
#include "document/column_template.h"
#include "platform/platform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vaziduvu {

namespace {

// The end-of-file marker is a catalogue name but never a column.
const char *const kNotAColumn = "APP_LoTW_EOF";

}  // namespace

TOKRightDlg::TOKRightDlg(Platform &platform, int latestYear, QWidget *parent)
    : QDialog(parent), platform_(platform), latestYear_(latestYear)
{
    setObjectName("OKRightDlg");
    setWindowTitle("Add a Column");

    RadioButton1 = new QRadioButton(this);
    RadioButton1->setObjectName("RadioButton1");
    RadioButton2 = new QRadioButton(this);
    RadioButton2->setObjectName("RadioButton2");
    Label1 = new QLabel("Standard Column Name", this);
    Label1->setObjectName("Label1");
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMaxVisibleItems(16);
    for (const std::string &name : catalogueNames()) {
        if (name != kNotAColumn)
            ComboBox1->addItem(toQt(name));
    }
    ComboBox1->setCurrentIndex(0);
    Label2 = new QLabel("User Column Name", this);
    Label2->setObjectName("Label2");
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Label3 = new QLabel("User Data Type", this);
    Label3->setObjectName("Label3");
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName("ComboBox2");
    for (const char *type : kUserDataTypeNames)
        ComboBox2->addItem(QString::fromLatin1(type));
    ComboBox2->setCurrentIndex(-1);
    Label4 = new QLabel("Initial Value", this);
    Label4->setObjectName("Label4");
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName("Edit2");

    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setObjectName("CancelBtn");

    auto *fields = new QGridLayout;
    fields->addWidget(RadioButton1, 0, 0);
    fields->addWidget(Label1, 0, 1);
    fields->addWidget(ComboBox1, 0, 2);
    fields->addWidget(RadioButton2, 1, 0);
    fields->addWidget(Label2, 1, 1);
    fields->addWidget(Edit1, 1, 2);
    fields->addWidget(Label3, 2, 1);
    fields->addWidget(ComboBox2, 2, 2);
    fields->addWidget(Label4, 3, 1);
    fields->addWidget(Edit2, 3, 2);
    fields->setColumnMinimumWidth(2, 180);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            RadioButton1Click();
    });
    connect(RadioButton2, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            RadioButton2Click();
    });
    connect(OKBtn, &QPushButton::clicked, this, [this] {
        OKBtnClick();
        accept();
    });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    RadioButton1->setChecked(true);
    RadioButton1Click();
}

void TOKRightDlg::RadioButton1Click()
{
    ComboBox1->setEnabled(true);
    Label1->setEnabled(true);
    Edit1->setEnabled(false);
    ComboBox2->setEnabled(false);
    Label2->setEnabled(false);
    Edit2->setEnabled(true);
}

void TOKRightDlg::RadioButton2Click()
{
    ComboBox1->setEnabled(false);
    Label1->setEnabled(false);
    Edit1->setEnabled(true);
    ComboBox2->setEnabled(true);
    Label2->setEnabled(true);
    Edit2->setEnabled(true);
}

void TOKRightDlg::OKBtnClick()
{
    notAccepted_ = true;
    try {
        ColumnRequest request;
        request.userDefined = RadioButton2->isChecked();
        if (request.userDefined) {
            request.name = upperText(fromQt(Edit1->text()));
            Edit1->setText(toQt(request.name));
            request.userType = ComboBox2->currentIndex();
        } else {
            request.name = upperText(fromQt(ComboBox1->currentText()));
            ComboBox1->setEditText(toQt(request.name));
        }
        request.initialValue = fromQt(Edit2->text());

        ColumnTemplate built = BuildColumnTemplate(request, latestYear_);
        template_ = std::move(built.record);
        if (!built.accepted()) {
            platform_.showPlainMessage(this, built.refusal);
            return;
        }
        notAccepted_ = false;
    } catch (...) {
        notAccepted_ = true;
    }
}

void TOKRightDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

}  // namespace vaziduvu
