#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace vaziduvu {

// The about box: program name, version and a word on the ADIF format, on a
// bevelled panel. The main window creates it once and shows it modally on
// each request; OK and the close box only hide it.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 470;
    static constexpr int kClientHeight = 397;
    static const char *const kAdifWebAddress;

    explicit AboutBox(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QFrame *panel_ = nullptr;
    QLabel *programIcon_ = nullptr;
    QLabel *productName_ = nullptr;
    QLabel *version_ = nullptr;
    QLabel *comments_ = nullptr;
    QLabel *adifNote_ = nullptr;
    QLabel *adifLink_ = nullptr;
    QPushButton *okButton_ = nullptr;
};

}  // namespace vaziduvu
