// Grouping the lap list by file and by folder: headers, keys and which rows join which group.
#include "shell/CListViewEx.h"
#include "shell/LapListGrouping.h"
#include "shell/LapListModel.h"

#include "LapListTestSupport.h"

#include "platform/UserMessages.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

class LapListGroupingTest : public ::testing::Test {
protected:
    LapListGroupingTest() : view(fresh.core, mainFrame.Handle(), platform::kNoWindow) {
        view.OnInitialUpdate({});
    }
    void Load(const QStringList& relatives) {
        QStringList paths;
        for (const QString& r : relatives)
            paths << files.Write(r, 2, static_cast<std::uint64_t>(paths.size() + 7));
        ASSERT_EQ(LoadLogs(fresh.core, paths), 0);
        view.Fill();
    }
    // Group headers as shown, each with the titles of its rows.
    QStringList Shown() {
        QStringList shown;
        LapListModel& model = view.Model();
        for (int t = 0; t < model.rowCount(); ++t) {
            const QModelIndex top = model.index(t, 0);
            if (const laplist::Group* group = model.GroupOf(top)) {
                QStringList rows;
                for (int c = 0; c < model.rowCount(top); ++c)
                    rows << model.Path(model.RowOf(model.index(c, 0, top))).section('/', -2);
                rows.removeDuplicates();
                shown << group->header + ":" + rows.join(',');
            }
        }
        return shown;
    }

    FreshCore fresh;
    SessionDir files;
    RecordingWindow mainFrame;
    CListViewEx view;
};

TEST_F(LapListGroupingTest, FolderHeaderNamesTheFoldersInsideOut) {
    EXPECT_EQ(LapListGrouping::FolderHeader(u"/home/u/logs/a.dat"), "logs\\u\\home\\");
    EXPECT_EQ(LapListGrouping::FolderHeader(u"/a.dat"), "");
    EXPECT_EQ(LapListGrouping::FolderHeader(u"rel/x/a.dat"), "x\\rel\\");
    view.GroupBy(LapListGrouping::kByFile);  // an empty list is not grouped
    EXPECT_EQ(view.GroupingMode(), 0);
}

TEST_F(LapListGroupingTest, ByFileKeepsTwoFilesOfTheSameTitleApartThroughARefill) {
    Load({"x/run.dat", "y/run.dat"});
    view.GroupBy(LapListGrouping::kByFile);
    EXPECT_EQ(view.GroupingMode(), 1);
    EXPECT_EQ(Shown(), (QStringList{"run:x/run.dat", "run:y/run.dat"}));
    ASSERT_EQ(view.Grouping().Entries().size(), 2u);
    EXPECT_EQ(view.Grouping().Entries()[1].target, files.Path("y/run.dat"));
    platform::SendMessage(view.Handle(), platform::UM_LAP_LIST_REVIEW, 0, 0);
    EXPECT_EQ(Shown(), (QStringList{"run:x/run.dat", "run:y/run.dat"}));
    view.DisableGrouping();
    EXPECT_EQ(view.Model().rowCount(), view.Model().RowCount());  // the flat list again
    EXPECT_TRUE(view.Grouping().Entries().empty());
}

TEST_F(LapListGroupingTest, ByFolderGroupsAdjacentFilesOfOneFolderAndNewFilesJoinTheirGroup) {
    Load({"x/a.dat", "x/b.dat", "y/c.dat"});
    view.GroupBy(LapListGrouping::kByFolder);
    const QString x = LapListGrouping::FolderHeader(files.Path("x/a.dat").toStdU16String());
    const QString y = LapListGrouping::FolderHeader(files.Path("y/c.dat").toStdU16String());
    EXPECT_EQ(Shown(), (QStringList{x + ":x/a.dat,x/b.dat", y + ":y/c.dat"}));
    EXPECT_EQ(view.Grouping().Entries()[0].target, files.Path("x"));
    Load({"x/d.dat", "z/e.dat"});
    const auto& entries = view.Grouping().Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2].id, 2);
    EXPECT_EQ(entries[2].target, files.Path("z"));
    ASSERT_EQ(Shown().size(), 3);
    EXPECT_EQ(Shown()[0], x + ":x/a.dat,x/b.dat,x/d.dat");
}

TEST_F(LapListGroupingTest, ByFolderRowsOfANonAdjacentFolderEndInTheGroupMadeLast) {
    Load({"x/a.dat", "y/b.dat", "x/c.dat"});
    view.GroupBy(LapListGrouping::kByFolder);
    ASSERT_EQ(view.Grouping().Entries().size(), 3u);
    const QString x = view.Grouping().Entries()[0].header;
    const QString y = view.Grouping().Entries()[1].header;
    // The first group for x is left empty and not shown.
    EXPECT_EQ(Shown(), (QStringList{y + ":y/b.dat", x + ":x/a.dat,x/c.dat"}));
}

}  // namespace
