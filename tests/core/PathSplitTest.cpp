#include "core/PathSplit.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvelo {
namespace {

TEST(PathSplitTest, NameFolderAndTitleSplitAtTheLastSlashOnly)
{
    // Backslashes and colons are ordinary name characters here.
    const std::vector<std::size_t> starts{FindFileNamePart(u"/log/day1/run3.dat"), FindFileNamePart(u"run3.dat"),
                                         FindFileNamePart(u"/log/"), FindFileNamePart(u"/a/C:\\log\\run.dat")};
    EXPECT_EQ(starts, (std::vector<std::size_t>{10, 0, 5, 3}));
    EXPECT_EQ(GetFolderPart(u"/log/day1/run3.dat"), u"/log/day1");
    EXPECT_EQ(GetFolderPart(u"/run3.dat"), u"");
    EXPECT_EQ(GetFolderPart(u"run3.dat"), u"");
    // The title is the name cut at its first dot.
    EXPECT_EQ(GetFileTitleFromPath(u"/log/run3.dat.bak"), u"run3");
    EXPECT_EQ(GetFileTitleFromPath(u"/log.d/run3"), u"run3");
    EXPECT_EQ(GetFileTitleFromPath(u"/a/C:\\log\\run3.dat"), u"C:\\log\\run3");
    EXPECT_EQ(GetFileTitleFromPath(u"/a/.hidden"), u"");
    const std::u16string folder = u"/" + std::u16string(300, u'f'); // long paths stay whole
    const std::u16string path = folder + u"/" + std::u16string(250, u'n') + u".dat";
    EXPECT_EQ(GetFolderPart(path), folder);
    EXPECT_EQ(GetFileTitleFromPath(path).size(), 250u);
}

} // namespace
} // namespace orvelo
