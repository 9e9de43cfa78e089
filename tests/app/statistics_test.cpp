// View > Statistics: the figures of the open log in a window that follows
// the edits, the contacts behind a bar or a cell selected in the grid, and
// the charts saved as new image files.
#include "app/statistics_window.h"
#include "window_fixture.h"

#include <QItemSelectionModel>
#include <QPushButton>

#include <filesystem>
#include <set>

namespace vaziduvu::test {
namespace {

const std::string kLog = std::string(TEST_DATA_DIR) + "/stats-general-log.adi";

class Statistics : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        open(kLog);
        trigger(*form, "statisticsAction");
        window = child<StatisticsWindow>(*form, "statisticsWindow");
        ASSERT_NE(window, nullptr);
    }

    std::set<int> selectedRows() const
    {
        std::set<int> rows;
        for (const QModelIndex &index : gridView(*form)->selectionModel()->selectedRows())
            rows.insert(index.row() + 1);
        return rows;
    }

    StatisticsWindow *window = nullptr;
};

TEST_F(Statistics, ShowsTheFiguresAndFollowsTheEdits)
{
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->totalsText().toStdString(),
              "<b>5</b> contacts &nbsp; <b>4</b> unique calls &nbsp; from <b>2022-01-05</b> to "
              "<b>2023-01-01</b> &nbsp; DXCC entities: <b>2</b> worked, <b>1</b> confirmed");
    EXPECT_EQ(window->bandCategories(), (QStringList{"80M", "20M", "6M"}));
    EXPECT_EQ(window->modeSets(), (QStringList{"SSB", "CW"}));
    EXPECT_EQ(window->yearCategories(), (QStringList{"2022", "2023", "(none)"}));
    ASSERT_EQ(window->entityRows(), 2);
    EXPECT_EQ(window->entityRowTexts(0), (QStringList{"1", "CANADA", "2", "Yes", "C", "", ""}));
    EXPECT_EQ(window->entityRowTexts(1),
              (QStringList{"291", "UNITED STATES OF AMERICA", "2", "", "", "W", ""}));

    editCell(*form, 2, 5, "20m");                                // BAND of the 6M contact
    QMetaObject::invokeMethod(form.get(), "refreshStatistics");  // what the timer runs
    EXPECT_EQ(window->bandCategories(), (QStringList{"80M", "20M"}));
}

TEST_F(Statistics, EntitiesSortByNumber)
{
    openText("x <EOH><DXCC:3>100<EOR><DXCC:2>15<EOR><DXCC:1>6<EOR><DXCC:2>15<EOR>");
    QMetaObject::invokeMethod(form.get(), "refreshStatistics");
    QStringList codes;
    for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
        window->sortEntities(0, order);
        for (int row = 0; row < window->entityRows(); ++row)
            codes << window->entityRowTexts(row).front();
    }
    EXPECT_EQ(codes, (QStringList{"6", "15", "100", "100", "15", "6"}));
}

struct ChoiceCase {
    const char *name;
    std::function<void(StatisticsWindow &)> choose;
    std::set<int> rows;
};

void PrintTo(const ChoiceCase &c, std::ostream *os)
{
    *os << c.name;
}

class StatisticsChoice : public Statistics, public ::testing::WithParamInterface<ChoiceCase> { };

TEST_P(StatisticsChoice, SelectsTheContactsCounted)
{
    GetParam().choose(*window);
    EXPECT_EQ(selectedRows(), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Window, StatisticsChoice,
    ::testing::Values(
        ChoiceCase{"BandAndMode", [](StatisticsWindow &w) { w.chooseBandBar(1, 0); }, {1}},
        ChoiceCase{"BandFromFrequency", [](StatisticsWindow &w) { w.chooseBandBar(0, 1); }, {2}},
        ChoiceCase{"Year", [](StatisticsWindow &w) { w.chooseYearBar(0); }, {1, 2, 3}},
        ChoiceCase{"YearNone", [](StatisticsWindow &w) { w.chooseYearBar(2); }, {5}},
        ChoiceCase{"Entity", [](StatisticsWindow &w) { w.chooseEntityCell(0, 1); }, {2, 3}},
        ChoiceCase{"EntityOnBand", [](StatisticsWindow &w) { w.chooseEntityCell(1, 5); }, {1, 4}},
        ChoiceCase{"SortedTable",
                   [](StatisticsWindow &w) {
                       w.sortEntities(0, Qt::DescendingOrder);
                       w.chooseEntityCell(0, 0);
                   },
                   {1, 4}},
        ChoiceCase{"NotWorkedThere", [](StatisticsWindow &w) { w.chooseEntityCell(0, 6); }, {}}),
    [](const auto &info) { return std::string(info.param.name); });

struct ChartFileCase {
    const char *name;
    const char *file;     // as chosen in the dialog
    const char *written;  // the file written
    const char *starts;   // its first bytes
};

void PrintTo(const ChartFileCase &c, std::ostream *os)
{
    *os << c.name;
}

class StatisticsChartFile : public Statistics,
                            public ::testing::WithParamInterface<ChartFileCase> { };

TEST_P(StatisticsChartFile, IsANewImage)
{
    platform.queueFileName(pathIn(GetParam().file));
    child<QPushButton>(*window, "saveChartButton")->click();
    const std::string bytes = readFile(pathIn(GetParam().written));
    EXPECT_EQ(bytes.substr(0, std::string(GetParam().starts).size()), GetParam().starts);
    EXPECT_TRUE(platform.messages().empty());

    // The same name again is refused: the file stays as it was.
    platform.queueFileName(pathIn(GetParam().written));
    child<QPushButton>(*window, "saveChartButton")->click();
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages().back().rfind("Problem:|The chart could not be saved.", 0), 0u);
    EXPECT_EQ(readFile(pathIn(GetParam().written)), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Window, StatisticsChartFile,
    ::testing::Values(ChartFileCase{"Png", "bands.png", "bands.png", "\x89PNG"},
                      ChartFileCase{"Svg", "bands.SVG", "bands.SVG", "<?xml"},
                      ChartFileCase{"NoExtension", "bands", "bands.png", "\x89PNG"}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vaziduvu::test
