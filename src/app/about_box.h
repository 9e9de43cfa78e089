#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace vaziduvu {

// The about box: program name, version and a word on the ADIF format, on a
// bevelled panel. The main window creates it once and shows it modally on
// each request; OK and the close box only hide it.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 470;
    static constexpr int kClientHeight = 397;
    static const char *const kAdifWebAddress;

    explicit TAboutBox(QWidget *parent = nullptr);

    void OKButtonClick();

    // Components, named as in the window design.
    QFrame *Panel1 = nullptr;
    QLabel *ProgramIcon = nullptr;
    QLabel *ProductName = nullptr;
    QLabel *Version = nullptr;
    QLabel *Comments = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QPushButton *OKButton = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
};

}  // namespace vaziduvu
