#include "platform/scripted_platform.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace vaziduvu {
namespace {

using Kind = ScriptedPlatform::EventKind;

TEST(ScriptedPlatform, EmptyQueuesGiveTheCautiousAnswers)
{
    ScriptedPlatform platform;
    EXPECT_FALSE(platform.confirm(nullptr, "Save your data now?"));
    EXPECT_EQ(platform.chooseOpenFile(nullptr, {}), std::nullopt);
    EXPECT_EQ(platform.chooseSaveFile(nullptr, {}), std::nullopt);
    EXPECT_EQ(platform.chooseFont(nullptr, QFont(), 8, 20), std::nullopt);
    EXPECT_EQ(platform.inputBox(nullptr, "Caption", "Prompt", "default"), "default");
    QDialog dialog;
    EXPECT_EQ(platform.runModal(dialog), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(platform.showHelp(nullptr, "VAZIDUVU.HLP", 100));
}

TEST(ScriptedPlatform, AnswersEachKindFromItsOwnQueueInOrder)
{
    ScriptedPlatform platform;
    platform.queueConfirm(true);
    platform.queueConfirm(false);
    platform.queueFileName(std::string("/logs/A.ADI"));
    platform.queueFileName(std::nullopt);
    platform.queueFileName(std::string("/logs/B.XML"));
    platform.queueInput(std::string("typed"));
    platform.queueInput(std::nullopt);
    QFont chosen;
    chosen.setPointSize(14);
    platform.queueFont(chosen);
    platform.queueHelpResult(false);

    EXPECT_TRUE(platform.confirm(nullptr, "one"));
    EXPECT_EQ(platform.chooseOpenFile(nullptr, {}), std::optional<std::string>("/logs/A.ADI"));
    EXPECT_FALSE(platform.confirm(nullptr, "two"));
    EXPECT_FALSE(platform.confirm(nullptr, "three"));  // queue used up: No
    EXPECT_EQ(platform.chooseSaveFile(nullptr, {}), std::nullopt);
    EXPECT_EQ(platform.chooseSaveFile(nullptr, {}), std::optional<std::string>("/logs/B.XML"));
    EXPECT_EQ(platform.inputBox(nullptr, "C", "P", "d"), "typed");
    EXPECT_EQ(platform.inputBox(nullptr, "C", "P", "d"), "d");  // Cancel
    EXPECT_EQ(platform.inputBox(nullptr, "C", "P", "d2"), "d2");
    const auto font = platform.chooseFont(nullptr, QFont(), 8, 20);
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->pointSize(), 14);
    EXPECT_FALSE(platform.showHelp(nullptr, "VAZIDUVU.HLP", 100));
    EXPECT_TRUE(platform.showHelp(nullptr, "VAZIDUVU.HLP", 100));
}

TEST(ScriptedPlatform, RecordsEveryInteractionInOrder)
{
    ScriptedPlatform platform;
    FileDialogOptions options;
    options.defaultExtension = "adi";
    options.filter = "'.ADI' files (*.adi)|*.ADI";
    options.initialDirectory = "/logs";
    options.mustExist = true;

    platform.showMessageBox(nullptr, "Problem:", "Could not display help");
    platform.showPlainMessage(nullptr, "Invalid field name");
    platform.confirm(nullptr, "Save?");
    platform.chooseOpenFile(nullptr, options);
    QFont initial(QStringLiteral("Courier"));
    platform.chooseFont(nullptr, initial, 8, 20);
    platform.inputBox(nullptr, "Comment", "Text:", "old");
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("AddColumnDialog"));
    dialog.setWindowTitle(QStringLiteral("Add Column"));
    platform.runModal(dialog);
    platform.showHelp(nullptr, "VAZIDUVU.HLP", 100);
    platform.showMessageBox(nullptr, "Information:", "Done");

    const auto &events = platform.events();
    ASSERT_EQ(events.size(), 9u);
    const std::vector<Kind> kinds
        = {Kind::MessageBox, Kind::PlainMessage, Kind::Confirm, Kind::OpenDialog, Kind::FontDialog,
           Kind::InputBox,   Kind::Modal,        Kind::Help,    Kind::MessageBox};
    for (size_t i = 0; i < kinds.size(); ++i)
        EXPECT_EQ(events[i].kind, kinds[i]) << "event " << i;

    EXPECT_EQ(events[1].text, "Invalid field name");
    EXPECT_EQ(events[2].text, "Save?");
    EXPECT_EQ(events[3].fileOptions.defaultExtension, "adi");
    EXPECT_EQ(events[3].fileOptions.filter, options.filter);
    EXPECT_EQ(events[3].fileOptions.initialDirectory, "/logs");
    EXPECT_TRUE(events[3].fileOptions.mustExist);
    EXPECT_EQ(events[4].header, "Courier");
    EXPECT_EQ(events[4].text, "8-20");
    EXPECT_EQ(events[5].header, "Comment");
    EXPECT_EQ(events[5].text, "Text:");
    EXPECT_EQ(events[5].defaultText, "old");
    EXPECT_EQ(events[6].objectName, "AddColumnDialog");
    EXPECT_EQ(events[6].windowTitle, "Add Column");
    EXPECT_EQ(events[7].header, "VAZIDUVU.HLP");
    EXPECT_EQ(events[7].text, "100");

