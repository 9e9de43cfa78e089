// Quick fixes in the window: the Check Log panel shows them, Fix and Fix All
// Like This make them as one step each, and the load report and the panel
// point a modern log read by the Classic lists to the Current ADIF mode.
#include "app/check_panel.h"
#include "grid_texts.h"
#include "window_fixture.h"

namespace vaziduvu::test {
namespace {

const std::string kModesLog = "QRZ <EOH>\r\n"
                              "<CALL:4>K1AB<MODE:3>USB<FREQ:6>14.250<BAND:3>20m<EOR>\r\n"
                              "<CALL:4>K2CD<MODE:3>LSB<FREQ:5>3.800<BAND:3>80m<EOR>\r\n"
                              "<CALL:4>K3EF<MODE:3>FT4<FREQ:6>14.080<BAND:3>40m<EOR>\r\n"
                              "<CALL:4>K4GH<MODE:3>USB<FREQ:6>14.300<BAND:3>20m<EOR>\r\n";

class QuickFixWindow : public WindowFixture {
protected:
    CheckPanel *checkAndChoose(const QString &fix)
    {
        QMetaObject::invokeMethod(form.get(), "refreshCheck");
        auto *panel = child<CheckPanel>(*form, "checkPanel");
        for (int line = 0; panel != nullptr && line < panel->problemCount(); ++line) {
            if (panel->lineTexts(line).value(3) == fix)
                panel->setCurrentLine(line);
        }
        return panel;
    }
    std::vector<std::string> column(const std::string &heading) const
    {
        std::vector<std::string> texts;
        const Grid grid = gridTexts(form->document());
        const auto at = std::find(grid[0].begin(), grid[0].end(), heading) - grid[0].begin();
        for (size_t row = 1; row < grid.size(); ++row)
            texts.push_back(at < static_cast<long>(grid[row].size()) ? grid[row][at] : "");
        return texts;
    }
};

TEST_F(QuickFixWindow, FixAllLikeThisIsOneStepAndFixOneLine)
{
    form->setAdifMode(AdifMode::Current);
    openText(kModesLog);
    const std::string loaded = documentState(form->document());
    trigger(*form, "checkLogAction");
    CheckPanel *panel = checkAndChoose("MODE SSB, SUBMODE USB");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->problemCount(), 5);  // four modes and a FREQ outside its BAND
    EXPECT_EQ(documentState(form->document()), loaded);

    trigger(*form, "fixAllAction");
    EXPECT_EQ(column("MODE"), (std::vector<std::string>{"SSB", "SSB", "FT4", "SSB"}));
    EXPECT_EQ(column("SUBMODE"), (std::vector<std::string>{"USB", "LSB", "", "USB"}));
    EXPECT_EQ(panel->fixReport().toStdString(),
              "Fixed 3 contacts: MODE USB/LSB -> SSB with SUBMODE");
    EXPECT_TRUE(form->changeLightYellow());

    trigger(*form, "undoAction");
    EXPECT_EQ(documentState(form->document()), loaded);
    trigger(*form, "redoAction");
    EXPECT_EQ(column("SUBMODE"), (std::vector<std::string>{"USB", "LSB", "", "USB"}));

    checkAndChoose("MODE MFSK, SUBMODE FT4");
    trigger(*form, "fixAction");
    EXPECT_EQ(column("MODE"), (std::vector<std::string>{"SSB", "SSB", "MFSK", "SSB"}));
    EXPECT_EQ(column("SUBMODE"), (std::vector<std::string>{"USB", "LSB", "FT4", "USB"}));
    QMetaObject::invokeMethod(form.get(), "refreshCheck");
    ASSERT_EQ(panel->problemCount(), 1);
    EXPECT_EQ(panel->lineTexts(0).value(3), "");  // a FREQ outside its BAND has no fix
}

// A list older than the grid mends only the cells that still hold what the
// check saw.
TEST_F(QuickFixWindow, TheKeyboardStaysInTheGridThroughACheck)
{
    form->setAdifMode(AdifMode::Current);
    openText(kModesLog);
    form->show();
    QApplication::setActiveWindow(form.get());
    QTableView *view = gridView(*form);
    view->setFocus();
    QApplication::processEvents();
    if (!view->hasFocus())
        GTEST_SKIP() << "this platform gives no window the keyboard";
    trigger(*form, "checkLogAction");  // the window waits while the log is checked
    EXPECT_TRUE(view->hasFocus());
}

TEST_F(QuickFixWindow, StaleListLeavesEditedCells)
{
    form->setAdifMode(AdifMode::Current);
    openText(kModesLog);
    trigger(*form, "checkLogAction");
    CheckPanel *panel = checkAndChoose("MODE SSB, SUBMODE USB");
    ASSERT_NE(panel, nullptr);
    editCell(*form, 2, 1, "CW");
    trigger(*form, "fixAllAction");
    EXPECT_EQ(column("MODE"), (std::vector<std::string>{"CW", "SSB", "FT4", "SSB"}));
    EXPECT_EQ(panel->fixReport().toStdString(),
              "Fixed 2 contacts: MODE LSB/USB -> SSB with SUBMODE");
}

struct ReportCase {
    const char *name;
    AdifMode mode;
    std::string log;
    std::string report;  // a line the load report holds; empty: no such note
    std::string hint;    // the panel's hint
};

void PrintTo(const ReportCase &c, std::ostream *os)
{
    *os << c.name;
}

class LoadNotes : public WindowFixture, public ::testing::WithParamInterface<ReportCase> { };

TEST_P(LoadNotes, ReportAndPanelSayIt)
{
    form->setAdifMode(GetParam().mode);
    openText(GetParam().log);
    ASSERT_TRUE(form->document().documentOpen());
    const std::string report = form->loadReportText();
    if (GetParam().report.empty()) {
        EXPECT_EQ(report.find("ADIF 3.1.6 values"), std::string::npos) << report;
        EXPECT_EQ(report.find("counted as CR LF"), std::string::npos) << report;
    } else {
        EXPECT_NE(report.find(GetParam().report), std::string::npos) << report;
    }
    trigger(*form, "checkLogAction");
    EXPECT_EQ(child<CheckPanel>(*form, "checkPanel")->hint().toStdString(), GetParam().hint);
}

const std::string kModernLog = "log <EOH><CALL:4>VE3X<MODE:3>FT8<STATE:2>ON<BAND:4>630M<EOR>"
                               "<CALL:4>W1AW<MODE:2>CW<STATE:2>CT<BAND:3>20M<EOR>";
const std::string kModernHint = "This log uses ADIF 3.1.6 values (FT8, ON, 630M). Format > "
                                "Current ADIF (3.1.6) checks it against today's lists.";

INSTANTIATE_TEST_SUITE_P(
    Window, LoadNotes,
    ::testing::Values(ReportCase{"ModernLogInClassicMode", AdifMode::Classic, kModernLog,
                                 kModernHint, kModernHint},
                      ReportCase{"ModernLogInCurrentMode", AdifMode::Current, kModernLog, "", ""},
                      ReportCase{"ClassicValues", AdifMode::Classic,
                                 "log <EOH><CALL:4>W1AW<MODE:2>CW<STATE:2>CT<EOR>", "", ""},
                      ReportCase{
                          "LineEndConverted", AdifMode::Current,
                          "log <EOH><CALL:4>W1AW<NOTES:12>1 < 2\n3 < 4<EOR>\r\n",
                          "1 value was read with each line break counted as CR LF:\r\nthe log went "
                          "through a line-ending conversion (the first at character 31).",
                          ""}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vaziduvu::test
