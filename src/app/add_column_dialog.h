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
class TOKRightDlg : public QDialog {
    Q_OBJECT
public:
    // Dates in the initial value may run up to latestYear.
    TOKRightDlg(Platform &platform, int latestYear, QWidget *parent = nullptr);

    QRadioButton *RadioButton1 = nullptr;  // catalogue column
    QRadioButton *RadioButton2 = nullptr;  // user-defined column
    QLabel *Label1 = nullptr;
    QComboBox *ComboBox1 = nullptr;  // catalogue name, editable
    QLabel *Label2 = nullptr;
    QLineEdit *Edit1 = nullptr;      // user name
    QLabel *Label3 = nullptr;
    QComboBox *ComboBox2 = nullptr;  // user data type
    QLabel *Label4 = nullptr;
    QLineEdit *Edit2 = nullptr;      // initial value
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

    void RadioButton1Click();
    void RadioButton2Click();
    void OKBtnClick();

    // True from creation until OK is pressed with every check passing.
    bool notAccepted() const { return notAccepted_; }
    const TagRecord &templateRecord() const { return template_; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    Platform &platform_;
    int latestYear_;
    bool notAccepted_ = true;
    TagRecord template_;
};

}  // namespace vaziduvu
