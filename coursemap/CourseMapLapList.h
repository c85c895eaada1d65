// The lap list of the course map viewer (control 103): the laps as 125 x 100 thumbnails of their
// courses with a label, or as a report of lap number, distance and file name that sorts by its
// first two columns as numbers. Its menu switches between the two ("Map List view Style "); the
// viewer fills it and is told which lap was clicked.
#pragma once

#include "core/LapData.h"

#include <QImage>
#include <QStackedWidget>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class QListWidget;
class QTreeWidget;

class CourseMapLapList : public QStackedWidget {
public:
    static constexpr int kReportStyle = 0;
    static constexpr int kThumbnailStyle = 1;
    static constexpr QSize kIconSize{125, 100};
    // The menu's commands.
    static constexpr int kCmdReport = 1;
    static constexpr int kCmdThumbnail = 2;

    struct Entry {
        orvelo::LapRef lap;
        QString label;     // under the thumbnail
        QImage thumbnail;
        QStringList cells;  // the report's columns
    };

    explicit CourseMapLapList(QWidget* parent = nullptr);

    // The laps in the style; the report's columns by the viewer's list mode (0 log laps, 1 course-map
    // laps). The shown lap's item is the current one.
    void Fill(int style, int listMode, const std::vector<Entry>& entries, const orvelo::LapRef& shown);
    int Style() const { return m_style; }
    QListWidget& Thumbnails() const { return *m_thumbnails; }
    QTreeWidget& Report() const { return *m_report; }
    // The item the arrow keys move, -1 for none.
    int ItemIndex() const { return m_itemIndex; }

    // A click on a report column's header: columns 0 and 1 sort as numbers, each click on one
    // reversing its order; the others do not sort.
    void OnColumnClick(int column);
    void OnMenuCommand(int id);

    // Told when a lap is clicked and when the menu chose a style.
    std::function<void(const orvelo::LapRef&)> onLapClicked;
    std::function<void(int style)> onStyleChosen;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetReportColumns(int listMode);
    void MoveItemIndex(int step);

    QListWidget* m_thumbnails;
    QTreeWidget* m_report;
    int m_style = kThumbnailStyle;
    int m_itemIndex = -1;
    std::array<bool, 2> m_ascending{true, true};
};
