#include "app/add_column_dialog.h"
#include "app/failure_text.h"

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

AddColumnDialog::AddColumnDialog(Platform &platform, int latestYear, QWidget *parent)
    : QDialog(parent)
    , platform_(platform)
    , latestYear_(latestYear)
{
    setObjectName("addColumnDialog");
    setWindowTitle("Add a Column");

    // The two choices carry their names, so each reads as a choice that can
    // always be made, and a click on the name chooses it.
    catalogueChoice_ = new QRadioButton("Standard Column Name", this);
    catalogueChoice_->setObjectName("catalogueChoice");
    userChoice_ = new QRadioButton("User Column Name", this);
    userChoice_->setObjectName("userChoice");
    catalogueNameBox_ = new QComboBox(this);
    catalogueNameBox_->setObjectName("catalogueNameBox");
    catalogueNameBox_->setEditable(true);
    catalogueNameBox_->setInsertPolicy(QComboBox::NoInsert);
    catalogueNameBox_->setMaxVisibleItems(16);
    for (const std::string &name : catalogueNames()) {
        if (name != kNotAColumn)
            catalogueNameBox_->addItem(toQt(name));
    }
    catalogueNameBox_->setCurrentIndex(0);
    userNameEdit_ = new QLineEdit(this);
    userNameEdit_->setObjectName("userNameEdit");
    userTypeLabel_ = new QLabel("User Data Type", this);
    userTypeLabel_->setObjectName("userTypeLabel");
    userTypeBox_ = new QComboBox(this);
    userTypeBox_->setObjectName("userTypeBox");
    for (const char *type : kUserDataTypeNames)
        userTypeBox_->addItem(QString::fromLatin1(type));
    userTypeBox_->setCurrentIndex(-1);
    initialValueLabel_ = new QLabel("Initial Value", this);
    initialValueLabel_->setObjectName("initialValueLabel");
    initialValueEdit_ = new QLineEdit(this);
    initialValueEdit_->setObjectName("initialValueEdit");

    okButton_ = new QPushButton("OK", this);
    okButton_->setObjectName("okButton");
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton("Cancel", this);
    cancelButton_->setObjectName("cancelButton");

    auto *fields = new QGridLayout;
    fields->addWidget(catalogueChoice_, 0, 0, 1, 2);
    fields->addWidget(catalogueNameBox_, 0, 2);
    fields->addWidget(userChoice_, 1, 0, 1, 2);
    fields->addWidget(userNameEdit_, 1, 2);
    fields->addWidget(userTypeLabel_, 2, 1);
    fields->addWidget(userTypeBox_, 2, 2);
    fields->addWidget(initialValueLabel_, 3, 1);
    fields->addWidget(initialValueEdit_, 3, 2);
    fields->setColumnMinimumWidth(2, 180);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(catalogueChoice_, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            chooseCatalogueColumn();
    });
    connect(userChoice_, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            chooseUserColumn();
    });
    connect(okButton_, &QPushButton::clicked, this, [this] {
        buildTemplate();
        accept();
    });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    catalogueChoice_->setChecked(true);
    chooseCatalogueColumn();
}

void AddColumnDialog::chooseCatalogueColumn()
{
    catalogueNameBox_->setEnabled(true);
    userNameEdit_->setEnabled(false);
    userTypeBox_->setEnabled(false);
    userTypeLabel_->setEnabled(false);
    initialValueEdit_->setEnabled(true);
}

void AddColumnDialog::chooseUserColumn()
{
    catalogueNameBox_->setEnabled(false);
    userNameEdit_->setEnabled(true);
    userTypeBox_->setEnabled(true);
    userTypeLabel_->setEnabled(true);
    initialValueEdit_->setEnabled(true);
}

void AddColumnDialog::buildTemplate()
{
    notAccepted_ = true;
    try {
        ColumnRequest request;
        request.userDefined = userChoice_->isChecked();
        if (request.userDefined) {
            request.name = upperText(fromQt(userNameEdit_->text()));
            userNameEdit_->setText(toQt(request.name));
            request.userType = userTypeBox_->currentIndex();
        } else {
            request.name = upperText(fromQt(catalogueNameBox_->currentText()));
            catalogueNameBox_->setEditText(toQt(request.name));
        }
        request.initialValue = fromQt(initialValueEdit_->text(), platform_.textEncoding());

        ColumnTemplate built = buildColumnTemplate(request, latestYear_);
        template_ = std::move(built.record);
        if (!built.accepted()) {
            platform_.showPlainMessage(this, built.refusal);
            return;
        }
        notAccepted_ = false;
    } catch (...) {  // the boundary of the dialog's OK command
        notAccepted_ = true;
        platform_.showPlainMessage(this,
                                   failureText("Could not build the column from these entries."));
    }
}

void AddColumnDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

}  // namespace vaziduvu
