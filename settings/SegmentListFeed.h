// What the lap list tells the segment list view while it fills and groups its rows: one row per
// lap, the groups mirrored by id. The segment list view implements it; the lap list holds none
// while the segment list is not there.
#pragma once

#include <QString>

#include <vector>

namespace orvelo {
struct LogFile;
}

class SegmentListFeed {
public:
    virtual ~SegmentListFeed() = default;

    // Before a fill: back to the lap-time columns.
    virtual void ResetList() = 0;
    // One row for each lap of the files, in their order, as the lap list gets them.
    virtual void InsertLapRows(const std::vector<const orvelo::LogFile*>& files) = 0;
    virtual void DeleteExtraColumns() = 0;
    virtual void GrowSortFlags() = 0;
    virtual void NumberRows() = 0;
    // Deletes every row and group.
    virtual void RemoveAllRows() = 0;
    virtual void SetRedraw(bool on) = 0;

    // Groups: removed with the group view off; the group view on with no groups; one group.
    virtual void RemoveGroups() = 0;
    virtual void EnableGroupView() = 0;
    virtual void InsertGroup(const QString& header, int id) = 0;
    // mode 1: the rows whose full path equals key join the group (grouping by file is keyed by the
    // full path, so two files of the same title stay apart); other modes: the rows whose path's
    // folder equals key.
    virtual int AssignRowsToGroup(int mode, int id, const QString& key) = 0;
};
