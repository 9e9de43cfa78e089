// The save-as flow in the real window: the dialog loop, the notices, the
// writers chosen by name, and what success and failure do to the window.
#include "window_fixture.h"

#include <QLabel>
#include <QTableView>

#include <filesystem>
#include <fstream>
#include <functional>

namespace vaziduvu::test {
namespace {

using Kind = ScriptedPlatform::EventKind;

const std::string kInformation
    = "Information:|We will now create a new unique export file ...  \r\n Your original file will "
      "not be altered. ";
const std::string kHeader
    = "Exported by application [VaziDuvu] \r\n  - by Corvantis, Inc.  Export date: 12/8/26\r\n"
      "<EOH>\r\n";

class SaveTest : public WindowFixture {
protected:
    void openLog(const std::string &adif) { openText(adif, "source.adi"); }

    bool saveAs(const std::string &name)
    {
        platform.queueFileName(pathIn(name));
        return saveAsCommand(*form);
    }
};

TEST_F(SaveTest, WithoutADocumentSaveAsIsOffAndNothingIsAsked)
{
    EXPECT_FALSE(action(*form, "saveAsAction")->isEnabled());
    EXPECT_FALSE(saveAsCommand(*form));
    EXPECT_TRUE(platform.events().empty());
    EXPECT_TRUE(platform.eventsOfKind(Kind::SaveDialog).empty());
}

TEST_F(SaveTest, SuccessfulSaveWritesTheFileAndTurnsTheLightGreen)
{
    openLog("<CALL:4>W1AW<BAND:3>20m<EOR>\r\n");
    editAndRestore(*form);
    ASSERT_TRUE(saveAs("out.adi"));

    EXPECT_EQ(readFile(pathIn("out.adi")), kHeader + "<CALL:4>W1AW<BAND:3>20M<EOR>\r\n");
    EXPECT_EQ(platform.messages(), std::vector<std::string>{kInformation});
    EXPECT_FALSE(form->changeLightYellow());
    EXPECT_FALSE(form->document().unsavedChanges());
    EXPECT_EQ(form->caption(), " File: " + pathIn("out.adi"));
    EXPECT_EQ(form->loadReportText(), "Statistics refreshed on reload");
    EXPECT_EQ(form->sourceViewText(), "");
    EXPECT_EQ(form->document().text(2, 1), "20M");  // the check's rewrite stays in the grid
    EXPECT_FALSE(form->exportInProgress());
    EXPECT_TRUE(child<QLabel>(*form, "busyBanner")->isHidden());
    EXPECT_TRUE(platform.busyBalanced());

    const auto dialogs = platform.eventsOfKind(Kind::SaveDialog);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].fileOptions.defaultExtension, "adi");
    EXPECT_EQ(dialogs[0].fileOptions.filter,
              "'.ADI' files (*.adi)|*.ADI|HTML files (*.html)|*.HTML|BADI files (*.badi)|*.BADI|"
              "XML files (*.xml)|*.XML");
}

TEST_F(SaveTest, CaptionShowsAPathWithAccentsAsTheFileSystemSpellsIt)
{
    openLog("<CALL:4>W1AW<EOR>\r\n");
    const std::string folderName = "Gr\xC3\xBC\xC3\x9F";  // UTF-8, as the file system has it
    std::filesystem::create_directory(pathIn(folderName));
    const std::string target = pathIn(folderName) + "/log.adi";
    platform.queueFileName(target);
    ASSERT_TRUE(saveAsCommand(*form));
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8((" File: " + target).c_str()));
}

TEST_F(SaveTest, ExistingNamesAreRefusedAndTheDialogComesBack)
{
    openLog("<CALL:4>W1AW<EOR>\r\n");
    const std::string source = pathIn("source.adi");
    const std::string before = readFile(source);
    platform.queueFileName(source);         // the source itself
    platform.queueFileName(std::string());  // an empty name: asked again silently
    platform.queueFileName(pathIn("new.adi"));
    ASSERT_TRUE(saveAsCommand(*form));

    EXPECT_EQ(platform.eventsOfKind(Kind::SaveDialog).size(), 3u);
    EXPECT_EQ(
        platform.messages(),
        (std::vector<std::string>{
            "Problem:|Cannot use existing file name.  Select a new file name.", kInformation}));
    EXPECT_EQ(readFile(source), before);
}

