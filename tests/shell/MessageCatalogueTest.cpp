// The message catalogue: every number with its constant, the constant's name
// and its description in the description's own spelling and spacing, so two
// swapped constants or texts fail. 2019 has neither constant nor text.
#include "shell/MessageCatalogue.h"
#include "platform/UserMessages.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

struct CatalogueRow {
    std::uint32_t constant;
    std::uint32_t number;
    const char* name;
    const char* description;  // nullptr: none
};

const CatalogueRow kRows[] = {
    {platform::UM_LAP_LIST_ALL_VIEW, 2000, "UM_LAP_LIST_ALL_VIEW", "message for lap list all view"},
    {platform::UM_SET_RPM_DATA_VALUE, 2001, "UM_SET_RPM_DATA_VALUE", "set rpm dara value"},
    {platform::UM_SET_SPEED_DATA_VALUE, 2002, "UM_SET_SPEED_DATA_VALUE", "set speed data value"},
    {platform::UM_SET_G_HORIZ_DATA_VALUE, 2003, "UM_SET_G_HORIZ_DATA_VALUE", nullptr},
    {platform::UM_SET_G_VERT_DATA_VALUE, 2004, "UM_SET_G_VERT_DATA_VALUE", nullptr},
    {platform::UM_SET_TEMP1_DATA_VALUE, 2005, "UM_SET_TEMP1_DATA_VALUE", nullptr},
    {platform::UM_SET_TEMP2_DATA_VALUE, 2006, "UM_SET_TEMP2_DATA_VALUE", nullptr},
    {platform::UM_SET_PRESS1_DATA_VALUE, 2007, "UM_SET_PRESS1_DATA_VALUE", nullptr},
    {platform::UM_SET_PRESS2_DATA_VALUE, 2008, "UM_SET_PRESS2_DATA_VALUE", nullptr},
    {platform::UM_SET_HANDLE_DATA_VALUE, 2009, "UM_SET_HANDLE_DATA_VALUE", nullptr},
    {platform::UM_SET_ACCEL_DATA_VALUE, 2010, "UM_SET_ACCEL_DATA_VALUE", nullptr},
    {platform::UM_SET_GEAR_DATA_VALUE, 2011, "UM_SET_GEAR_DATA_VALUE", nullptr},
    {platform::UM_SET_VOLT_DATA_VALUE, 2012, "UM_SET_VOLT_DATA_VALUE", nullptr},
    {platform::UM_SET_ANGL_DATA_VALUE, 2013, "UM_SET_ANGL_DATA_VALUE", nullptr},
    {platform::UM_CURSOR_PRESS, 2014, "UM_CURSOR_PRESS", nullptr},
    {platform::UM_CURSOR_MOVE, 2015, "UM_CURSOR_MOVE", nullptr},
    {platform::UM_CURSOR_RELEASE, 2016, "UM_CURSOR_RELEASE", nullptr},
    {platform::UM_SET_DISTANCE_VALUE, 2017, "UM_SET_DISTANCE_VALUE", nullptr},
    {platform::UM_CURSOR_PRESS_NOTIFY, 2018, "UM_CURSOR_PRESS_NOTIFY", nullptr},
    {platform::UM_LIST_HEADER_RIGHT_CLICK, 2020, "UM_LIST_HEADER_RIGHT_CLICK", "popup right click menu on listview header"},
    {platform::UM_LAP_LIST_REVIEW, 2021, "UM_LAP_LIST_REVIEW", "lap list reviewing "},
    {platform::UM_DRAW_MAP_ON_VIEW, 2022, "UM_DRAW_MAP_ON_VIEW", "draw map on view"},
    {platform::UM_REDRAW_LAP_GRAPH, 2023, "UM_REDRAW_LAP_GRAPH", "Redraw plot graf on Lap view"},
    {platform::UM_PLOT_GRAPH_CLOSED, 2024, "UM_PLOT_GRAPH_CLOSED", "Close , finish plot-graf dialog"},
    {platform::UM_X_AXIS_CHANGED, 2025, "UM_X_AXIS_CHANGED", "X axis value change , redraw X scale"},
    {platform::UM_RESET_CHANNEL_VIEW, 2026, "UM_RESET_CHANNEL_VIEW", "Reset channel view overlap window"},
    {platform::UM_RESET_LAP_LIST, 2027, "UM_RESET_LAP_LIST", "Reset listview all lap list"},
    {platform::UM_RESET_PROPERTY_CHANNEL_LIST, 2028, "UM_RESET_PROPERTY_CHANNEL_LIST", "Reset property channel item list"},
    {platform::UM_RESET_X_SCALE_VARIABLE, 2029, "UM_RESET_X_SCALE_VARIABLE", "Reset property X scale variable"},
    {platform::UM_SET_OVERLAP_COUNT, 2030, "UM_SET_OVERLAP_COUNT", "Set  Over lap count"},
    {platform::UM_SET_LAP_TIME_VALUE, 2031, "UM_SET_LAP_TIME_VALUE", "Set laptime long value on logging"},
    {platform::UM_MOVE_VERTICAL_LINE_BY_KEY, 2032, "UM_MOVE_VERTICAL_LINE_BY_KEY", "move vertical line by arrow key"},
    {platform::UM_DOCKING_PANEL_CREATED, 2033, "UM_DOCKING_PANEL_CREATED", "Docking panel be created"},
    {platform::UM_CLOSE_SLIDING_PANEL, 2034, "UM_CLOSE_SLIDING_PANEL", "close sliding Docking panel "},
    {platform::UM_OPEN_SLIDING_PANEL, 2035, "UM_OPEN_SLIDING_PANEL", "open sliding Docking panel"},
    {platform::UM_CLOSE_LOGFILE_IN_GROUP, 2036, "UM_CLOSE_LOGFILE_IN_GROUP", "close logfile in grouping on listview"},
    {platform::UM_REDRAW_MAP_BY_OFFSET_MODE, 2037, "UM_REDRAW_MAP_BY_OFFSET_MODE", "redraw mapp by offset mode"},
    {platform::UM_PUT_SEGMENT_INFO, 2038, "UM_PUT_SEGMENT_INFO", "put on segment info area"},
    {platform::UM_MOVE_SEGMENT_INFO, 2039, "UM_MOVE_SEGMENT_INFO", "move on segment info area"},
    {platform::UM_STOP_TRACKING_PLOT, 2040, "UM_STOP_TRACKING_PLOT", "stop tracking on plot graph window"},
    {platform::UM_REGIST_COURSE_MAP, 2041, "UM_REGIST_COURSE_MAP", "regist course map"},
    {platform::UM_VIEW_READ_MAP_FILE, 2042, "UM_VIEW_READ_MAP_FILE", "viewing read map file"},
    {platform::UM_ANALYSIS_LINE, 2043, "UM_ANALYSIS_LINE", "analysis line on view"},
    {platform::UM_REGISTER_WND_PROPERTY, 2044, "UM_REGISTER_WND_PROPERTY", "Register wnd property"},
    {platform::UM_MDI_CHILD_ACTIVATE, 2045, "UM_MDI_CHILD_ACTIVATE", "MDI Child Window Activate"},
    {platform::UM_CHANNEL_PROPERTY_MENU, 2046, "UM_CHANNEL_PROPERTY_MENU", "popup dialog channel property menu"},
    {platform::UM_COLOR_SELECTED, 2047, "UM_COLOR_SELECTED", "be Selected color by dialog"},
    {platform::UM_COLOR_PROPERTY_SELECTED, 2048, "UM_COLOR_PROPERTY_SELECTED", "Color property be selected by dialog"},
    {platform::UM_LAP_COLOR_PROPERTY, 2049, "UM_LAP_COLOR_PROPERTY", "Popup dialog , Lap color property"},
    {platform::UM_MAP_PROPERTY, 2050, "UM_MAP_PROPERTY", "Popup dialog , Map property"},
    {platform::UM_RESET_SEGMENT_COLOR, 2051, "UM_RESET_SEGMENT_COLOR", "Reset Segment Color"},
    {platform::UM_STOP_TRACKING_SPLITTER, 2052, "UM_STOP_TRACKING_SPLITTER", "Stop tracking splitter"},
    {platform::UM_REGISTER_PATH, 2053, "UM_REGISTER_PATH", "Register path"},
    {platform::UM_DRAW_THUMBNAIL_LIST, 2054, "UM_DRAW_THUMBNAIL_LIST", "Draw thubnail list"},
    {platform::UM_SELECTED_MAP_FROM_THUMBNAIL_LIST, 2055, "UM_SELECTED_MAP_FROM_THUMBNAIL_LIST", "Selected map from Thumbnail List"},
    {platform::UM_ADD_SEGMENT, 2056, "UM_ADD_SEGMENT", "add segment"},
    {platform::UM_DELETE_SEGMENT, 2057, "UM_DELETE_SEGMENT", "delete segment"},
    {platform::UM_CLEAR_SEGMENT, 2058, "UM_CLEAR_SEGMENT", "clear segment"},
    {platform::UM_RESET_SEGMENT, 2059, "UM_RESET_SEGMENT", "reset segment"},
    {platform::UM_NOW_SEGMENT_COUNT_ON_MAP, 2060, "UM_NOW_SEGMENT_COUNT_ON_MAP", "Now Segment Count on Map"},
    {platform::UM_SEGMENT_LENGTH, 2061, "UM_SEGMENT_LENGTH", "Segment length"},
    {platform::UM_SET_STATUS_BAR_MAP_DRAWING_MODE, 2062, "UM_SET_STATUS_BAR_MAP_DRAWING_MODE", "Set status bar Map drawing mode"},
    {platform::UM_SEGMENT_LENGTH_CHANGED, 2063, "UM_SEGMENT_LENGTH_CHANGED", "Segment length changed"},
    {platform::UM_EDITING_GROUP_NAME, 2064, "UM_EDITING_GROUP_NAME", "Editting Group Name"},
    {platform::UM_AFTER_EDIT_GROUP_NAME, 2065, "UM_AFTER_EDIT_GROUP_NAME", "After Edit Group Name"},
    {platform::UM_RESET_MAP_DRAWING_MODE, 2066, "UM_RESET_MAP_DRAWING_MODE", "Reset map drawing mode"},
    {platform::UM_MOVING_SEGMENT, 2067, "UM_MOVING_SEGMENT", "Moving Segment position , length"},
    {platform::UM_SEGMENT_EDIT_DIALOG_POPUP, 2068, "UM_SEGMENT_EDIT_DIALOG_POPUP", "Segment edit dialog popup"},
    {platform::UM_SEGMENT_EDIT_REPLACE, 2069, "UM_SEGMENT_EDIT_REPLACE", "OK Segment edit replace"},
    {platform::UM_SAVE_SEGMENT_GROUP_INFO, 2070, "UM_SAVE_SEGMENT_GROUP_INFO", "Save Segment group Info."},
    {platform::UM_EDITING_SEGMENT_INFO_VIEW_INIT, 2071, "UM_EDITING_SEGMENT_INFO_VIEW_INIT", "Editing Segment info view initialize"},
    {platform::UM_MAP_PATH_CONTROL, 2072, "UM_MAP_PATH_CONTROL", "Map path control, set or get"},
    {platform::UM_REDRAW_ROTATE_COURSE_MAP, 2073, "UM_REDRAW_ROTATE_COURSE_MAP", "Redraw rotate Course map "},
    {platform::UM_SET_SELECTED_SEGMENT_COLOR, 2074, "UM_SET_SELECTED_SEGMENT_COLOR", "Set selected segment color to property list item"},
    {platform::UM_INPUT_SEGMENT_LENGTH_DIALOG, 2075, "UM_INPUT_SEGMENT_LENGTH_DIALOG", "Input segment length dialog"},
    {platform::UM_GET_BASE_LAP_CONTAINER, 2076, "UM_GET_BASE_LAP_CONTAINER", "Get base lap cpntianor to parent"},
    {platform::UM_GET_MAP_ON_VIEW_EDIT_SEGMENT_INFO, 2077, "UM_GET_MAP_ON_VIEW_EDIT_SEGMENT_INFO", "Get map on view edit segment info"},
    {platform::UM_SET_ANALOG1_VALUE, 2078, "UM_SET_ANALOG1_VALUE", "Set value Analog1 to property sheet "},
    {platform::UM_SET_ANALOG2_VALUE, 2079, "UM_SET_ANALOG2_VALUE", "Set value Analog2 to property sheet"},
    {platform::UM_SET_ANALOG3_VALUE, 2080, "UM_SET_ANALOG3_VALUE", "Set value Analog3 to property sheet"},
    {platform::UM_SET_ANALOG4_VALUE, 2081, "UM_SET_ANALOG4_VALUE", "Set value Analog4 to property sheet"},
    {platform::UM_SET_ANALOG5_VALUE, 2082, "UM_SET_ANALOG5_VALUE", "Set value Analog5 to property sheet"},
    {platform::UM_ZOOM_CONTROL, 2083, "UM_ZOOM_CONTROL", "Zoom control"},
    {platform::UM_SCROLL_CONTROL_ON_ZOOM, 2084, "UM_SCROLL_CONTROL_ON_ZOOM", "Scroll control on zoom"},
    {platform::UM_GET_OVERLAP_GRAPH_STATUS, 2085, "UM_GET_OVERLAP_GRAPH_STATUS", "Get overlap graph status"},
    {platform::UM_RESET_ZOOM_GRAPH_VIEW, 2086, "UM_RESET_ZOOM_GRAPH_VIEW", "Reset zoom graph view"},
    {platform::UM_SCROLL_GRAPH_ON_ZOOM_BY_MOUSE, 2087, "UM_SCROLL_GRAPH_ON_ZOOM_BY_MOUSE", "Scroll Graph on zomm by mouse move"},
    {platform::UM_ZOOM_CONTROL_DIVISION_TIME, 2088, "UM_ZOOM_CONTROL_DIVISION_TIME", "Zoom Control division time"},
    {platform::UM_ZOOM_CONTROL_BY_ARROW_KEY, 2089, "UM_ZOOM_CONTROL_BY_ARROW_KEY", "Zoom control by arrow key"},
    {platform::UM_PUT_LOGGING_TIME, 2090, "UM_PUT_LOGGING_TIME", "Put logging time\nclock log time"},
    {platform::UM_CLOCK_TIME_WINDOW_VIEW, 2091, "UM_CLOCK_TIME_WINDOW_VIEW", "Clock time window viewogging time view"},
    {platform::UM_POPUP_VARIABLE_Y_SCALE_DIALOG, 2092, "UM_POPUP_VARIABLE_Y_SCALE_DIALOG", "Popup Variable Y scale Dialog"},
    {platform::UM_SCALING_Y_AXIS_MAX_VALUE, 2093, "UM_SCALING_Y_AXIS_MAX_VALUE", "Scaling Y axis max value"},
    {platform::UM_INPUT_PROPERTY_VALUE_OF_CHANNEL_MAX, 2094, "UM_INPUT_PROPERTY_VALUE_OF_CHANNEL_MAX", "Input property value of channel max"},
    {platform::UM_SAVE_CHANNEL_MAX_VALUE, 2095, "UM_SAVE_CHANNEL_MAX_VALUE", "Save to Registry Channel Max value"},
    {platform::UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, 2096, "UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME", "Redraw for changing Y scale max , channel name"},
    {platform::UM_CHANNEL_VIEW_INFO, 2097, "UM_CHANNEL_VIEW_INFO", "Get / Set Channel view info on Lap overview"},
    {platform::UM_CHANNEL_SCALE_VIEW_INFO, 2098, "UM_CHANNEL_SCALE_VIEW_INFO", "Get / Set Channel Scale view info on Y Scale View"},
    {platform::UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 2099, "UM_SET_VARIABLE_SCALE_CONTROL_VALUE", "Set Variable Scale Control value"},
    {platform::UM_ACTIVATE_LAP_OVERVIEW_WINDOW, 2100, "UM_ACTIVATE_LAP_OVERVIEW_WINDOW", "ACtivate Lap over view window"},
    {platform::UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 2101, "UM_CHANGED_GLOBAL_MAP_DRAW_MODE", "Changed global map draw mode"},
};

TEST(MessageCatalogueTest, EveryNumberHasItsConstantNameAndDescription) {
    for (const CatalogueRow& row : kRows) {
        SCOPED_TRACE(row.number);
        EXPECT_EQ(row.constant, row.number);
        EXPECT_STREQ(shell::MessageName(row.number), row.name);
        if (row.description)
            EXPECT_STREQ(shell::MessageDescription(row.number), row.description);
        else
            EXPECT_EQ(shell::MessageDescription(row.number), nullptr);
    }
    EXPECT_EQ(std::size(kRows), 101u);
    EXPECT_EQ(shell::MessageCount(), 101);
    for (std::uint32_t none : {1999u, 2019u, 2102u})
        EXPECT_EQ(shell::MessageName(none), nullptr) << none;
}

}  // namespace
