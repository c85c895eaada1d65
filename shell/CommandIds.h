// Command numbers of the menus and toolbars, kept as the program has always
// numbered them.
#pragma once

namespace command {

inline constexpr int kFileNew = 57600;        // "New Work Area(&N) Ctrl+N"
inline constexpr int kFileOpen = 57601;       // "Open(&O)... Ctrl+O"
inline constexpr int kFileClose = 57603;      // work area: "Close log file..."
inline constexpr int kWindowManager = 131;    // "Windows...": the work-area windows dialog
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintDirect = 57608;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kAnalysisSetup = 57635;
inline constexpr int kAppAbout = 57664;       // "Version info this app. (&A)..."
inline constexpr int kAppExit = 57665;        // "Exit analysis(&X)"
inline constexpr int kMapOpen = 32814;        // "Map Open..."
inline constexpr int kCloseLogFile = 32785;   // "Close log file..."
inline constexpr int kCloseMapFile = 32815;   // "Close map file..."
inline constexpr int kFileOverviewGraph = 32780;
inline constexpr int kLapOverviewGraph = 32790;
inline constexpr int kLoggingTime = 32787;
inline constexpr int kCaptionBar = 221;
inline constexpr int kZoomMode = 308;
inline constexpr int kResetZoom = 309;
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;

}  // namespace command