TEST_F(SaveTest, CancelledDialogSavesNothing)
{
    openLog("<CALL:4>W1AW<EOR>\r\n");
    editAndRestore(*form);
    platform.queueFileName(std::nullopt);
    EXPECT_FALSE(saveAsCommand(*form));
    EXPECT_TRUE(platform.messages().empty());
    EXPECT_TRUE(form->changeLightYellow());
}

TEST_F(SaveTest, LengthDiscrepancyGivesTheProblemNotice)
{
    openLog("<CALL:6>W1AW<EOR>\r\n");
    ASSERT_TRUE(saveAs("fixed.adi"));
    EXPECT_EQ(platform.messages(),
              std::vector<std::string>{
                  "Problem:|Some values in the grid have incorrect data length  specifiers.  These "
                  "invalid length specifiers will be corrected  in the new unique export file that "
                  "we now will create ...  \r\n Your original file will not be altered. "});
    EXPECT_EQ(readFile(pathIn("fixed.adi")), kHeader + "<CALL:4>W1AW<EOR>\r\n");
}

TEST_F(SaveTest, FailedCheckSelectsTheCellAndKeepsTheLight)
{
    openLog("<CALL:4>W1AW<BAND:3>20M<EOR>\r\n<CALL:4>K1AB<BAND:3>99M<EOR>\r\n");
    editAndRestore(*form);
    EXPECT_FALSE(saveAs("bad.adi"));
    EXPECT_EQ(platform.messages(),
              (std::vector<std::string>{
                  kInformation,
                  "Problem:|Check your 'Band' columns ... incorrect band values were found.",
                  "Problem:|File could not be saved"}));
    EXPECT_FALSE(std::filesystem::exists(pathIn("bad.adi")));
    EXPECT_EQ(form->currentColumn(), 2);
    EXPECT_EQ(form->currentRow(), 2);
    EXPECT_TRUE(form->changeLightYellow());
    EXPECT_FALSE(form->exportInProgress());
    EXPECT_TRUE(platform.busyBalanced());
}

TEST_F(SaveTest, XmlTargetWritesTheCompanionFirst)
{
    openLog("<CALL:4>W1AW<BAND:3>20M<EOR>\r\n");
    ASSERT_TRUE(saveAs("log.xml"));
    EXPECT_EQ(readFile(pathIn("log.BADI")), kHeader + "<CALL:4>W1AW<BAND:3>20M<EOR>\r\n");
    EXPECT_EQ(readFile(pathIn("log.xml")),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" "
              "standalone=\"yes\"?>\r\n<NewDataSet>\r\n    <DataRow>\r\n"
              "        <CALL>W1AW</CALL><BAND>20M</BAND>\r\n    </DataRow>\r\n</NewDataSet>");
}

TEST_F(SaveTest, HtmlTargetWithExistingCompanionFails)
{
    openLog("<CALL:4>W1AW<EOR>\r\n");
    writeFile("page.BADI", "keep me");
    EXPECT_FALSE(saveAs("page.html"));
    EXPECT_EQ(readFile(pathIn("page.BADI")), "keep me");
    EXPECT_FALSE(std::filesystem::exists(pathIn("page.html")));
    EXPECT_EQ(platform.messages().back(),
              "Problem:|File could not be saved\r\nThe companion file " + pathIn("page.BADI")
                  + " already exists.");
}

TEST_F(SaveTest, DatesOfThisYearAreAccepted)
{
    platform.year = 2026;
    openLog("<QSO_DATE:8>20261207<EOR>\r\n");
    EXPECT_TRUE(saveAs("recent.adi"));
}

TEST_F(SaveTest, RefusedDriveShowsThePlainNotice)
{
    openLog("<CALL:4>W1AW<EOR>\r\n");
    platform.driveType = DriveType::ReadOnly;
    EXPECT_FALSE(saveAs("readonly.adi"));
    EXPECT_EQ(platform.plainMessages(),
              std::vector<std::string>{
                  "Could not save file ... Target was CDROM or READ-ONLY device ..."});
    EXPECT_FALSE(std::filesystem::exists(pathIn("readonly.adi")));
}

