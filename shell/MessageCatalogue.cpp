#include "shell/MessageCatalogue.h"

#include "platform/UserMessages.h"

#include <array>

namespace shell {

namespace {

struct CatalogueEntry {
    std::uint32_t id;
    const char* name;
    const char* description;
};

constexpr std::array<CatalogueEntry, 101> kCatalogue{{
    {platform::UM_LAP_LIST_ALL_VIEW, "UM_LAP_LIST_ALL_VIEW", "message for lap list all view"},
    {platform::UM_SET_RPM_DATA_VALUE, "UM_SET_RPM_DATA_VALUE", "set rpm dara value"},
    {platform::UM_SET_SPEED_DATA_VALUE, "UM_SET_SPEED_DATA_VALUE", "set speed data value"},
    {platform::UM_SET_G_HORIZ_DATA_VALUE, "UM_SET_G_HORIZ_DATA_VALUE", nullptr},
    {platform::UM_SET_G_VERT_DATA_VALUE, "UM_SET_G_VERT_DATA_VALUE", nullptr},
    {platform::UM_SET_TEMP1_DATA_VALUE, "UM_SET_TEMP1_DATA_VALUE", nullptr},
    {platform::UM_SET_TEMP2_DATA_VALUE, "UM_SET_TEMP2_DATA_VALUE", nullptr},
    {platform::UM_SET_PRESS1_DATA_VALUE, "UM_SET_PRESS1_DATA_VALUE", nullptr},
    {platform::UM_SET_PRESS2_DATA_VALUE, "UM_SET_PRESS2_DATA_VALUE", nullptr},
    {platform::UM_SET_HANDLE_DATA_VALUE, "UM_SET_HANDLE_DATA_VALUE", nullptr},
    {platform::UM_SET_ACCEL_DATA_VALUE, "UM_SET_ACCEL_DATA_VALUE", nullptr},
    {platform::UM_SET_GEAR_DATA_VALUE, "UM_SET_GEAR_DATA_VALUE", nullptr},
    {platform::UM_SET_VOLT_DATA_VALUE, "UM_SET_VOLT_DATA_VALUE", nullptr},
    {platform::UM_SET_ANGL_DATA_VALUE, "UM_SET_ANGL_DATA_VALUE", nullptr},
    {platform::UM_CURSOR_PRESS, "UM_CURSOR_PRESS", nullptr},
    {platform::UM_CURSOR_MOVE, "UM_CURSOR_MOVE", nullptr},
    {platform::UM_CURSOR_RELEASE, "UM_CURSOR_RELEASE", nullptr},
    {platform::UM_SET_DISTANCE_VALUE, "UM_SET_DISTANCE_VALUE", nullptr},
    {platform::UM_CURSOR_PRESS_NOTIFY, "UM_CURSOR_PRESS_NOTIFY", nullptr},
    {platform::UM_LIST_HEADER_RIGHT_CLICK, "UM_LIST_HEADER_RIGHT_CLICK", "popup right click menu on listview header"},
    {platform::UM_LAP_LIST_REVIEW, "UM_LAP_LIST_REVIEW", "lap list reviewing "},
    {platform::UM_DRAW_MAP_ON_VIEW, "UM_DRAW_MAP_ON_VIEW", "draw map on view"},
    {platform::UM_REDRAW_LAP_GRAPH, "UM_REDRAW_LAP_GRAPH", "Redraw plot graf on Lap view"},
    {platform::UM_PLOT_GRAPH_CLOSED, "UM_PLOT_GRAPH_CLOSED", "Close , finish plot-graf dialog"},
    {platform::UM_X_AXIS_CHANGED, "UM_X_AXIS_CHANGED", "X axis value change , redraw X scale"},
    {platform::UM_RESET_CHANNEL_VIEW, "UM_RESET_CHANNEL_VIEW", "Reset channel view overlap window"},
    {platform::UM_RESET_LAP_LIST, "UM_RESET_LAP_LIST", "Reset listview all lap list"},
    {platform::UM_RESET_PROPERTY_CHANNEL_LIST, "UM_RESET_PROPERTY_CHANNEL_LIST", "Reset property channel item list"},
    {platform::UM_RESET_X_SCALE_VARIABLE, "UM_RESET_X_SCALE_VARIABLE", "Reset property X scale variable"},
    {platform::UM_SET_OVERLAP_COUNT, "UM_SET_OVERLAP_COUNT", "Set  Over lap count"},
    {platform::UM_SET_LAP_TIME_VALUE, "UM_SET_LAP_TIME_VALUE", "Set laptime long value on logging"},
    {platform::UM_MOVE_VERTICAL_LINE_BY_KEY, "UM_MOVE_VERTICAL_LINE_BY_KEY", "move vertical line by arrow key"},
    {platform::UM_DOCKING_PANEL_CREATED, "UM_DOCKING_PANEL_CREATED", "Docking panel be created"},
    {platform::UM_CLOSE_SLIDING_PANEL, "UM_CLOSE_SLIDING_PANEL", "close sliding Docking panel "},
    {platform::UM_OPEN_SLIDING_PANEL, "UM_OPEN_SLIDING_PANEL", "open sliding Docking panel"},
    {platform::UM_CLOSE_LOGFILE_IN_GROUP, "UM_CLOSE_LOGFILE_IN_GROUP", "close logfile in grouping on listview"},
    {platform::UM_REDRAW_MAP_BY_OFFSET_MODE, "UM_REDRAW_MAP_BY_OFFSET_MODE", "redraw mapp by offset mode"},
    {platform::UM_PUT_SEGMENT_INFO, "UM_PUT_SEGMENT_INFO", "put on segment info area"},
    {platform::UM_MOVE_SEGMENT_INFO, "UM_MOVE_SEGMENT_INFO", "move on segment info area"},
    {platform::UM_STOP_TRACKING_PLOT, "UM_STOP_TRACKING_PLOT", "stop tracking on plot graph window"},
    {platform::UM_REGIST_COURSE_MAP, "UM_REGIST_COURSE_MAP", "regist course map"},
    {platform::UM_VIEW_READ_MAP_FILE, "UM_VIEW_READ_MAP_FILE", "viewing read map file"},
    {platform::UM_ANALYSIS_LINE, "UM_ANALYSIS_LINE", "analysis line on view"},
    {platform::UM_REGISTER_WND_PROPERTY, "UM_REGISTER_WND_PROPERTY", "Register wnd property"},
    {platform::UM_MDI_CHILD_ACTIVATE, "UM_MDI_CHILD_ACTIVATE", "MDI Child Window Activate"},
    {platform::UM_CHANNEL_PROPERTY_MENU, "UM_CHANNEL_PROPERTY_MENU", "popup dialog channel property menu"},
    {platform::UM_COLOR_SELECTED, "UM_COLOR_SELECTED", "be Selected color by dialog"},
    {platform::UM_COLOR_PROPERTY_SELECTED, "UM_COLOR_PROPERTY_SELECTED", "Color property be selected by dialog"},
    {platform::UM_LAP_COLOR_PROPERTY, "UM_LAP_COLOR_PROPERTY", "Popup dialog , Lap color property"},
    {platform::UM_MAP_PROPERTY, "UM_MAP_PROPERTY", "Popup dialog , Map property"},
    {platform::UM_RESET_SEGMENT_COLOR, "UM_RESET_SEGMENT_COLOR", "Reset Segment Color"},
    {platform::UM_STOP_TRACKING_SPLITTER, "UM_STOP_TRACKING_SPLITTER", "Stop tracking splitter"},
    {platform::UM_REGISTER_PATH, "UM_REGISTER_PATH", "Register path"},
    {platform::UM_DRAW_THUMBNAIL_LIST, "UM_DRAW_THUMBNAIL_LIST", "Draw thubnail list"},
    {platform::UM_SELECTED_MAP_FROM_THUMBNAIL_LIST, "UM_SELECTED_MAP_FROM_THUMBNAIL_LIST", "Selected map from Thumbnail List"},
    {platform::UM_ADD_SEGMENT, "UM_ADD_SEGMENT", "add segment"},
    {platform::UM_DELETE_SEGMENT, "UM_DELETE_SEGMENT", "delete segment"},
    {platform::UM_CLEAR_SEGMENT, "UM_CLEAR_SEGMENT", "clear segment"},
    {platform::UM_RESET_SEGMENT, "UM_RESET_SEGMENT", "reset segment"},
    {platform::UM_NOW_SEGMENT_COUNT_ON_MAP, "UM_NOW_SEGMENT_COUNT_ON_MAP", "Now Segment Count on Map"},
    {platform::UM_SEGMENT_LENGTH, "UM_SEGMENT_LENGTH", "Segment length"},
    {platform::UM_SET_STATUS_BAR_MAP_DRAWING_MODE, "UM_SET_STATUS_BAR_MAP_DRAWING_MODE", "Set status bar Map drawing mode"},
    {platform::UM_SEGMENT_LENGTH_CHANGED, "UM_SEGMENT_LENGTH_CHANGED", "Segment length changed"},
    {platform::UM_EDITING_GROUP_NAME, "UM_EDITING_GROUP_NAME", "Editting Group Name"},
    {platform::UM_AFTER_EDIT_GROUP_NAME, "UM_AFTER_EDIT_GROUP_NAME", "After Edit Group Name"},
    {platform::UM_RESET_MAP_DRAWING_MODE, "UM_RESET_MAP_DRAWING_MODE", "Reset map drawing mode"},
    {platform::UM_MOVING_SEGMENT, "UM_MOVING_SEGMENT", "Moving Segment position , length"},
    {platform::UM_SEGMENT_EDIT_DIALOG_POPUP, "UM_SEGMENT_EDIT_DIALOG_POPUP", "Segment edit dialog popup"},
    {platform::UM_SEGMENT_EDIT_REPLACE, "UM_SEGMENT_EDIT_REPLACE", "OK Segment edit replace"},
    {platform::UM_SAVE_SEGMENT_GROUP_INFO, "UM_SAVE_SEGMENT_GROUP_INFO", "Save Segment group Info."},
    {platform::UM_EDITING_SEGMENT_INFO_VIEW_INIT, "UM_EDITING_SEGMENT_INFO_VIEW_INIT", "Editing Segment info view initialize"},
    {platform::UM_MAP_PATH_CONTROL, "UM_MAP_PATH_CONTROL", "Map path control, set or get"},
    {platform::UM_REDRAW_ROTATE_COURSE_MAP, "UM_REDRAW_ROTATE_COURSE_MAP", "Redraw rotate Course map "},
    {platform::UM_SET_SELECTED_SEGMENT_COLOR, "UM_SET_SELECTED_SEGMENT_COLOR", "Set selected segment color to property list item"},
    {platform::UM_INPUT_SEGMENT_LENGTH_DIALOG, "UM_INPUT_SEGMENT_LENGTH_DIALOG", "Input segment length dialog"},
    {platform::UM_GET_BASE_LAP_CONTAINER, "UM_GET_BASE_LAP_CONTAINER", "Get base lap cpntianor to parent"},
    {platform::UM_GET_MAP_ON_VIEW_EDIT_SEGMENT_INFO, "UM_GET_MAP_ON_VIEW_EDIT_SEGMENT_INFO", "Get map on view edit segment info"},
    {platform::UM_SET_ANALOG1_VALUE, "UM_SET_ANALOG1_VALUE", "Set value Analog1 to property sheet "},
    {platform::UM_SET_ANALOG2_VALUE, "UM_SET_ANALOG2_VALUE", "Set value Analog2 to property sheet"},
    {platform::UM_SET_ANALOG3_VALUE, "UM_SET_ANALOG3_VALUE", "Set value Analog3 to property sheet"},
    {platform::UM_SET_ANALOG4_VALUE, "UM_SET_ANALOG4_VALUE", "Set value Analog4 to property sheet"},
    {platform::UM_SET_ANALOG5_VALUE, "UM_SET_ANALOG5_VALUE", "Set value Analog5 to property sheet"},
    {platform::UM_ZOOM_CONTROL, "UM_ZOOM_CONTROL", "Zoom control"},
    {platform::UM_SCROLL_CONTROL_ON_ZOOM, "UM_SCROLL_CONTROL_ON_ZOOM", "Scroll control on zoom"},
    {platform::UM_GET_OVERLAP_GRAPH_STATUS, "UM_GET_OVERLAP_GRAPH_STATUS", "Get overlap graph status"},
    {platform::UM_RESET_ZOOM_GRAPH_VIEW, "UM_RESET_ZOOM_GRAPH_VIEW", "Reset zoom graph view"},
    {platform::UM_SCROLL_GRAPH_ON_ZOOM_BY_MOUSE, "UM_SCROLL_GRAPH_ON_ZOOM_BY_MOUSE", "Scroll Graph on zomm by mouse move"},
    {platform::UM_ZOOM_CONTROL_DIVISION_TIME, "UM_ZOOM_CONTROL_DIVISION_TIME", "Zoom Control division time"},
    {platform::UM_ZOOM_CONTROL_BY_ARROW_KEY, "UM_ZOOM_CONTROL_BY_ARROW_KEY", "Zoom control by arrow key"},
    {platform::UM_PUT_LOGGING_TIME, "UM_PUT_LOGGING_TIME", "Put logging time\nclock log time"},
    {platform::UM_CLOCK_TIME_WINDOW_VIEW, "UM_CLOCK_TIME_WINDOW_VIEW", "Clock time window viewogging time view"},
    {platform::UM_POPUP_VARIABLE_Y_SCALE_DIALOG, "UM_POPUP_VARIABLE_Y_SCALE_DIALOG", "Popup Variable Y scale Dialog"},
    {platform::UM_SCALING_Y_AXIS_MAX_VALUE, "UM_SCALING_Y_AXIS_MAX_VALUE", "Scaling Y axis max value"},
    {platform::UM_INPUT_PROPERTY_VALUE_OF_CHANNEL_MAX, "UM_INPUT_PROPERTY_VALUE_OF_CHANNEL_MAX", "Input property value of channel max"},
    {platform::UM_SAVE_CHANNEL_MAX_VALUE, "UM_SAVE_CHANNEL_MAX_VALUE", "Save to Registry Channel Max value"},
    {platform::UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, "UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME", "Redraw for changing Y scale max , channel name"},
    {platform::UM_CHANNEL_VIEW_INFO, "UM_CHANNEL_VIEW_INFO", "Get / Set Channel view info on Lap overview"},
    {platform::UM_CHANNEL_SCALE_VIEW_INFO, "UM_CHANNEL_SCALE_VIEW_INFO", "Get / Set Channel Scale view info on Y Scale View"},
    {platform::UM_SET_VARIABLE_SCALE_CONTROL_VALUE, "UM_SET_VARIABLE_SCALE_CONTROL_VALUE", "Set Variable Scale Control value"},
    {platform::UM_ACTIVATE_LAP_OVERVIEW_WINDOW, "UM_ACTIVATE_LAP_OVERVIEW_WINDOW", "ACtivate Lap over view window"},
    {platform::UM_CHANGED_GLOBAL_MAP_DRAW_MODE, "UM_CHANGED_GLOBAL_MAP_DRAW_MODE", "Changed global map draw mode"},
}};

const CatalogueEntry* FindEntry(std::uint32_t id) {
    if (id < platform::kFirstUserMessage || id > platform::kLastUserMessage)
        return nullptr;
    for (const CatalogueEntry& entry : kCatalogue) {
        if (entry.id == id)
            return &entry;
    }
    return nullptr;
}

}  // namespace

const char* MessageName(std::uint32_t id) {
    const CatalogueEntry* entry = FindEntry(id);
    return entry ? entry->name : nullptr;
}

const char* MessageDescription(std::uint32_t id) {
    const CatalogueEntry* entry = FindEntry(id);
    return entry ? entry->description : nullptr;
}

int MessageCount() { return static_cast<int>(kCatalogue.size()); }

}  // namespace shell