    EXPECT_EQ(platform.messages(),
              (std::vector<std::string>{"Problem:|Could not display help", "Information:|Done"}));
    EXPECT_EQ(platform.plainMessages(), std::vector<std::string>{"Invalid field name"});
    EXPECT_EQ(platform.eventsOfKind(Kind::MessageBox).size(), 2u);
    EXPECT_EQ(platform.eventsOfKind(Kind::SaveDialog).size(), 0u);

    platform.clearEvents();
    EXPECT_TRUE(platform.events().empty());
    EXPECT_TRUE(platform.messages().empty());
}

TEST(ScriptedPlatform, ModalHandlerFillsTheDialogAndDecides)
{
    ScriptedPlatform platform;
    platform.queueModal([](QDialog &dialog) {
        dialog.findChild<QLineEdit *>()->setText(QStringLiteral("MY_FIELD"));
        dialog.accept();
        return dialog.result();
    });
    platform.queueModal([&platform](QDialog &dialog) {
        // A dialog's own checks may report while it runs.
        platform.showPlainMessage(&dialog, "Name exists");
        return int(QDialog::Rejected);
    });

    QDialog first;
    auto *edit = new QLineEdit(&first);
    EXPECT_EQ(platform.runModal(first), QDialog::Accepted);
    EXPECT_EQ(edit->text(), QStringLiteral("MY_FIELD"));

    QDialog second;
    second.setObjectName(QStringLiteral("ColumnSelectorDialog"));
    EXPECT_EQ(platform.runModal(second), QDialog::Rejected);
    ASSERT_EQ(platform.events().size(), 3u);
    EXPECT_EQ(platform.events()[1].objectName, "ColumnSelectorDialog");
    EXPECT_EQ(platform.events()[2].kind, Kind::PlainMessage);

    QDialog third;  // no handler left
    EXPECT_EQ(platform.runModal(third), QDialog::Rejected);
}

TEST(ScriptedPlatform, SystemServicesAreSettableWithSensibleDefaults)
{
    ScriptedPlatform platform;
    const MemoryStatus memory = platform.memoryStatus();
    EXPECT_TRUE(memory.ok);
    EXPECT_GE(memory.availableVirtual, 100000000u);
    EXPECT_GE(memory.availablePhysical, 20000000u);
    EXPECT_GE(memory.availablePageFile, 100000000u);
    EXPECT_GE(memory.totalPhysical, 100000000u);
    EXPECT_GE(platform.freeDiskSpace("/").value_or(0), 10000000u);
    EXPECT_EQ(platform.driveTypeOf("/x/LOG.ADI"), DriveType::Fixed);
    EXPECT_EQ(platform.osMajorVersion(), 10);
    EXPECT_EQ(platform.currentDirectory(), QDir::currentPath().toStdString());
    EXPECT_EQ(platform.shortDateToday(), "12/8/26");
    EXPECT_EQ(platform.currentYear(), 2026);

    platform.memory.ok = false;
    platform.freeDisk = std::nullopt;
    platform.driveType = DriveType::CdRom;
    platform.osMajor = 4;
    platform.currentDirectoryText.clear();
    platform.shortDate = "08.12.26";
    platform.year = 2030;
    EXPECT_FALSE(platform.memoryStatus().ok);
    EXPECT_FALSE(platform.freeDiskSpace("/").has_value());
    EXPECT_EQ(platform.driveTypeOf("/x"), DriveType::CdRom);
    EXPECT_EQ(platform.osMajorVersion(), 4);
    EXPECT_TRUE(platform.currentDirectory().empty());
    EXPECT_EQ(platform.shortDateToday(), "08.12.26");
    EXPECT_EQ(platform.currentYear(), 2030);
}

TEST(ScriptedPlatform, FileExistenceUsesTheDiskUnlessOverridden)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("LOG.ADI")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const std::string existing = QFile::encodeName(file.fileName()).toStdString();
    const std::string missing
        = QFile::encodeName(dir.filePath(QStringLiteral("NEW.ADI"))).toStdString();

    ScriptedPlatform platform;
    EXPECT_TRUE(platform.fileExists(existing));
    EXPECT_FALSE(platform.fileExists(missing));
    platform.fileExistsOverride = [&](const std::string &path) { return path == missing; };
    EXPECT_FALSE(platform.fileExists(existing));
    EXPECT_TRUE(platform.fileExists(missing));
}

TEST(ScriptedPlatform, CountsBusyCursorCalls)
{
    ScriptedPlatform platform;
    platform.beginBusyCursor();
    platform.processEvents();
    EXPECT_FALSE(platform.busyBalanced());
    platform.endBusyCursor();
    EXPECT_TRUE(platform.busyBalanced());
    EXPECT_EQ(platform.busyBegins(), 1);
    EXPECT_EQ(platform.busyEnds(), 1);
    EXPECT_EQ(platform.processEventsCalls(), 1);
}

}  // namespace
}  // namespace vaziduvu
