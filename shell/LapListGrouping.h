// Groups the rows of the lap list by log file or by folder and mirrors the groups in the segment
// list. The grouping list names each group: its header, its key and the full path or folder whose
// files it holds, under the group id.
#pragma once

#include "core/LapData.h"

#include <QString>

#include <deque>
#include <string_view>
#include <vector>

class LapListModel;
class SegmentListFeed;

class LapListGrouping {
public:
    static constexpr int kByFile = 1;
    static constexpr int kByFolder = 2;

    struct Entry {
        QString header; // the group's header: the file's title, or the folder names inside out
        QString key;    // by file the full path, by folder the header
        QString target; // by file the full path, by folder the folder
        int id = 0;
    };

    explicit LapListGrouping(LapListModel& model) : m_model(model) {}

    void SetFeed(SegmentListFeed* feed) { m_feed = feed; }
    const std::vector<Entry>& Entries() const { return m_entries; }
    void ClearEntries() { m_entries.clear(); }

    // Rebuilds the groups of every loaded file; false (nothing changed) when the list has no rows.
    bool GroupAll(const std::deque<orvelo::LogFile>& files, int mode);
    // Puts a newly listed file's rows into its group, made when there is none yet. mirror: the
    // segment list gets the group too.
    void PlaceFile(const orvelo::LogFile& file, int mode, bool mirror = true);
    // No groups, the group view off, here and in the segment list.
    void RemoveAll();
    // The entry of the group with that id and header; nullptr when none.
    const Entry* Find(int id, const QString& header) const;

    // "/home/u/logs/a.dat" gives "logs\u\home\".
    static QString FolderHeader(std::u16string_view path);

private:
    Entry MakeEntry(const orvelo::LogFile& file, int mode, int id) const;
    void Fill(const Entry& entry, int mode, bool mirror);

    LapListModel& m_model;
    SegmentListFeed* m_feed = nullptr;
    std::vector<Entry> m_entries;
};
