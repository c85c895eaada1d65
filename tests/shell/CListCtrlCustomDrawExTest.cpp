// The closing dialog's list: alternating row colours and the selected row, as reported and as painted.
#include "shell/CListCtrlCustomDrawEx.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(CListCtrlCustomDrawExTest, RowColoursAlternateSelectionWinsAndOwnDrawingPaintsThem) {
    CListCtrlCustomDrawEx list;
    list.setColumnCount(2);
    list.setRowCount(3);
    for (int r = 0; r < 3; ++r)
        list.setItem(r, 1, new QTableWidgetItem(QStringLiteral("cell %1").arg(r)));
    list.resize(400, 200);
    EXPECT_EQ(list.GetCellBkColor(0, 0), 0xFFFFFFu);
    EXPECT_EQ(list.GetCellBkColor(1, 1), 0xFFF0DEu);
    EXPECT_EQ(list.GetCellTextColor(1, 0), 0x000000u);
    list.selectRow(2);
    EXPECT_EQ(list.GetCellBkColor(2, 0), 0xC56A31u);
    EXPECT_EQ(list.GetCellTextColor(2, 1), 0xFFFFFFu);
    list.SetOwnDrawing(true);
    list.show();
    const QImage image = list.viewport()->grab().toImage();
    const QRect second = list.visualItemRect(list.item(1, 1));
    EXPECT_EQ(image.pixelColor(second.left() + 1, second.top() + 1), platform::ToQColor(0xFFF0DE));
}

}  // namespace
