// Find Duplicates with Delete Duplicates and Merge, and File > Append Log:
// the housekeeping of a logbook gathered from many sources. Each change is
// one step of the edit history.
#include "adif/adif_file.h"
#include "adif/text.h"
#include "app/document_commands.h"
#include "app/duplicates_panel.h"
#include "app/grid_delegate.h"
#include "app/main_window.h"
#include "app/merge_dialog.h"
#include "app/preferences.h"
#include "app/qt_text.h"
#include "document/duplicates.h"
#include "document/log_merge.h"
#include "document/open_log.h"
#include "export/file_system.h"
#include "platform/platform.h"

#include <QTableView>
#include <QUndoStack>

#include <algorithm>

namespace vaziduvu {

namespace {

constexpr int kPanelHeight = 190;  // pixels, at first

std::string contactLine(const LogDocument &document, const KeyColumns &columns, int row)
{
    auto cell = [&](int column) {
        return column > 0 ? trimText(document.text(column, row)) : std::string();
    };
    std::string line = "Row " + std::to_string(row) + ":  " + cell(columns.date) + " "
        + cell(columns.time) + "  " + cell(columns.call);
    for (const int column : {columns.band, columns.freq, columns.mode, columns.submode}) {
        if (!cell(column).empty())
            line += " " + cell(column);
    }
    return line + "  (" + std::to_string(filledCellCount(document, row)) + " cells filled)";
}

}  // namespace

int MainWindow::duplicateWindow() const
{
    if (duplicatesPanel_ != nullptr)
        return duplicatesPanel_->window();
    const std::optional<int> remembered
        = preferences_ ? preferences_->duplicateMinutes() : std::nullopt;
    return remembered.value_or(DuplicatesPanel::kDefaultWindow);
}

std::vector<int> MainWindow::duplicateRows()
{
    std::vector<int> rows;
    for (const DuplicateGroup &group :
         findDuplicateGroups(contactKeysOf(document_), duplicateWindow())) {
        for (const int member : group.members)
            rows.push_back(member + 1);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void MainWindow::findDuplicates()
{
    guarded("Could not look for duplicates.", [this] {
        gridDelegate_->commitOpenEditor();
        ensureDuplicatesPanel();
        duplicatesPanel_->show();
        duplicatesPanel_->raise();
        showDuplicateGroups();
        storePreferences();
    });
}

void MainWindow::ensureDuplicatesPanel()
{
    if (duplicatesPanel_ != nullptr)
        return;
    duplicatesPanel_ = new DuplicatesPanel(this);
    addDockWidget(Qt::BottomDockWidgetArea, duplicatesPanel_);
    resizeDocks({duplicatesPanel_}, {kPanelHeight}, Qt::Vertical);
    if (preferences_) {
        if (const std::optional<int> minutes = preferences_->duplicateMinutes())
            duplicatesPanel_->setWindow(*minutes);
    }
    connect(duplicatesPanel_, &DuplicatesPanel::refreshRequested, this,
            &MainWindow::showDuplicateGroups);
    connect(duplicatesPanel_, &DuplicatesPanel::windowChanged, this,
            &MainWindow::rememberPanelChoices);
    connect(duplicatesPanel_, &DuplicatesPanel::deleteRequested, this,
            &MainWindow::deleteDuplicates);
    connect(duplicatesPanel_, &DuplicatesPanel::mergeRequested, this,
            &MainWindow::mergeDuplicateGroup);
    connect(duplicatesPanel_, &DuplicatesPanel::rowChosen, this, [this](int row) {
        selectCell(std::max(1, currentColumn()), row);
        gridView_->setFocus();
    });
}

void MainWindow::showDuplicateGroups()
{
    if (duplicatesPanel_ == nullptr || duplicatesPanel_->isHidden())
        return;
    guarded("Could not look for duplicates.", [this] {
        if (!document_.documentOpen()) {
            duplicatesPanel_->showNoLog();
            return;
        }
        const std::vector<ContactKey> keys = contactKeysOf(document_);
        const KeyColumns columns = keyColumnsOf(document_);
        const TextEncoding encoding = document_.textEncoding();
        std::vector<DuplicatesPanel::Group> shown;
        for (const DuplicateGroup &group : findDuplicateGroups(keys, duplicateWindow())) {
            const ContactKey &key = keys[static_cast<size_t>(group.members.front())];
            DuplicatesPanel::Group line;
            line.title = toQt(key.call + " " + key.band + " " + key.mode + ": "
                                  + std::to_string(group.members.size()) + " contacts",
                              encoding);
            for (const int member : group.members)
                line.rows.emplace_back(member + 1,
                                       toQt(contactLine(document_, columns, member + 1), encoding));
            shown.push_back(std::move(line));
        }
        duplicatesPanel_->setGroups(shown, static_cast<int>(keys.size()));
    });
}

void MainWindow::deleteDuplicates()
{
    guarded("Could not delete the duplicates.", [this] {
        gridDelegate_->commitOpenEditor();
        if (!document_.documentOpen())
            return;
        std::vector<int> rows;
        const std::vector<DuplicateGroup> groups
            = findDuplicateGroups(contactKeysOf(document_), duplicateWindow());
        for (const DuplicateGroup &group : groups) {
            const int keeper = keeperOf(document_, group);
            for (const int member : group.members) {
                if (member != keeper)
                    rows.push_back(member + 1);
            }
        }
        if (rows.empty()) {
            showMessage("Information:", "There are no duplicates to delete.");
            return;
        }
        std::sort(rows.begin(), rows.end());
        const std::string count = std::to_string(rows.size());
        if (!platform_.confirm(
                this,
                "Delete " + count
                    + (rows.size() == 1 ? " duplicate contact" : " duplicate contacts") + " of "
                    + std::to_string(groups.size()) + (groups.size() == 1 ? " group" : " groups")
                    + "?\r\nEach group keeps the contact with the most filled cells (the "
                      "first of them on a tie).\r\nUndo (Ctrl+Z) brings them back."))
            return;
        pushStep(
            new RemoveRowsCommand(QStringLiteral("Delete Duplicates"), document_, rows,
                                  [this](int column, int row) { showChangedCell(column, row); }));
    });
}

void MainWindow::mergeDuplicateGroup(int group)
{
    guarded("Could not merge the duplicates.", [this, group] {
        gridDelegate_->commitOpenEditor();
        const std::vector<DuplicateGroup> groups
            = findDuplicateGroups(contactKeysOf(document_), duplicateWindow());
        if (group < 0 || static_cast<size_t>(group) >= groups.size())
            return;
        std::vector<int> rows;
        for (const int member : groups[static_cast<size_t>(group)].members)
            rows.push_back(member + 1);
        const TextEncoding encoding = document_.textEncoding();
        QStringList contacts;
        for (const int row : rows)
            contacts << QStringLiteral("Row %1").arg(row);
        std::vector<MergeDialog::Field> fields;
        std::vector<int> fieldColumns;
        for (int column = 1; column < document_.columnCount(); ++column) {
            std::vector<std::string_view> values;
            for (const int row : rows)
                values.push_back(document_.text(column, row));
            const std::string_view name = document_.text(column, 0);
            const int kept = keptValueIndex(name, values);
            if (kept < 0)
                continue;
            MergeDialog::Field field;
            field.name = toQt(name, encoding);
            for (const std::string_view value : values)
                field.values.push_back(toQt(value, encoding));
            field.chosen = kept;
            fields.push_back(std::move(field));
            fieldColumns.push_back(column);
        }
        MergeDialog dialog(contacts, fields, this);
        if (platform_.runModal(dialog) != QDialog::Accepted)
            return;

        const int keeper = rows.front();
        auto shown = [this](int column, int row) { showChangedCell(column, row); };
        auto *step = new StepGroupCommand(QStringLiteral("Merge Duplicates"));
        document_.openJournal();
        for (size_t i = 0; i < fieldColumns.size(); ++i) {
            const int chosen = dialog.chosen(static_cast<int>(i));
            if (chosen < 0)
                continue;
            const int column = fieldColumns[i];
            const int from = rows[static_cast<size_t>(chosen)];
            const std::string value(document_.text(column, from));
            if (document_.text(column, keeper) == value)
                continue;
            // The kept cell takes the record of the value (its type, its
            // field): the contact that held it goes.
            if (const CellRecord record = document_.cellInfo(column, from);
                record && from != keeper)
                document_.setCellInfo(column, keeper, *record);
            document_.setText(column, keeper, value);
        }
        new GridChangeCommand(QStringLiteral("Merge Duplicates"), document_,
                              GridChange::fromJournal(document_), shown, -1, -1, step);
        new RemoveRowsCommand(QStringLiteral("Merge Duplicates"), document_,
                              std::vector<int>(rows.begin() + 1, rows.end()), shown, step);
        pushStep(step);
        selectCell(std::max(1, currentColumn()), keeper);
    });
}

void MainWindow::appendLog()
{
    guarded("Could not append the log.", [this] {
        gridDelegate_->commitOpenEditor();
        if (!document_.documentOpen()) {
            showMessage("Problem:", "You must open a file first!");
            return;
        }
        FileDialogOptions options;
        options.defaultExtension = "adi";
        options.filter = "ADIF logs|*.adi;*.adif;*.badi|All files|*";
        options.mustExist = true;
        options.initialDirectory = dialogFolder();
        const std::optional<std::string> path = platform_.chooseOpenFile(this, options);
        if (!path || path->empty())
            return;
        lastFolder_ = folderOf(*path);
        OpenedLog other;
        {
            const LongOperation busy(*this);
            other = vaziduvu::openLog(*path, adifMode_);
        }
        if (!other) {
            appendLoadReport("\r\n\r\nAppend Log: " + *path + "\r\n");
            appendLoadReport(other.status == OpenStatus::Unreadable ? std::string(kTooBigReport)
                                                                    : other.refusalReport());
            showMessage("Problem:", "The log could not be appended: nothing was changed.");
            return;
        }
        const LogDocument &from = *other.document;
        const int firstNew = document_.rowCount();
        int newColumns = 0;
        int appended = 0;
        int fieldsLeftOut = 0;
        document_.openJournal();
        std::vector<int> target(static_cast<size_t>(from.columnCount()), 0);
        for (int column = 1; column < from.columnCount(); ++column) {
            const std::string name = upperText(trimText(from.text(column, 0)));
            int found = name.empty() ? 0 : columnNamed(document_, name);
            if (found == 0 && !name.empty()) {
                TagRecord model = from.blankRecordFor(column).value_or(TagRecord{});
                model.name = name;
                model.value.clear();
                model.comment.clear();
                if (model.rawTag.empty())
                    model.rawTag = "<" + name + ":0>";
                found = std::max(0, document_.appendColumn(model));
                newColumns += found > 0 ? 1 : 0;
            }
            fieldsLeftOut += found == 0 ? 1 : 0;
            target[static_cast<size_t>(column)] = found;
        }
        for (int row = 1; row < from.rowCount(); ++row) {
            const int added = document_.appendBlankRow();
            if (added < 0)
                break;
            ++appended;
            for (int column = 1; column < from.columnCount(); ++column) {
                const int to = target[static_cast<size_t>(column)];
                if (to == 0 || from.text(column, row).empty())
                    continue;
                // The cell keeps the record it was read with; its place in
                // the other file means nothing here.
                if (const CellRecord record = from.cellInfo(column, row)) {
                    TagRecord kept = *record;
                    kept.valueOffset = -1;
                    kept.errorPosition = 0;
                    kept.errorLength = 0;
                    document_.setCellInfo(to, added, std::move(kept));
                }
                document_.setText(to, added, std::string(from.text(column, row)));
            }
        }
        pushChange(QStringLiteral("Append Log"), GridChange::fromJournal(document_));
        refreshGrid();
        fitColumnWidths();
        const int contacts = from.rowCount() - 1;
        std::string report = "\r\n\r\nAppend Log: " + *path + "\r\n" + loadStatistics(*other.file)
            + "Contacts appended:      " + std::to_string(appended)
            + "\r\nNew columns:            " + std::to_string(newColumns) + "\r\n";
        if (appended < contacts)
            report += std::to_string(contacts - appended)
                + " contacts were not appended: the grid holds no more rows.\r\n";
        if (fieldsLeftOut > 0)
            report += std::to_string(fieldsLeftOut)
                + " fields were left out: the grid holds no more columns.\r\n";
        appendLoadReport(report);
        if (appended > 0)
            selectCell(1, firstNew);
        if (appended > 0
            && platform_.confirm(this,
                                 std::to_string(appended)
                                     + " contacts were appended (one step: Undo takes "
                                       "them back).\r\nLook for duplicates now?"))
            findDuplicates();
    });
}

}  // namespace vaziduvu
