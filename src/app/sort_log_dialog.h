#pragma once

#include "document/row_order.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;

namespace vaziduvu {

// Edit > Sort Log: up to three columns to order the contacts by, the first
// deciding, each ascending or descending. Offers QSO_DATE then TIME_ON
// when the log has them.
class SortLogDialog : public QDialog {
    Q_OBJECT
public:
    // headings: the grid's column headings, column 1 first.
    explicit SortLogDialog(const QStringList &headings, QWidget *parent = nullptr);

    // The keys chosen (grid columns), in order; empty when none was.
    std::vector<SortKey> keys() const;

    static constexpr int kKeyCount = 3;

private:
    QComboBox *columns_[kKeyCount] = {};
    QCheckBox *descending_[kKeyCount] = {};
};

}  // namespace vaziduvu
