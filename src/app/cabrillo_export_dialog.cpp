#include "app/cabrillo_export_dialog.h"

#include "adif/text.h"
#include "app/qt_text.h"
#include "formats/cabrillo_template.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vaziduvu {

CabrilloExportDialog::CabrilloExportDialog(bool askTemplate, bool askStationCall, QWidget *parent)
    : QDialog(parent)
{
    setObjectName("cabrilloExportDialog");
    setWindowTitle("Export Cabrillo");
    auto *form = new QFormLayout;
    if (askTemplate) {
        templateChoice_ = new QComboBox(this);
        templateChoice_->setObjectName("templateChoice");
        for (const std::string &name : cabrilloTemplateNames())
            templateChoice_->addItem(toQt(name));
        templateChoice_->setCurrentText(toQt(genericCabrilloTemplate().name));
        form->addRow("Contest &template:", templateChoice_);
    }
    if (askStationCall) {
        stationCallEdit_ = new QLineEdit(this);
        stationCallEdit_->setObjectName("stationCallEdit");
        stationCallEdit_->setMaxLength(20);
        form->addRow("Station &call sign:", stationCallEdit_);
    }
    const QString missing = askTemplate && askStationCall
        ? QStringLiteral("No contact names its contest (CONTEST_ID) or the station's call sign "
                         "(STATION_CALLSIGN).")
        : askTemplate ? QStringLiteral("No contact names its contest (CONTEST_ID).")
                      : QStringLiteral("No contact names the station's call sign "
                                       "(STATION_CALLSIGN).");
    auto *note
        = new QLabel(missing + QStringLiteral(" Your answer is used for this export only."), this);
    note->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &CabrilloExportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(form);
    layout->addWidget(buttons);
    if (stationCallEdit_ != nullptr)
        stationCallEdit_->setFocus();
}

std::string CabrilloExportDialog::templateName() const
{
    return templateChoice_ != nullptr ? fromQt(templateChoice_->currentText()) : std::string();
}

std::string CabrilloExportDialog::stationCall() const
{
    return stationCallEdit_ != nullptr ? upperText(trimText(fromQt(stationCallEdit_->text())))
                                       : std::string();
}

void CabrilloExportDialog::accept()
{
    if (stationCallEdit_ != nullptr && stationCall().empty()) {
        stationCallEdit_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace vaziduvu
