// The save-file chooser: the "name|pattern||" filters become Qt filters, and a
// script answers with a path or a cancel while keeping each request.
#include "platform/SaveFileDialog.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(SaveFileDialogTest, PairFiltersBecomeQtFilters) {
    EXPECT_EQ(NameFiltersFromPairs(QStringLiteral("Map File (*.dat)|*.dat|All files (*.*)|*.*||")),
              (QStringList{QStringLiteral("Map File (*.dat)"), QStringLiteral("All files (*)")}));
    EXPECT_EQ(NameFiltersFromPairs(QStringLiteral("Logs|*.dat;*.log||")),
              (QStringList{QStringLiteral("Logs (*.dat *.log)")}));
    EXPECT_TRUE(NameFiltersFromPairs(QString()).isEmpty());
    EXPECT_TRUE(NameFiltersFromPairs(QStringLiteral("Dangling name")).isEmpty());
}

TEST(SaveFileDialogTest, ScriptAnswersInOrderAndKeepsRequests) {
    SaveFileScript script;
    script.QueuePath(QStringLiteral("/tmp/a.dat"));
    script.QueueCancel();
    SaveFileRequest request;
    request.initialPath = QStringLiteral("/home/u/default_map");
    EXPECT_EQ(ChooseSaveFile(nullptr, request), std::optional<QString>(QStringLiteral("/tmp/a.dat")));
    EXPECT_EQ(ChooseSaveFile(nullptr, request), std::nullopt);
    EXPECT_EQ(ChooseSaveFile(nullptr, request), std::nullopt) << "nothing queued";
    ASSERT_EQ(script.Requests().size(), 3u);
    EXPECT_EQ(script.Requests()[0].initialPath, QStringLiteral("/home/u/default_map"));
}

}  // namespace
