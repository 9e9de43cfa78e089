#pragma once

#include "adif/adif_mode.h"
#include "formats/cabrillo_format.h"

#include <QDialog>

#include <string>

class QComboBox;
class QLabel;
class QTableWidget;

namespace vaziduvu {

// The step before a Cabrillo log is imported: what the file says of itself
// (version, contest, call sign, how many QSO: lines), the template whose
// exchange columns will be used (the contest's, or the generic one; the
// user may pick another), and the first QSO: lines mapped to ADIF fields by
// that template, a line that cannot be read showing why. Accepted, the
// caller imports with templateName().
class CabrilloPreviewDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPreviewLines = 12;

    CabrilloPreviewDialog(const CabrilloSummary &summary, const std::string &fileName,
                          AdifMode mode, QWidget *parent = nullptr);

    std::string templateName() const;

private:
    void showMapping();

    CabrilloSummary summary_;
    AdifMode mode_;
    QComboBox *templateChoice_ = nullptr;
    QLabel *templateColumns_ = nullptr;
    QTableWidget *previewTable_ = nullptr;
};

}  // namespace vaziduvu
