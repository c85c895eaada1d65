// The private window messages between the windows: numbers 2000 to 2101
// (the first user message number plus 976 to 1077). 2019 is not used.
#pragma once

#include <cstdint>

namespace platform {

inline constexpr std::uint32_t kWmUser = 0x0400;

enum UserMessage : std::uint32_t {
    UM_LAP_LIST_ALL_VIEW = kWmUser + 976,
    UM_SET_RPM_DATA_VALUE = kWmUser + 977,
    UM_SET_SPEED_DATA_VALUE = kWmUser + 978,
    UM_SET_G_HORIZ_DATA_VALUE = kWmUser + 979,
    UM_SET_G_VERT_DATA_VALUE = kWmUser + 980,
    UM_SET_TEMP1_DATA_VALUE = kWmUser + 981,
    UM_SET_TEMP2_DATA_VALUE = kWmUser + 982,
    UM_SET_PRESS1_DATA_VALUE = kWmUser + 983,
    UM_SET_PRESS2_DATA_VALUE = kWmUser + 984,
    UM_SET_HANDLE_DATA_VALUE = kWmUser + 985,
    UM_SET_ACCEL_DATA_VALUE = kWmUser + 986,
    UM_SET_GEAR_DATA_VALUE = kWmUser + 987,
    UM_SET_VOLT_DATA_VALUE = kWmUser + 988,
    UM_SET_ANGL_DATA_VALUE = kWmUser + 989,
    UM_CURSOR_PRESS = kWmUser + 990,
    UM_CURSOR_MOVE = kWmUser + 991,
    UM_CURSOR_RELEASE = kWmUser + 992,
    UM_SET_DISTANCE_VALUE = kWmUser + 993,
    UM_CURSOR_PRESS_NOTIFY = kWmUser + 994,
    UM_LIST_HEADER_RIGHT_CLICK = kWmUser + 996,
    UM_LAP_LIST_REVIEW = kWmUser + 997,
    UM_DRAW_MAP_ON_VIEW = kWmUser + 998,
    UM_REDRAW_LAP_GRAPH = kWmUser + 999,
    UM_PLOT_GRAPH_CLOSED = kWmUser + 1000,
    UM_X_AXIS_CHANGED = kWmUser + 1001,
    UM_RESET_CHANNEL_VIEW = kWmUser + 1002,
    UM_RESET_LAP_LIST = kWmUser + 1003,
    UM_RESET_PROPERTY_CHANNEL_LIST = kWmUser + 1004,
    UM_RESET_X_SCALE_VARIABLE = kWmUser + 1005,
    UM_SET_OVERLAP_COUNT = kWmUser + 1006,
    UM_SET_LAP_TIME_VALUE = kWmUser + 1007,
    UM_MOVE_VERTICAL_LINE_BY_KEY = kWmUser + 1008,
    UM_DOCKING_PANEL_CREATED = kWmUser + 1009,
    UM_CLOSE_SLIDING_PANEL = kWmUser + 1010,
    UM_OPEN_SLIDING_PANEL = kWmUser + 1011,
    UM_CLOSE_LOGFILE_IN_GROUP = kWmUser + 1012,
    UM_REDRAW_MAP_BY_OFFSET_MODE = kWmUser + 1013,
    UM_PUT_SEGMENT_INFO = kWmUser + 1014,
    UM_MOVE_SEGMENT_INFO = kWmUser + 1015,
    UM_STOP_TRACKING_PLOT = kWmUser + 1016,
    UM_REGIST_COURSE_MAP = kWmUser + 1017,
    UM_VIEW_READ_MAP_FILE = kWmUser + 1018,
    UM_ANALYSIS_LINE = kWmUser + 1019,
    UM_REGISTER_WND_PROPERTY = kWmUser + 1020,
    UM_MDI_CHILD_ACTIVATE = kWmUser + 1021,
    UM_CHANNEL_PROPERTY_MENU = kWmUser + 1022,
    UM_COLOR_SELECTED = kWmUser + 1023,
    UM_COLOR_PROPERTY_SELECTED = kWmUser + 1024,
    UM_LAP_COLOR_PROPERTY = kWmUser + 1025,
    UM_MAP_PROPERTY = kWmUser + 1026,
    UM_RESET_SEGMENT_COLOR = kWmUser + 1027,
    UM_STOP_TRACKING_SPLITTER = kWmUser + 1028,
    UM_REGISTER_PATH = kWmUser + 1029,
    UM_DRAW_THUMBNAIL_LIST = kWmUser + 1030,
    UM_SELECTED_MAP_FROM_THUMBNAIL_LIST = kWmUser + 1031,
    UM_ADD_SEGMENT = kWmUser + 1032,
    UM_DELETE_SEGMENT = kWmUser + 1033,
    UM_CLEAR_SEGMENT = kWmUser + 1034,
    UM_RESET_SEGMENT = kWmUser + 1035,
    UM_NOW_SEGMENT_COUNT_ON_MAP = kWmUser + 1036,
    UM_SEGMENT_LENGTH = kWmUser + 1037,
    UM_SET_STATUS_BAR_MAP_DRAWING_MODE = kWmUser + 1038,
    UM_SEGMENT_LENGTH_CHANGED = kWmUser + 1039,
    UM_EDITING_GROUP_NAME = kWmUser + 1040,
    UM_AFTER_EDIT_GROUP_NAME = kWmUser + 1041,
    UM_RESET_MAP_DRAWING_MODE = kWmUser + 1042,
    UM_MOVING_SEGMENT = kWmUser + 1043,
    UM_SEGMENT_EDIT_DIALOG_POPUP = kWmUser + 1044,
    UM_SEGMENT_EDIT_REPLACE = kWmUser + 1045,
    UM_SAVE_SEGMENT_GROUP_INFO = kWmUser + 1046,
    UM_EDITING_SEGMENT_INFO_VIEW_INIT = kWmUser + 1047,
    UM_MAP_PATH_CONTROL = kWmUser + 1048,
    UM_REDRAW_ROTATE_COURSE_MAP = kWmUser + 1049,
    UM_SET_SELECTED_SEGMENT_COLOR = kWmUser + 1050,
    UM_INPUT_SEGMENT_LENGTH_DIALOG = kWmUser + 1051,
    UM_GET_BASE_LAP_CONTAINER = kWmUser + 1052,
    UM_GET_MAP_ON_VIEW_EDIT_SEGMENT_INFO = kWmUser + 1053,
    UM_SET_ANALOG1_VALUE = kWmUser + 1054,
    UM_SET_ANALOG2_VALUE = kWmUser + 1055,
    UM_SET_ANALOG3_VALUE = kWmUser + 1056,
    UM_SET_ANALOG4_VALUE = kWmUser + 1057,
    UM_SET_ANALOG5_VALUE = kWmUser + 1058,
    UM_ZOOM_CONTROL = kWmUser + 1059,
    UM_SCROLL_CONTROL_ON_ZOOM = kWmUser + 1060,
    UM_GET_OVERLAP_GRAPH_STATUS = kWmUser + 1061,
    UM_RESET_ZOOM_GRAPH_VIEW = kWmUser + 1062,
    UM_SCROLL_GRAPH_ON_ZOOM_BY_MOUSE = kWmUser + 1063,
    UM_ZOOM_CONTROL_DIVISION_TIME = kWmUser + 1064,
    UM_ZOOM_CONTROL_BY_ARROW_KEY = kWmUser + 1065,
    UM_PUT_LOGGING_TIME = kWmUser + 1066,
    UM_CLOCK_TIME_WINDOW_VIEW = kWmUser + 1067,
    UM_POPUP_VARIABLE_Y_SCALE_DIALOG = kWmUser + 1068,
    UM_SCALING_Y_AXIS_MAX_VALUE = kWmUser + 1069,
    UM_INPUT_PROPERTY_VALUE_OF_CHANNEL_MAX = kWmUser + 1070,
    UM_SAVE_CHANNEL_MAX_VALUE = kWmUser + 1071,
    UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME = kWmUser + 1072,
    UM_CHANNEL_VIEW_INFO = kWmUser + 1073,
    UM_CHANNEL_SCALE_VIEW_INFO = kWmUser + 1074,
    UM_SET_VARIABLE_SCALE_CONTROL_VALUE = kWmUser + 1075,
    UM_ACTIVATE_LAP_OVERVIEW_WINDOW = kWmUser + 1076,
    UM_CHANGED_GLOBAL_MAP_DRAW_MODE = kWmUser + 1077,
};

static_assert(UM_LAP_LIST_ALL_VIEW == 2000);
static_assert(UM_CHANGED_GLOBAL_MAP_DRAW_MODE == 2101);

inline constexpr std::uint32_t kFirstUserMessage = UM_LAP_LIST_ALL_VIEW;
inline constexpr std::uint32_t kLastUserMessage = UM_CHANGED_GLOBAL_MAP_DRAW_MODE;

// The wParam of a cursor value message (a channel's value, 2017's distance, 2031's time) for a
// compared lap that has no sample at the cursor: its row names the lap and shows no value. A
// value travels as a sign-extended 32-bit word, which this never is.
inline constexpr std::uint64_t kNoCursorValue = std::uint64_t{1} << 32;

}  // namespace platform
