// The one place the main frame's lap list pane is created.
#pragma once

class CMainFrame;
class LapListPane;
class QWidget;

// The pane of frame, on its application's data core and lap colour settings; parent owns it.
LapListPane* CreateLapListPane(CMainFrame& frame, QWidget* parent);
