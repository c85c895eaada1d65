// Settings files the start-up fuzz target must go through without a fault, replayed through the same
// start and close: the stored numbers of the reliability run that overflowed or went unchecked, more
// work areas to restore than there are slots, and whatever the fuzzer finds later.
#include "fuzz/StartupHarness.h"

#include "settings/SettingsDefaults.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <tuple>
#include <vector>

namespace {

platform::RegistryValue Words(std::initializer_list<std::int32_t> words) {
    QByteArray bytes;
    for (const std::int32_t word : words) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.append(static_cast<char>((static_cast<quint32>(word) >> shift) & 0xFF));
    }
    return {platform::kRegBinary, bytes};
}

platform::RegistryValue Dword(std::int32_t word) { return {platform::kRegDword, Words({word}).data}; }

platform::RegistryValue Text(const QString& text) { return {platform::kRegSz, platform::Utf16Bytes(text)}; }

TEST(StartupFuzzRegressionTest, HostileStoredNumbersStartAndClose) {
    const QString window = settings::SubKeyPath(settings::kWindowViewInfo);
    const QString colors = settings::SubKeyPath(settings::kItemColorInfo);
    const QString channels = settings::SubKeyPath(settings::kChannelNameScaleInfo);
    // A window placement whose normal rectangle spans every integer.
    const platform::RegistryValue extreme = Words({44, 0, 1, 0, 0, 0, 0, INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    using Values = std::vector<std::tuple<QString, QString, platform::RegistryValue>>;
    const struct {
        const char* what;
        Values values;
    } cases[] = {
        {"placements at the integer limits",
         {{window, settings::kLogTimeWndPlace, extreme}, {window, settings::kScaleControlWndPlace, extreme},
          {window, settings::kLogTimeWndView, Dword(1)}, {window, settings::kWorkAreaNum, Dword(2)},
          {window, settings::kWorkAreaIdMax, Dword(2)}, {window, settings::kWorkAreaStat, Text(QStringLiteral("11"))},
          {window, settings::kWorkAreaProp + "_1", Words({1, INT_MAX, -1})},
          {window, settings::kWorlAreaWndStat + "_1", Text(QString(300, QChar('2')))}}},
        {"channel numbers and limits taken unchecked",
         {{colors, settings::kChannelColorProp + "_RPM", Words({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 999, 1})},
          {channels, settings::kChannelMaxValue + "_1", Words({0, 0, 100, -5, 0, 0, 10, 0, 0})},
          {channels, settings::kMapDrawModeName, Dword(77)}}},
        {"more work areas than slots",
         {{window, settings::kWorkAreaNum, Dword(INT_MAX)}, {window, settings::kWorkAreaIdMax, Dword(-1)},
          {window, settings::kWorkAreaStat, Text(QString(40, QChar('1')) + QStringLiteral("x9"))}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        platform::RegistryTree tree;
        for (const auto& [key, name, value] : c.values) {
            tree.CreateKey(key);
            ASSERT_TRUE(tree.SetValue(key, name, value));
        }
        orvelo::fuzzing::StartAndClose(platform::RegFileFormat::Write(tree));
    }
}

}  // namespace
