#include "shell/CourseMapSaver.h"

#include "shell/COrveloApp.h"
#include "settings/FrameworkProfile.h"
#include "settings/SettingsDefaults.h"

#include "core/LapDataCore.h"
#include "core/MapFileWriter.h"
#include "core/SegmentGroupCodec.h"
#include "platform/MessageBox.h"
#include "platform/SaveFileDialog.h"

#include <QDir>
#include <QFileInfo>

namespace {
constexpr int kMaxProposedNameChars = 128;
static_assert(orvelo::SegmentGroupRecord::kPathChars == platform::MapInfoBlock::kPathChars,
              "a map path that fits a course block fits a group record");
}

QString CourseMapSaver::StartFolder(const QString& lastMapFolder) const {
    if (!lastMapFolder.isEmpty())
        return lastMapFolder;
    const QString stored = m_profile.GetProfileString(settings::kMapFileSection, settings::kMapFileEntry,
                                                      settings::kNothingPath);
    if (stored != settings::kNothingPath && COrveloApp::IsFolderOrDrive(stored))
        return stored;
    return m_desktopFolder;
}

int CourseMapSaver::Save(QWidget* parent, int nameMode, const platform::MapInfoBlock* course,
                         const orvelo::LapRef* lap, QString& lastMapFolder) {
    if (!course) {
        platform::ShowMessageBox(parent, QStringLiteral("Warn , cannot create map-file"), QStringLiteral("OK"));
        return 0;
    }
    QString name;
    if (nameMode == 1)
        name = QString::fromStdU16String(course->CourseName()).left(kMaxProposedNameChars);
    const QString folder = StartFolder(lastMapFolder);
    platform::SaveFileRequest request;
    request.title = QStringLiteral("Save course data to map-file");
    request.defaultSuffix = QStringLiteral("dat");
    request.filter = QStringLiteral("Map File (*.dat)|*.dat|All files (*.*)|*.*||");
    request.initialPath = QDir(folder).filePath(name.isEmpty() ? QStringLiteral("default_map") : name);
    request.overwritePrompt = true;
    const std::optional<QString> chosen = platform::ChooseSaveFile(parent, request);
    if (!chosen)
        return 0;
    // A map file is known by its path in course blocks and group records: one longer could never be
    // shown or keep a group.
    platform::MapInfoBlock fits;
    if (!platform::MapInfoBlock::Put(fits.path.data(), platform::MapInfoBlock::kPathChars, chosen->toStdU16String())) {
        platform::ShowMessageBox(parent, QStringLiteral("ERROR , the path of the map-file is too long.\n") + *chosen,
                                 QStringLiteral("ERROR"), platform::kMbIconError);
        return 0;
    }

    bool numberOk = false;
    uint lapNumber = QString::fromStdU16String(course->ShortText()).trimmed().toUInt(&numberOk);
    if (const orvelo::Lap* named = lap ? m_core.ResolveLap(*lap) : nullptr) {
        lapNumber = named->lapNumber;
        numberOk = true;
    }
    const int result = numberOk ? orvelo::SaveLapAsMapFile(m_core, chosen->toStdU16String(), course->Path(), lapNumber)
                                : 1;
    if (result != 0) {
        platform::ShowMessageBox(parent, QStringLiteral("ERROR , failed write map-file"), QStringLiteral("OK"),
                                 platform::kMbIconError);
        return 0;
    }
    lastMapFolder = QFileInfo(*chosen).absolutePath();
    m_profile.WriteProfileString(settings::kMapFileSection, settings::kMapFileEntry, lastMapFolder);
    m_writtenPath = *chosen;
    platform::ShowMessageBox(parent, QStringLiteral("OK , finish write Map-file"), QStringLiteral("OK"),
                             platform::kMbIconInformation);
    return 1;
}
