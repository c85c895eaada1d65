// The message catalogue: every number but 2019 has a constant; descriptions
// are kept with their own spelling and spacing.
#include "shell/MessageCatalogue.h"
#include "platform/UserMessages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(MessageCatalogueTest, EveryNumberButOneHasAUniqueConstantAndDescriptionsMissFor2003To2019) {
    std::set<std::string> names;
    for (std::uint32_t id = 2000; id <= 2101; ++id) {
        EXPECT_EQ(shell::MessageDescription(id) == nullptr, id >= 2003 && id <= 2019) << id;
        const char* name = shell::MessageName(id);
        if (id == 2019) {
            EXPECT_EQ(name, nullptr);
            continue;
        }
        ASSERT_NE(name, nullptr) << id;
        EXPECT_EQ(std::string(name).rfind("UM_", 0), 0u) << id;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 101u);
    EXPECT_EQ(shell::MessageCount(), 101);
    EXPECT_EQ(shell::MessageName(1999), nullptr);
    EXPECT_EQ(shell::MessageName(2102), nullptr);
    // descriptions keep their own spelling
    EXPECT_STREQ(shell::MessageDescription(platform::UM_SET_OVERLAP_COUNT), "Set  Over lap count");
    EXPECT_STREQ(shell::MessageDescription(platform::UM_PUT_LOGGING_TIME), "Put logging time\nclock log time");
}

}  // namespace
