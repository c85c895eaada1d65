#include "shell/LapListGrouping.h"

#include "shell/LapListModel.h"
#include "settings/SegmentListFeed.h"

#include "core/PathSplit.h"

#include <QStringList>

#include <algorithm>

namespace {

QString Folder(std::u16string_view path) { return QString::fromStdU16String(orvelo::GetFolderPart(path)); }

}  // namespace

QString LapListGrouping::FolderHeader(std::u16string_view path) {
    const QStringList names = Folder(path).split(QChar(orvelo::kPathSeparator), Qt::SkipEmptyParts);
    QString header;
    for (auto it = names.crbegin(); it != names.crend(); ++it)
        header += *it + QLatin1Char('\\');
    return header;
}

LapListGrouping::Entry LapListGrouping::MakeEntry(const orvelo::LogFile& file, int mode, int id) const {
    const QString path = QString::fromStdU16String(file.fullPath);
    if (mode == kByFile)
        return {QString::fromStdU16String(file.title), path, path, id};
    const QString header = FolderHeader(file.fullPath);
    return {header, header, Folder(file.fullPath), id};
}

void LapListGrouping::Fill(const Entry& entry, int mode, bool mirror) {
    if (mode == kByFile) {
        m_model.MoveRowsToGroup(entry.id, [&entry](const laplist::FileNames& file) { return file.path == entry.target; });
    } else {
        m_model.MoveRowsToGroup(entry.id, [&entry](const laplist::FileNames& file) {
            return Folder(file.path.toStdU16String()) == entry.target;
        });
    }
    if (mirror && m_feed) {
        m_feed->InsertGroup(entry.header, entry.id);
        m_feed->AssignRowsToGroup(mode, entry.id, entry.target);
    }
}

bool LapListGrouping::GroupAll(const std::deque<orvelo::LogFile>& files, int mode) {
    m_entries.clear();
    if (m_model.RowCount() == 0 || (mode != kByFile && mode != kByFolder))
        return false;
    m_model.BeginUpdate();
    m_model.RemoveAllGroups();
    m_model.SetGroupView(true);
    if (m_feed)
        m_feed->EnableGroupView();
    QString previousFolder;
    bool first = true;
    for (const orvelo::LogFile& file : files) {
        if (mode == kByFolder) {
            // A folder whose files follow each other makes one group; the same folder again after
            // another one makes a new group, which takes all of that folder's rows.
            const QString folder = Folder(file.fullPath);
            if (!first && folder == previousFolder)
                continue;
            previousFolder = folder;
        }
        first = false;
        const Entry entry = MakeEntry(file, mode, static_cast<int>(m_entries.size()));
        if (!m_model.InsertGroup(entry.header, entry.id))
            break;
        Fill(entry, mode, true);
        m_entries.push_back(entry);
    }
    m_model.EndUpdate();
    if (m_feed)
        m_feed->SetRedraw(true);
    return true;
}

void LapListGrouping::PlaceFile(const orvelo::LogFile& file, int mode, bool mirror) {
    if (mode != kByFile && mode != kByFolder)
        return;
    Entry entry = MakeEntry(file, mode, static_cast<int>(m_entries.size()));
    // The group made last for that file or folder holds its rows.
    auto found = std::find_if(m_entries.rbegin(), m_entries.rend(),
                              [&entry](const Entry& e) { return e.target == entry.target; });
    m_model.BeginUpdate();
    m_model.SetGroupView(true);
    bool made = true;
    if (found != m_entries.rend()) {
        entry = *found;
        if (std::none_of(m_model.Groups().begin(), m_model.Groups().end(),
                         [&entry](const laplist::Group& g) { return g.id == entry.id; }))
            made = m_model.InsertGroup(entry.header, entry.id);
    } else {
        made = m_model.InsertGroup(entry.header, entry.id);
        if (made)
            m_entries.push_back(entry);
    }
    if (made)
        Fill(entry, mode, mirror);
    m_model.EndUpdate();
}

void LapListGrouping::RemoveAll() {
    m_entries.clear();
    m_model.BeginUpdate();
    m_model.RemoveAllGroups();
    m_model.SetGroupView(false);
    m_model.EndUpdate();
    if (m_feed)
        m_feed->RemoveGroups();
}

const LapListGrouping::Entry* LapListGrouping::Find(int id, const QString& header) const {
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [id, &header](const Entry& e) { return e.id == id && e.header == header; });
    return it == m_entries.end() ? nullptr : &*it;
}
