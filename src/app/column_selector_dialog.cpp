#include "app/column_selector_dialog.h"

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

TOKRightDlg1::TOKRightDlg1(Platform &platform, QWidget *parent)
    : QDialog(parent), platform_(platform)
{
    setObjectName("OKRightDlg1");
    setWindowTitle("Select Column to Clear");

    Label1 = new QLabel("Select column to clear", this);
    Label1->setObjectName("Label1");
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    Label1->setBuddy(ListBox1);
    Label2 = new QLabel("Note: If you clear a column when the 'Omit Empty Field Tags' option is "
                        "checked, the column will not be included in the file that you save.",
                        this);
    Label2->setObjectName("Label2");
    Label2->setWordWrap(true);
    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setObjectName("CancelBtn");

    auto *left = new QVBoxLayout;
    left->addWidget(Label1);
    left->addWidget(ListBox1);
    left->addWidget(Label2);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    setFixedSize(320, 300);

    connect(OKBtn, &QPushButton::clicked, this, [this] {
        OKBtnClick();
        accept();
    });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TOKRightDlg1::FillColumnList(const std::vector<std::string> &texts)
{
    try {
        for (const std::string &text : texts)
            ListBox1->addItem(toQt(text));
    } catch (...) {
        platform_.showPlainMessage(this, "Could not set select list for columns");
    }
}

void TOKRightDlg1::OKBtnClick()
{
    try {
        // The entry the user picked, not merely the one the focus rests on.
        const QList<QListWidgetItem *> selected = ListBox1->selectedItems();
        chosenIndex_ = selected.isEmpty() ? -1 : ListBox1->row(selected.front());
    } catch (...) {
        platform_.showPlainMessage(this, "Problem in Column Selector");
    }
}

void TOKRightDlg1::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

}  // namespace vaziduvu
