// The property grid: cells in the colours their row asks for or the grid's, captions, hidden
// groups, and whole numbers typed into a row with the edit hooks.
#include "platform/PropertyGrid.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using platform::PropertyGrid;
using platform::PropertyGridItem;
using platform::ToQColor;

class OwnLookRow : public PropertyGridItem {
public:
    OwnLookRow() : PropertyGridItem(QStringLiteral("b"), QStringLiteral("2"), QString()) {}
    CellLook NameLook() const override { return {true, 0x0000FF, true, 0x00FF00}; }
};

QRgb Rgb(platform::ColorRef color) { return ToQColor(color).rgb(); }

TEST(PropertyGridTest, CellsAreFilledAsTheirRowAsksOrInTheGridsColoursAndHiddenGroupsLeave) {
    PropertyGrid grid;
    PropertyGrid::CustomColors colors;
    colors.background = 0x102030;
    colors.groupBackground = 0x405060;
    grid.SetCustomColors(colors);
    auto* group = new PropertyGridItem(QStringLiteral("Group"));
    auto* other = new PropertyGridItem(QStringLiteral("Other"));
    auto* plain = new PropertyGridItem(QStringLiteral("a"), QStringLiteral("1"), QStringLiteral("comment"));
    auto* own = new OwnLookRow;
    grid.AddProperty(group);
    grid.AddProperty(other);
    group->AddSubItem(plain);
    group->AddSubItem(own);
    group->Expand(true);
    grid.resize(240, 200);
    grid.show();
    EXPECT_EQ(grid.RowHeight(), grid.visualItemRect(plain).height());

    const QImage shot = grid.viewport()->grab().toImage();
    const int nameRight = grid.columnWidth(0) - 3;
    const int valueRight = grid.columnWidth(0) + grid.columnWidth(1) - 3;
    const auto at = [&](QTreeWidgetItem* item, int x) { return shot.pixel(x, grid.visualItemRect(item).center().y()); };
    EXPECT_EQ(at(group, valueRight), Rgb(0x405060));
    EXPECT_EQ(at(plain, nameRight), Rgb(0x102030));
    EXPECT_EQ(at(own, nameRight), Rgb(0x0000FF));
    EXPECT_EQ(at(own, valueRight), Rgb(0x102030));

    group->Show(false);
    EXPECT_FALSE(group->IsVisible());
    EXPECT_TRUE(grid.visualItemRect(plain).isEmpty());
    EXPECT_EQ(grid.visualItemRect(other).top(), 0);
}

TEST(PropertyGridTest, AWholeNumberTypedIntoAnEditableRowRunsTheHooks) {
    PropertyGrid grid;
    auto* group = new PropertyGridItem(QStringLiteral("Seg."));
    auto* editable = new PropertyGridItem(QStringLiteral("1"), QStringLiteral("120"), QString());
    auto* fixed = new PropertyGridItem(QStringLiteral("2"), QStringLiteral("80"), QString());
    editable->AllowEdit(true);
    grid.AddProperty(group);
    group->AddSubItem(editable);
    group->AddSubItem(fixed);
    group->Expand(true);
    grid.SetHeaderItems({QStringLiteral("Seg.No."), QStringLiteral("Dist.Value")}, 200);
    grid.SetLeftColumnWidth(64);
    grid.resize(240, 200);
    grid.show();
    EXPECT_EQ(grid.columnWidth(0), 64);
    EXPECT_EQ(grid.HeaderItems(), (QStringList{QStringLiteral("Seg.No."), QStringLiteral("Dist.Value")}));

    std::vector<int> begun;
    std::vector<QString> ended;
    grid.SetEditHooks([&begun](PropertyGridItem& item) { begun.push_back(item.IntValue()); },
                      [&ended](PropertyGridItem& item) { ended.push_back(item.Value()); });
    EXPECT_FALSE(grid.EditItem(fixed));
    ASSERT_TRUE(grid.EditItem(editable));
    auto* editor = grid.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(begun, std::vector<int>{120});
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("2x5-0"));  // only digits are taken
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the delegate takes the value on its next turn
    EXPECT_EQ(ended, std::vector<QString>{QStringLiteral("250")});
    EXPECT_EQ(editable->Value(), QStringLiteral("250"));
    EXPECT_EQ(begun, std::vector<int>{120});  // once, though the row changed under the open editor
}

TEST(PropertyGridTest, ValuesSetOneAfterAnotherAreDrawnInOnePaintOfTheirCellsAsAFreshPictureShowsThem) {
    PropertyGrid grid;
    auto* group = new PropertyGridItem(QStringLiteral("Group"));
    auto* plain = new PropertyGridItem(QStringLiteral("a"), QStringLiteral("1"), QString());
    auto* own = new OwnLookRow;
    auto* still = new PropertyGridItem(QStringLiteral("c"), QStringLiteral("3"), QString());
    grid.AddProperty(group);
    for (PropertyGridItem* row : {plain, static_cast<PropertyGridItem*>(own), still})
        group->AddSubItem(row);
    group->Expand(true);
    grid.resize(240, 200);
    grid.show();
    QImage shown = grid.viewport()->grab().toImage();

    plain->SetValue(QStringLiteral("12"));
    plain->SetValue(QStringLiteral(" 12345"));
    own->SetValue(QStringLiteral("-0.7"));
    still->SetValue(QStringLiteral("3"));
    EXPECT_EQ(plain->Value(), " 12345");
    // The cells are asked for once the queued events are handled; a paint of them alone draws them.
    QCoreApplication::sendPostedEvents(&grid);
    QRegion cells;
    for (PropertyGridItem* row : {plain, static_cast<PropertyGridItem*>(own)}) {
        const QRect line = grid.visualItemRect(row);
        cells += QRect(grid.columnViewportPosition(1), line.top(), grid.columnWidth(1), line.height());
    }
    grid.viewport()->render(&shown, cells.boundingRect().topLeft(), cells);
    EXPECT_EQ(shown, grid.viewport()->grab().toImage());

    // A number's text stands where the painter puts text aligned left and centred in the cell.
    for (const QString& value : {QStringLiteral(" 12345"), QStringLiteral("-0.7"), QStringLiteral("0:20.84")}) {
        plain->SetValue(value);
        const QImage picture = grid.viewport()->grab().toImage();
        const QRect line = grid.visualItemRect(plain);
        const QRect box(grid.columnViewportPosition(1) + 4, line.top(), grid.columnWidth(1) - 8, line.height());
        QImage expected = picture;
        QPainter painter(&expected);
        painter.fillRect(box.adjusted(0, 0, 0, -1), ToQColor(grid.BackgroundColor()));
        painter.setFont(grid.font());
        painter.setPen(ToQColor(grid.TextColor()));
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, value);
        painter.end();
        EXPECT_EQ(picture, expected) << value.toStdString();
    }
}

}  // namespace
