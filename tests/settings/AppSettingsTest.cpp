// The whole settings chain on the user's file: a second start finds what the
// first one saved, and a damaged file means defaults and one message.
#include "settings/AppSettings.h"

#include "platform/MessageBox.h"
#include "platform/RegistryFileBackend.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace settings;

class AppSettingsTest : public ::testing::Test {
protected:
    std::unique_ptr<AppSettings> Start() {
        auto settings = std::make_unique<AppSettings>(std::make_unique<platform::RegistryFileBackend>(m_dir.path()),
                                                      [] { return 0u; });
        settings->Store().CreateSettingsKeys();
        return settings;
    }
    QTemporaryDir m_dir;
};

TEST_F(AppSettingsTest, ASecondStartFindsWhatTheFirstSaved) {
    {
        auto first = Start();
        first->Channels().ChannelValueTable()[6].currentMax = 700;
        ASSERT_EQ(first->Channels().SaveChannelValueTable(), 0);
        std::int32_t mode = 3;
        ASSERT_EQ(first->Channels().MapDrawModeSetting(1, &mode), 0);
        ColorSettings::LapColors colors = {1, 2, 3, 4, 5, 6, 7};
        ASSERT_EQ(first->Colors().LapColorSetting(1, colors.data()), 0);
        ASSERT_TRUE(first->Profile().WriteProfileString(kLogFileSection, kLogFileEntry, QStringLiteral("/logs")));
    }
    platform::MessageBoxRecorder boxes;
    auto second = Start();
    second->Channels().LoadChannelValueTable();
    second->Channels().LoadMapDrawMode();
    ColorSettings::LapColors colors{};
    EXPECT_EQ(second->Colors().LapColorSetting(0, colors.data()), 0);

    EXPECT_EQ(second->Channels().ChannelValueTable()[6].currentMax, 700);
    EXPECT_EQ(second->Channels().MapDrawMode(), 3);
    EXPECT_EQ(second->Colors().LapColorTable(), (ColorSettings::LapColors{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(second->Profile().GetProfileString(kLogFileSection, kLogFileEntry, kNothingPath), "/logs");
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(AppSettingsTest, ADamagedFileStartsOnDefaultsAfterOneMessage) {
    {
        QFile file(m_dir.path() + QStringLiteral("/user.reg"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Varnek_Orvelo]\n\"Map_Dr");
    }
    platform::MessageBoxRecorder boxes;
    auto settings = Start();
    settings->Channels().LoadChannelValueTable();
    settings->Channels().LoadMapDrawMode();
    EXPECT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(settings->Channels().ChannelValueTable(), kChannelValueDefaults);
    EXPECT_EQ(settings->Channels().MapDrawMode(), 1);
    // Start-up still has its keys, so the settings of this run are kept.
    EXPECT_TRUE(settings->UserRegistry().KeyExists(SubKeyPath(kWindowViewInfo)));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(AppSettingsTest, TheScaleDialogPlacementIsReadWhenWhole) {
    auto settings = Start();
    platform::WindowPlacement stored;
    stored.showCommand = platform::WindowPlacement::kShowNormal;
    stored.normalRight = 300;
    QByteArray bytes = stored.ToBytes();
    const auto load = [&](int size) {
        settings->Store().RegWriteBinary(SubKeyPath(kWindowViewInfo), kScaleControlWndPlace, bytes.constData(), size);
        platform::WindowPlacement placement;
        placement.normalRight = 5;
        // the right edge read, or minus the caller's when the read failed
        return settings->LoadScaleControlWndPlace(&placement) == 0 ? placement.normalRight : -placement.normalRight;
    };
    EXPECT_EQ(load(44), 300);
    EXPECT_EQ(load(43), -5);
    bytes[0] = 40;  // a length field that is not a placement's
    EXPECT_EQ(load(44), -5);
}

TEST(ApplicationSettingsTest, IsOneObjectOnTheUsersFile) {
    platform::MessageBoxRecorder boxes;  // never a real box, whatever the folder holds
    AppSettings& settings = ApplicationSettings();
    EXPECT_EQ(&settings, &ApplicationSettings());
    auto* file = dynamic_cast<platform::RegistryFileBackend*>(&settings.UserRegistry().Backend());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->FilePath(), platform::RegistryFileBackend::DefaultFolder() + QStringLiteral("/user.reg"));
}

}  // namespace
