// The file of a file-overview pane (kinds 0 and 4), kept by its full path.
#include "graphs/GraphPaneData.h"

#include "core/LapDataCore.h"

namespace {

// The index of the file's first lap with the base-lap mark, -1 when none.
int BaseLapIndex(const orvelo::LogFile& file) {
    for (std::size_t i = 0; i < file.laps.size(); ++i) {
        if (file.laps[i].baseLapMark != 0)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

void GraphPaneData::TakeFile(orvelo::LogFile& file) {
    const int baseLap = BaseLapIndex(file);
    file.drawnMark = 1;
    m_filePath = file.fullPath;
    m_fileTitle = file.title.substr(0, kTitleChars);
    m_fileBaseLap = baseLap < 0 ? orvelo::LapRef{} : orvelo::LapRef{orvelo::FileSet::Log, file.fileId, baseLap};
    m_fileBaseLapNumber = baseLap < 0 ? 0 : file.laps[static_cast<std::size_t>(baseLap)].lapNumber;
    m_dataFlag = true;
}

bool GraphPaneData::OpenFirstBaseLapFile() {
    for (orvelo::LogFile& file : m_core.LogFiles) {
        if (BaseLapIndex(file) >= 0) {
            TakeFile(file);
            return true;
        }
    }
    m_dataFlag = false;
    return false;
}

bool GraphPaneData::SetFile(std::uint32_t fileId) {
    orvelo::LogFile* file = m_core.FindFile(orvelo::FileSet::Log, fileId);
    if (!file)
        return false;
    TakeFile(*file);
    SetZoom(0, 0);
    return true;
}

bool GraphPaneData::RefindFile() {
    orvelo::LogFile* found = nullptr;
    for (orvelo::LogFile& file : m_core.LogFiles) {
        if (!m_filePath.empty() && file.fullPath == m_filePath) {
            found = &file;
            break;
        }
    }
    if (!found) {
        m_dataFlag = false;
        SetZoom(0, 0);
        return true;
    }
    const std::uint32_t numberBefore = m_fileBaseLapNumber;
    TakeFile(*found);
    if (m_fileBaseLapNumber == numberBefore)
        return false;
    SetZoom(0, 0);
    return true;
}