TEST_F(SaveTest, OmitOptionAsksOnlyWhenTurnedOn)
{
    openLog("<CALL:4>W1AW<EOR>\r\n");
    platform.queueConfirm(false);
    trigger(*form, "omitEmptyTagsAction");
    EXPECT_FALSE(action(*form, "omitEmptyTagsAction")->isChecked());
    platform.queueConfirm(true);
    trigger(*form, "omitEmptyTagsAction");
    EXPECT_TRUE(action(*form, "omitEmptyTagsAction")->isChecked());
    trigger(*form, "omitEmptyTagsAction");
    EXPECT_FALSE(action(*form, "omitEmptyTagsAction")->isChecked());
    EXPECT_EQ(platform.eventsOfKind(Kind::Confirm).size(), 2u);
}

TEST_F(SaveTest, OmitOptionLeavesBlankCellsOut)
{
    openLog("<CALL:4>W1AW<NAME:0><EOR>\r\n");
    platform.queueConfirm(true);
    trigger(*form, "omitEmptyTagsAction");
    ASSERT_TRUE(saveAs("omit.adi"));
    EXPECT_EQ(readFile(pathIn("omit.adi")), kHeader + "<CALL:4>W1AW<EOR>\r\n");
}

struct WriterStateCase {
    const char *name;
    const char *target;
    int writersRun;  // the companion's writer counts
};

class WhileWritingTest : public ::testing::TestWithParam<WriterStateCase> { };

TEST_P(WhileWritingTest, FlagBusyPanelAndCursorCoverTheWritersAndCloseIsRefused)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ScriptedPlatform platform;
    platform.currentDirectoryText = folder.path().toStdString();
    MainWindow form(platform);
    const std::string source = folder.filePath("source.adi").toStdString();
    std::ofstream(source, std::ios::binary) << "<CALL:4>W1AW<EOR>\r\n<CALL:4>K1AB<EOR>\r\n";
    platform.queueFileName(source);
    trigger(form, "openAction");
    editAndRestore(form);
    form.show();

    int probes = 0;
    platform.afterProcessEvents = [&] {
        ++probes;
        EXPECT_TRUE(form.exportInProgress());
        EXPECT_FALSE(child<QLabel>(form, "busyBanner")->isHidden());
        EXPECT_EQ(child<QLabel>(form, "busyBanner")->text().toStdString(),
                  "Writing data to new file ... ");
        EXPECT_FALSE(platform.busyBalanced());
        EXPECT_FALSE(form.close());  // refused, and nothing is asked
        EXPECT_TRUE(platform.eventsOfKind(ScriptedPlatform::EventKind::Confirm).empty());
    };
    platform.queueFileName(folder.filePath(GetParam().target).toStdString());
    EXPECT_TRUE(saveAsCommand(form));
    platform.afterProcessEvents = nullptr;

    // The display is brought up to date at most every 50 ms and at the end
    // of each pass: at least once a writer, at most once a row and once more.
    EXPECT_GE(probes, GetParam().writersRun);
    EXPECT_LE(probes, (2 + 1) * GetParam().writersRun);
    EXPECT_FALSE(form.exportInProgress());
    EXPECT_TRUE(child<QLabel>(form, "busyBanner")->isHidden());
    EXPECT_TRUE(platform.busyBalanced());
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.changeLightYellow());
    form.hide();
}

INSTANTIATE_TEST_SUITE_P(Save, WhileWritingTest,
                         ::testing::Values(WriterStateCase{"Adif", "out.adi", 1},
                                           WriterStateCase{"Xml", "out.xml", 2},
                                           WriterStateCase{"Html", "out.htm", 2}),
                         [](const ::testing::TestParamInfo<WriterStateCase> &info) {
                             return std::string(info.param.name);
                         });

// The menu item is checkable: its own toggle must not get ahead of the
// question.
TEST_F(SaveTest, OmitOptionFromTheMenuAsksBeforeItIsChecked)
{
    openLog("<CALL:4>W1AW<EOR>\r\n");
    ASSERT_TRUE(action(*form, "omitEmptyTagsAction")->isEnabled());
    platform.queueConfirm(false);
    action(*form, "omitEmptyTagsAction")->trigger();
    EXPECT_FALSE(action(*form, "omitEmptyTagsAction")->isChecked());
    platform.queueConfirm(true);
    action(*form, "omitEmptyTagsAction")->trigger();
    EXPECT_TRUE(action(*form, "omitEmptyTagsAction")->isChecked());
    action(*form, "omitEmptyTagsAction")->trigger();
    EXPECT_FALSE(action(*form, "omitEmptyTagsAction")->isChecked());
    EXPECT_EQ(platform.eventsOfKind(Kind::Confirm).size(), 2u);
}

}  // namespace
}  // namespace vaziduvu::test
