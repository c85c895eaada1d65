// Entry point of screen_tests: one QApplication on an offscreen screen of 1920 x 1080.
#include "OffscreenScreen.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    QTemporaryDir dir;
    if (!UseOffscreenScreen(dir, 1920, 1080))
        return 1;
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
