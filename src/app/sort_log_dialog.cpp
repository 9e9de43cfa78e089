#include "app/sort_log_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vaziduvu {

SortLogDialog::SortLogDialog(const QStringList &headings, QWidget *parent)
    : QDialog(parent)
{
    setObjectName("sortLogDialog");
    setWindowTitle(QStringLiteral("Sort Log"));
    auto *layout = new QVBoxLayout(this);
    auto *note = new QLabel(QStringLiteral("Reorders the contacts themselves, as a save writes "
                                           "them. Undo (Ctrl+Z) puts them back."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto *grid = new QGridLayout;
    const char *labels[kKeyCount] = {"Sort &by", "&then by", "then b&y"};
    const QString preset[kKeyCount] = {QStringLiteral("QSO_DATE"), QStringLiteral("TIME_ON"), {}};
    for (int i = 0; i < kKeyCount; ++i) {
        auto *label = new QLabel(QString::fromLatin1(labels[i]), this);
        columns_[i] = new QComboBox(this);
        columns_[i]->setObjectName(QStringLiteral("sortColumn%1").arg(i + 1));
        columns_[i]->addItem(
            i == 0 ? QStringLiteral("(choose a column)") : QStringLiteral("(none)"), 0);
        for (int c = 0; c < headings.size(); ++c)
            columns_[i]->addItem(headings[c], c + 1);
        const int found = preset[i].isEmpty() ? -1 : columns_[i]->findText(preset[i]);
        columns_[i]->setCurrentIndex(std::max(0, found));
        columns_[i]->setMinimumWidth(180);
        label->setBuddy(columns_[i]);
        descending_[i] = new QCheckBox(QStringLiteral("descending"), this);
        descending_[i]->setObjectName(QStringLiteral("sortDescending%1").arg(i + 1));
        grid->addWidget(label, i, 0);
        grid->addWidget(columns_[i], i, 1);
        grid->addWidget(descending_[i], i, 2);
    }
    layout->addLayout(grid);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Sort"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

std::vector<SortKey> SortLogDialog::keys() const
{
    std::vector<SortKey> chosen;
    for (int i = 0; i < kKeyCount; ++i) {
        const int column = columns_[i]->currentData().toInt();
        if (column > 0)
            chosen.push_back({column, descending_[i]->isChecked()});
    }
    return chosen;
}

}  // namespace vaziduvu
