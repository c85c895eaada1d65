// GDI pixel rules on a QImage: which pixels a line, an outline and a fill cover.
#include "platform/GdiDraw.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace platform;

namespace {

constexpr ColorRef kRed = 0x0000FF;

// Each row of the image as text: '#' where the pixel is red, '.' elsewhere.
std::vector<std::string> Rows(const QImage& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x)
            row += image.pixel(x, y) == qRgb(255, 0, 0) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

template <class Draw>
std::vector<std::string> Drawn(Draw draw) {
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PrepareGdiPainter(painter);
    painter.setPen(GdiPen(kRed));
    draw(painter);
    painter.end();
    return Rows(image);
}

}  // namespace

TEST(GdiDrawTest, LinesLeaveOutTheirEndAndRectanglesStopBeforeRightAndBottom) {
    EXPECT_EQ(Drawn([](QPainter& p) { GdiLine(p, 1, 1, 5, 1); }),
              (std::vector<std::string>{"......", ".####.", "......", "......"}));
    EXPECT_EQ(Drawn([](QPainter& p) { GdiLine(p, 0, 3, 0, 0); }),
              (std::vector<std::string>{"......", "#.....", "#.....", "#....."}));
    EXPECT_EQ(Drawn([](QPainter& p) { GdiRectangle(p, 1, 0, 5, 3); }),
              (std::vector<std::string>{".####.", ".#..#.", ".####.", "......"}));
    EXPECT_EQ(Drawn([](QPainter& p) { GdiFillRect(p, 2, 1, 4, 4, kRed); }),
              (std::vector<std::string>{"......", "..##..", "..##..", "..##.."}));
    EXPECT_EQ(Drawn([](QPainter& p) { GdiRectangle(p, 3, 1, 3, 3); }),
              (std::vector<std::string>{"......", "......", "......", "......"}));
}

// Lines set straight into the image cover the pixels the painter covers:
// every column, row and one-column step with ends in and around a small
// image, and a longer slant, which the painter draws itself.
TEST(GdiDrawTest, LinesSetDirectlyCoverThePaintersPixels) {
    const auto draw = [](QImage::Format format, bool run, int x1, int y1, int x2, int y2) {
        QImage image(6, 6, format);
        image.fill(Qt::white);
        QPainter painter(&image);
        PrepareGdiPainter(painter);
        painter.setPen(GdiPen(kRed));
        GdiLineRun lines(painter);
        if (run)
            lines.Line(qRgb(255, 0, 0), x1, y1, x2, y2);
        else
            GdiLine(painter, x1, y1, x2, y2);
        painter.end();
        return Rows(image);
    };
    int lines = 0;
    int differing = 0;
    for (int x1 = -2; x1 <= 7; ++x1) {
        for (int y1 = -2; y1 <= 7; ++y1) {
            for (int x2 = -2; x2 <= 7; ++x2) {
                for (int y2 = -2; y2 <= 7; ++y2) {
                    if (std::abs(x2 - x1) > 1 && y1 != y2 && !(x1 == 0 && y1 == 0))
                        continue;
                    ++lines;
                    differing += draw(QImage::Format_RGB32, true, x1, y1, x2, y2) !=
                                 draw(QImage::Format_ARGB32, false, x1, y1, x2, y2);
                }
            }
        }
    }
    EXPECT_EQ(differing, 0) << "of " << lines;
}

TEST(GdiDrawTest, AFocusRectangleInvertsEveryOtherOutlinePixelAndGoesWhenDrawnAgain) {
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(QColor(0, 255, 255));  // inverted: red
    QPainter painter(&image);
    GdiFocusRect(painter, 0, 0, 6, 4);
    painter.end();
    EXPECT_EQ(Rows(image), (std::vector<std::string>{"#.#.#.", ".....#", "#.....", ".#.#.#"}));
    painter.begin(&image);
    GdiFocusRect(painter, 0, 0, 6, 4);
    painter.end();
    EXPECT_EQ(Rows(image), std::vector<std::string>(4, "......"));
}

TEST(GdiDrawTest, PositiveHeightIsTheCellNegativeTheCharacter) {
    for (int height : {12, 16, 19, 24})
        EXPECT_LE(CellHeight(GdiFont(QStringLiteral("Times New Roman"), height)), height) << height;
    EXPECT_EQ(GdiFont(QStringLiteral("Arial"), -12).pixelSize(), 12);
    EXPECT_EQ(GdiFont(QStringLiteral("Microsoft Sans Serif"), 16, 600).weight(), 600);
}
