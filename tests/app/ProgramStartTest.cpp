// The program's own windows started, used and closed the way the executable does.
#include "ProgramHarness.h"

#include <gtest/gtest.h>

TEST(ProgramStartTest, StartsWithOneWorkAreaAndSavesItAtClose) {
    platform::RegistryTree saved;
    {
        ProgramHarness program;
        ASSERT_TRUE(program.Start());
        EXPECT_EQ(program.WorkAreaTitles(), QStringList{QStringLiteral("Work Area 1")});
        program.Close();
        saved = program.Saved();
    }
    ProgramHarness again(saved);
    ASSERT_TRUE(again.Start());
    EXPECT_EQ(again.WorkAreaTitles(), QStringList{QStringLiteral("Work Area 1")});
}
