#include "core/LapFileReader.h"

#include "core/LapDataCore.h"
#include "core/LapTimeText.h"
#include "core/LogFileReader.h"

#include <cstring>
#include <utility>

namespace orvelo {

LapFileReader::LapFileReader(LapDataCore& core, LogFile& file, Kind kind)
    : m_core(core)
    , m_file(file)
    , m_kind(kind)
{
    if (m_kind == Kind::Log) {
        m_records = &m_file.laps.back().records.Edit();
        m_samples = &m_file.laps.back().samples;
        m_positions = &m_file.laps.back().positions;
    } else {
        m_records = &m_core.ScratchRecords;
        m_samples = &m_core.ScratchSamples;
        m_positions = &m_core.ScratchPositions;
    }
}

void LapFileReader::ReadRecord(const std::uint8_t* record)
{
    LogRecord& element = m_records->emplace_back();
    std::memcpy(element.bytes.data(), record, kRecordSize);
    ++m_recordCount;
    switch (KindOfRecord(record)) {
    case RecordKind::Sample:
        ReadSampleRecord(record, false);
        break;
    case RecordKind::LapEnd:
        ReadSampleRecord(record, true);
        ReadLapEnd(record);
        break;
    case RecordKind::Position:
        ReadPositionRecord(record);
        break;
    }
}

void LapFileReader::ReadSampleRecord(const std::uint8_t* record, bool lapEnd)
{
    SampleRec& sample = m_samples->emplace_back();
    DecodeSampleRecord(m_core, record, sample);
    m_lapTime += sample.timeStep;
    m_lapDistance += static_cast<std::uint32_t>(sample.distanceStep);
    sample.runningLapTime = m_lapTime;
    sample.positionIndex = m_positionCount;
    if (!lapEnd)
        ++m_sampleCount;
}

void LapFileReader::ReadLapEnd(const std::uint8_t* record)
{
    Lap* lap = &m_core.LapTemplate;
    if (m_kind == Kind::Log) {
        lap = &m_file.laps.back();
    } else {
        ResetLapTemplate(m_core);
        lap->records = RecordList(std::move(m_core.ScratchRecords));
        m_core.ScratchRecords.clear();
    }
    ++m_lapEndCount;
    const std::uint16_t number = ReadBe16(record + 2);
    lap->lapNumber = number;
    if (number < m_lowestLap)
        m_lowestLap = number;
    if (number > m_highestLap)
        m_highestLap = number;
    m_fileDistance += m_lapDistance;
    lap->distance = m_lapDistance;
    lap->sampleCount = static_cast<std::int32_t>(m_sampleCount + 1);
    lap->recordCount = static_cast<std::int32_t>(m_recordCount);
    lap->positionCount = static_cast<std::int32_t>(m_positionCount + 1);
    lap->currentLapMark = 0;
    lap->noAnalysisFlag = 0;
    m_pending = true;
}

void LapFileReader::ReadPositionRecord(const std::uint8_t* record)
{
    ++m_positionCount;
    PositionRec position;
    DecodePositionRecord(m_core, record, position);
    position.runningDistance = position.distanceOffset + m_lapDistance;
    const int fixBalance = DecodeGpsFix(record, position) == 0 ? 1 : -1;
    m_gpsBalance += fixBalance;
    switch (record[0]) {
    case kGpsFixLetter:
        ReadGpsFix(record, position, fixBalance);
        break;
    case kLapLineLetter:
        ReadLapLine(record, position);
        break;
    default:
        position.recordWord = ReadBe16(record + 2);
        // The running lap time of this read: 0 at the start of the file and after a close.
        position.time = m_lapTime;
        position.otherKindFlag = 1;
        m_positions->push_back(position);
        break;
    }
}

void LapFileReader::ReadGpsFix(const std::uint8_t* record, PositionRec& position, int fixBalance)
{
    position.recordWord = ReadBe16(record + 2);
    position.fixTimeOffset = ReadBe16(record + 30);
    if (m_pending) {
        m_pending = false;
        MarkLastPosition(*m_positions);
        // This fix opens the next lap: its distance and GPS count belong there.
        m_gpsBalance -= fixBalance;
        m_fileTime += m_lapTime;
        CloseLap(m_lapTime);
        m_gpsBalance = fixBalance;
        m_positionCount = 1;
        m_lapDistance = 0;
        m_lapTime = 0;
        position.runningDistance = position.distanceOffset;
        position.time = position.fixTimeOffset;
    } else {
        position.time = position.fixTimeOffset + m_lapTime;
    }
    m_positions->push_back(position);
}

void LapFileReader::ReadLapLine(const std::uint8_t* record, PositionRec& position)
{
    position.lapLineWord = ReadBe16(record + 2);
    position.recordWord = m_positionCount;
    const std::uint32_t lapTime = ReadBe16(record + 30);
    if (m_kind == Kind::Map && lapTime > kLongestLapTime && record[30] == 0xFF)
        m_courseMark = true;
    m_fileTime += lapTime;
    position.time = lapTime;
    m_lapTime = 0;
    m_lapDistance = 0;
    m_pending = false;
    if (m_lapEndCount > 0) {
        position.lapEndMark = kLapEndMark;
        m_positions->push_back(position);
        CloseLap(lapTime);
        m_positionCount = 0;
    } else {
        DropOutLap();
    }
}

void LapFileReader::DropOutLap()
{
    // The logger ran before the first lap line: what it read on the way there is no part of lap 1,
    // whose time and distance start at this line. The raw records stay, so the lap writes back whole.
    m_samples->clear();
    m_positions->clear();
    m_sampleCount = 0;
    m_positionCount = 0;
    m_gpsBalance = 0;
}

void LapFileReader::MarkLastPosition(ChunkedList<PositionRec>& positions)
{
    // A lap may have no position record at all.
    if (!positions.empty())
        positions.back().lapEndMark = kLapEndMark;
}

void LapFileReader::TrimLists(Lap& lap)
{
    lap.records.shrink_to_fit();
    lap.samples.shrink_to_fit();
    lap.positions.shrink_to_fit();
}

void LapFileReader::CloseLap(std::uint32_t lapTime)
{
    if (m_kind == Kind::Log)
        CloseLogLap(lapTime);
    else
        CloseMapLap(lapTime);
    m_sampleCount = 0;
}

void LapFileReader::CloseLogLap(std::uint32_t lapTime)
{
    Lap& lap = m_file.laps.back();
    lap.lapTime = lapTime;
    FormatLapTimeA(lapTime, lap.lapTimeText);
    lap.gpsSign = m_gpsBalance > 0 ? 1 : 0;
    m_gpsBalance = 0;
    TrimLists(lap);
    StartLogLap();
}

void LapFileReader::StartLogLap()
{
    ResetLapTemplate(m_core);
    Lap& lap = m_file.laps.emplace_back(m_core.LapTemplate);
    m_records = &lap.records.Edit();
    m_samples = &lap.samples;
    m_positions = &lap.positions;
}

void LapFileReader::CloseMapLap(std::uint32_t lapTime)
{
    Lap& lapTemplate = m_core.LapTemplate;
    lapTemplate.lapTime = lapTime;
    FormatLapTimeA(lapTime, lapTemplate.lapTimeText);
    lapTemplate.gpsSign = m_gpsBalance > 0 ? 1 : 0;
    lapTemplate.savedCourseMark = m_courseMark ? 1 : 0;
    // The template keeps its number, counts, distance and records until the next lap-end record, so a
    // lap closed again by a lap line before it takes them over; the records are shared, not copied.
    lapTemplate.records.Share();
    Lap& lap = m_file.laps.emplace_back(lapTemplate);
    lap.samples = std::move(m_core.ScratchSamples);
    lap.positions = std::move(m_core.ScratchPositions);
    m_core.ScratchSamples.clear();
    m_core.ScratchPositions.clear();
    TrimLists(lap);
    m_gpsBalance = 0;
    m_courseMark = false;
}

void LapFileReader::Finish()
{
    if (m_kind == Kind::Log)
        FinishLogFile();
    else
        FinishMapFile();
    if (!m_file.laps.empty())
        m_file.laps.back().lastLapMark = kLapEndMark;
    m_file.laps.shrink_to_fit();
    m_file.totalDistance = m_fileDistance;
    m_file.totalTime = m_fileTime;
    m_file.lapCount = static_cast<std::int32_t>(m_lapEndCount);
    m_file.lowestLapNumber = m_lowestLap;
    m_file.highestLapNumber = m_highestLap;
    m_file.listState = 0;
    m_file.loadState = 2;
}

void LapFileReader::FinishLogFile()
{
    Lap& lap = m_file.laps.back();
    if (m_pending) {
        m_fileTime += m_lapTime;
        lap.lapTime = m_lapTime;
        FormatLapTimeA(m_lapTime, lap.lapTimeText);
        lap.gpsSign = m_gpsBalance > 0 ? 1 : 0;
        MarkLastPosition(lap.positions);
        TrimLists(lap);
        m_core.ScratchRecords.clear();
        m_core.ScratchSamples.clear();
        m_core.ScratchPositions.clear();
    } else if (!lap.positions.empty()) {
        // The unfinished lap at the end of the file.
        Lap& trailing = m_file.trailingLaps.emplace_back();
        trailing.records = std::move(lap.records);
        trailing.samples = std::move(lap.samples);
        trailing.positions = std::move(lap.positions);
        TrimLists(trailing);
        m_file.laps.pop_back();
    } else {
        TrimLists(lap);
    }
}

void LapFileReader::FinishMapFile()
{
    if (m_pending) {
        MarkLastPosition(m_core.ScratchPositions);
        m_fileTime += m_lapTime;
        CloseMapLap(m_lapTime);
    } else if (!m_core.ScratchPositions.empty()) {
        Lap& trailing = m_file.trailingLaps.emplace_back();
        trailing.records = RecordList(std::move(m_core.ScratchRecords));
        trailing.samples = std::move(m_core.ScratchSamples);
        trailing.positions = std::move(m_core.ScratchPositions);
        TrimLists(trailing);
    }
    m_core.ScratchRecords.clear();
    m_core.ScratchSamples.clear();
    m_core.ScratchPositions.clear();
    ResetLapTemplate(m_core);
}

} // namespace orvelo
