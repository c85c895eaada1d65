// Saves one lap as a course-map file for the main frame: proposes a folder
// and a name, asks for the file, writes it through the data core and tells
// the user how it went.
#pragma once

#include "core/LapData.h"
#include "platform/MessageRecords.h"

#include <QString>

namespace orvelo {
class LapDataCore;
}
class FrameworkProfile;
class QWidget;

class CourseMapSaver {
public:
    CourseMapSaver(orvelo::LapDataCore& core, FrameworkProfile& profile, const QString& desktopFolder)
        : m_core(core), m_profile(profile), m_desktopFolder(desktopFolder) {}

    // nameMode 1 proposes the course name of the block, else "default_map".
    // lap: the lap the block names, when its sender said (the block's
    // lap-number text holds three digits at most); else that text names it.
    // lastMapFolder: the frame's last course-map folder, updated on success.
    // 1 when the file was written; 0 with no block, on Cancel, for a path longer than a course block
    // holds (refused before writing) or a failed write.
    int Save(QWidget* parent, int nameMode, const platform::MapInfoBlock* course, const orvelo::LapRef* lap,
             QString& lastMapFolder);
    // The path written by the last successful Save.
    const QString& WrittenPath() const { return m_writtenPath; }
    // The folder the chooser starts in.
    QString StartFolder(const QString& lastMapFolder) const;

private:
    orvelo::LapDataCore& m_core;
    FrameworkProfile& m_profile;
    QString m_desktopFolder;
    QString m_writtenPath;
};
