// The closing dialog's list: alternating row colours, the selected row, and the widths it measures.
#include "shell/CListCtrlCustomDrawEx.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

class CListCtrlCustomDrawExTest : public ::testing::Test {
protected:
    CListCtrlCustomDrawExTest() {
        list.setColumnCount(2);
        list.setRowCount(3);
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 2; ++c)
                list.setItem(r, c, new QTableWidgetItem(QStringLiteral("cell %1 %2 with a long text").arg(r).arg(c)));
        }
        list.resize(400, 200);
    }
    CListCtrlCustomDrawEx list;
};

TEST_F(CListCtrlCustomDrawExTest, RowColoursAlternateAndSelectionWins) {
    EXPECT_EQ(list.GetCellBkColor(0, 0), 0xFFFFFFu);
    EXPECT_EQ(list.GetCellBkColor(1, 1), 0xFFF0DEu);
    EXPECT_EQ(list.GetCellTextColor(1, 0), 0x000000u);
    list.selectRow(2);
    EXPECT_EQ(list.GetCellBkColor(2, 0), 0xC56A31u);
    EXPECT_EQ(list.GetCellTextColor(2, 1), 0xFFFFFFu);
}

TEST_F(CListCtrlCustomDrawExTest, ColumnTextWidthIsTheWidestTextOrMinusOneWhenEmpty) {
    const QFontMetrics metrics(list.font());
    EXPECT_EQ(list.GetColumnTextWidth(metrics, 1), metrics.horizontalAdvance("cell 0 1 with a long text"));
    CListCtrlCustomDrawEx empty;
    empty.setColumnCount(1);
    EXPECT_EQ(empty.GetColumnTextWidth(metrics, 0), -1);
}

TEST_F(CListCtrlCustomDrawExTest, OwnDrawingPaintsRowsInTheirColours) {
    list.SetOwnDrawing(true);
    list.show();
    const QImage image = list.viewport()->grab().toImage();
    const QRect second = list.visualItemRect(list.item(1, 1));
    EXPECT_EQ(image.pixelColor(second.left() + 1, second.top() + 1), platform::ToQColor(0xFFF0DE));
}

}  // namespace
