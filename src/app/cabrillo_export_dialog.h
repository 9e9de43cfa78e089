#pragma once

#include <QDialog>

#include <string>

class QComboBox;
class QLineEdit;

namespace vaziduvu {

// What a Cabrillo export asks when the log does not say: the contest
// template (when no contact names a CONTEST_ID) and the station's call sign
// (when no contact has a STATION_CALLSIGN). Only the questions needed are
// shown; OK is refused while a shown call sign is empty.
class CabrilloExportDialog : public QDialog {
    Q_OBJECT
public:
    CabrilloExportDialog(bool askTemplate, bool askStationCall, QWidget *parent = nullptr);

    // The chosen template (empty when not asked).
    std::string templateName() const;
    // The call sign entered, trimmed and upper case (empty when not asked).
    std::string stationCall() const;

    void accept() override;

private:
    QComboBox *templateChoice_ = nullptr;
    QLineEdit *stationCallEdit_ = nullptr;
};

}  // namespace vaziduvu
