#pragma once

#include "adif/tag_record.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vaziduvu {

class Platform;

// "Add a Column": a catalogue column or a user-defined one with a data
// type, and an initial value for every row. OK always closes the dialog; the
// caller reads notAccepted() to learn whether a template was built and
// every check passed. A refused check has already told the user why.
class AddColumnDialog : public QDialog {
    Q_OBJECT
public:
    // Dates in the initial value may run up to latestYear.
    AddColumnDialog(Platform &platform, int latestYear, QWidget *parent = nullptr);

    // True from creation until OK is pressed with every check passing.
    bool notAccepted() const { return notAccepted_; }
    const TagRecord &templateRecord() const { return template_; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void chooseCatalogueColumn();
    void chooseUserColumn();
    // Checks the entries and builds the column's template record.
    void buildTemplate();

    QRadioButton *catalogueChoice_ = nullptr;
    QRadioButton *userChoice_ = nullptr;
    QComboBox *catalogueNameBox_ = nullptr;  // editable
    QLineEdit *userNameEdit_ = nullptr;
    QLabel *userTypeLabel_ = nullptr;
    QComboBox *userTypeBox_ = nullptr;
    QLabel *initialValueLabel_ = nullptr;
    QLineEdit *initialValueEdit_ = nullptr;
    QPushButton *okButton_ = nullptr;
    QPushButton *cancelButton_ = nullptr;
    Platform &platform_;
    int latestYear_;
    bool notAccepted_ = true;
    TagRecord template_;
};

}  // namespace vaziduvu
