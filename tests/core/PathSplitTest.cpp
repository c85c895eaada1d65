#include "core/PathSplit.h"

#include <gtest/gtest.h>

namespace orvelo {
namespace {

TEST(PathSplitTest, FileNamePartStartsAfterTheLastSlash)
{
    EXPECT_EQ(FindFileNamePart(u"/log/day1/run3.dat"), 10u);
    EXPECT_EQ(FindFileNamePart(u"run3.dat"), 0u);
    EXPECT_EQ(FindFileNamePart(u"/log/"), 5u);
    EXPECT_EQ(FindFileNamePart(u""), 0u);
    // Backslashes and colons are ordinary name characters here.
    EXPECT_EQ(FindFileNamePart(u"/a/C:\\log\\run.dat"), 3u);
}

TEST(PathSplitTest, FolderIsEverythingBeforeTheLastSlash)
{
    EXPECT_EQ(GetFolderPart(u"/log/day1/run3.dat"), u"/log/day1");
    EXPECT_EQ(GetFolderPart(u"/run3.dat"), u"");
    EXPECT_EQ(GetFolderPart(u"run3.dat"), u"");
    EXPECT_EQ(GetFolderPart(u"/a/b:c\\d"), u"/a");
}

TEST(PathSplitTest, TitleIsTheNameCutAtItsFirstDot)
{
    EXPECT_EQ(GetFileTitleFromPath(u"/log/run3.dat.bak"), u"run3");
    EXPECT_EQ(GetFileTitleFromPath(u"/log.d/run3"), u"run3");
    EXPECT_EQ(GetFileTitleFromPath(u"/home/u/.local/x.dat"), u"x");
    EXPECT_EQ(GetFileTitleFromPath(u"/a/C:\\log\\run3.dat"), u"C:\\log\\run3");
    EXPECT_EQ(GetFileTitleFromPath(u"/a/.hidden"), u"");
}

TEST(PathSplitTest, LongPathsStayWhole)
{
    const std::u16string folder = u"/" + std::u16string(300, u'f');
    const std::u16string path = folder + u"/" + std::u16string(250, u'n') + u".dat";
    EXPECT_EQ(GetFolderPart(path), folder);
    EXPECT_EQ(GetFileTitleFromPath(path).size(), 250u);
}

} // namespace
} // namespace orvelo
