#include "app/column_selector_dialog.h"
#include "app/failure_text.h"

#include "app/qt_text.h"
#include "app/window_placement.h"
#include "platform/platform.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vaziduvu {

ColumnSelectorDialog::ColumnSelectorDialog(Platform &platform, QWidget *parent)
    : QDialog(parent)
    , platform_(platform)
{
    setObjectName("columnSelectorDialog");
    setWindowTitle("Select Column to Clear");

    promptLabel_ = new QLabel("Select column to clear", this);
    promptLabel_->setObjectName("promptLabel");
    columnList_ = new QListWidget(this);
    columnList_->setObjectName("columnList");
    columnList_->setSelectionMode(QAbstractItemView::SingleSelection);
    promptLabel_->setBuddy(columnList_);
    noteLabel_
        = new QLabel("Note: If you clear a column when the 'Omit Empty Field Tags' option is "
                     "checked, the column will not be included in the file that you save.",
                     this);
    noteLabel_->setObjectName("noteLabel");
    noteLabel_->setWordWrap(true);
    okButton_ = new QPushButton("OK", this);
    okButton_->setObjectName("okButton");
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton("Cancel", this);
    cancelButton_->setObjectName("cancelButton");

    auto *left = new QVBoxLayout;
    left->addWidget(promptLabel_);
    left->addWidget(columnList_);
    left->addWidget(noteLabel_);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    setFixedSize(320, 300);

    connect(okButton_, &QPushButton::clicked, this, [this] {
        takeSelection();
        accept();
    });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    // A double click chooses the column, as OK does with it selected.
    connect(columnList_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        item->setSelected(true);
        takeSelection();
        accept();
    });
}

void ColumnSelectorDialog::fillColumnList(const std::vector<std::string> &texts)
{
    try {
        for (const std::string &text : texts)
            columnList_->addItem(toQt(text));
    } catch (...) {  // the boundary of filling the dialog
        platform_.showPlainMessage(this, failureText("Could not set select list for columns"));
    }
}

void ColumnSelectorDialog::takeSelection()
{
    // The entry the user picked, not merely the one the focus rests on.
    const QList<QListWidgetItem *> selected = columnList_->selectedItems();
    chosenIndex_ = selected.isEmpty() ? -1 : columnList_->row(selected.front());
}

void ColumnSelectorDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

}  // namespace vaziduvu
