#pragma once

// Scripted answers for the window's own dialogs: what a user types and
// clicks in the add-column dialog and the column selector.
#include "app/add_column_dialog.h"
#include "app/column_selector_dialog.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <string>
#include <vector>

namespace vaziduvu::test {

// What the user types into the add-column dialog.
struct ColumnEntry {
    bool user = false;
    std::string name;
    int type = -1;  // index in the user data-type list
    std::string value;
    bool ok = true;
};

inline ScriptedPlatform::ModalHandler fillAddColumn(ColumnEntry entry)
{
    return [entry](QDialog &dialog) {
        auto &form = dynamic_cast<AddColumnDialog &>(dialog);
        if (entry.user) {
            child<QRadioButton>(form, "userChoice")->click();
            child<QLineEdit>(form, "userNameEdit")
                ->setText(QString::fromLatin1(entry.name.c_str()));
            child<QComboBox>(form, "userTypeBox")->setCurrentIndex(entry.type);
        } else {
            child<QComboBox>(form, "catalogueNameBox")
                ->setEditText(QString::fromLatin1(entry.name.c_str()));
        }
        child<QLineEdit>(form, "initialValueEdit")
            ->setText(QString::fromLatin1(entry.value.c_str()));
        (entry.ok ? child<QPushButton>(form, "okButton") : child<QPushButton>(form, "cancelButton"))
            ->click();
        return form.result();
    };
}

// Picks the entry (-1: none) in the column selector and presses OK or Cancel.
inline ScriptedPlatform::ModalHandler pickColumn(int index, bool ok = true,
                                                 std::vector<std::string> *shown = nullptr)
{
    return [=](QDialog &dialog) {
        auto &selector = dynamic_cast<ColumnSelectorDialog &>(dialog);
        if (shown) {
            for (int i = 0; i < child<QListWidget>(selector, "columnList")->count(); ++i)
                shown->push_back(
                    child<QListWidget>(selector, "columnList")->item(i)->text().toStdString());
        }
        if (index >= 0)
            child<QListWidget>(selector, "columnList")->item(index)->setSelected(true);
        (ok ? child<QPushButton>(selector, "okButton")
            : child<QPushButton>(selector, "cancelButton"))
            ->click();
        return selector.result();
    };
}

}  // namespace vaziduvu::test
