#pragma once

#include <QDialog>

#include <vector>

class QTableWidget;
class QTableWidgetItem;

namespace vaziduvu {

// Merge: the contacts of a duplicate group side by side, one row per
// field, one column per contact. Where their values differ the user
// picks one (a check mark, one per row); the value a merge would keep is
// picked at first. Rows where the contacts agree are shown, not offered.
class MergeDialog : public QDialog {
    Q_OBJECT
public:
    struct Field {
        QString name;
        std::vector<QString> values;  // one per contact, in group order
        int chosen = -1;              // the contact whose value is kept; -1: none
    };

    // contacts: the headings of the contact columns ("Record 12").
    MergeDialog(const QStringList &contacts, std::vector<Field> fields, QWidget *parent = nullptr);

    // The contact whose value of field i is kept (-1: the field stays empty).
    int chosen(int field) const;
    // Picks the value of contact `contact` for field i, as a click does.
    void choose(int field, int contact);

private:
    void itemChanged(QTableWidgetItem *item);

    QTableWidget *table_ = nullptr;
    std::vector<Field> fields_;
    bool updating_ = false;
};

}  // namespace vaziduvu
