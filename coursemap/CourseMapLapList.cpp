#include "coursemap/CourseMapLapList.h"

#include "platform/ControlId.h"
#include "platform/PopupMenu.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QTreeWidget>

#include <algorithm>

namespace {
constexpr int kLapRole = Qt::UserRole;

orvelo::LapRef LapOf(const QVariant& data) {
    const QList<QVariant> words = data.toList();
    if (words.size() != 3)
        return {};
    return {static_cast<orvelo::FileSet>(words[0].toInt()), words[1].toUInt(), words[2].toInt()};
}

QVariant DataOf(const orvelo::LapRef& lap) {
    return QList<QVariant>{static_cast<int>(lap.set), lap.fileId, lap.lapIndex};
}
}  // namespace

CourseMapLapList::CourseMapLapList(QWidget* parent)
    : QStackedWidget(parent), m_thumbnails(new QListWidget(this)), m_report(new QTreeWidget(this)) {
    platform::NamedControl(this, 103);
    m_thumbnails->setViewMode(QListView::IconMode);
    m_thumbnails->setIconSize(kIconSize);
    m_thumbnails->setResizeMode(QListView::Adjust);
    m_thumbnails->setMovement(QListView::Static);
    m_report->setRootIsDecorated(false);
    m_report->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_report->header()->setSectionsClickable(true);
    addWidget(m_thumbnails);
    addWidget(m_report);
    connect(m_thumbnails, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        m_itemIndex = m_thumbnails->row(item);
        if (onLapClicked)
            onLapClicked(LapOf(item->data(kLapRole)));
    });
    connect(m_report, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        m_itemIndex = m_report->indexOfTopLevelItem(item);
        if (onLapClicked)
            onLapClicked(LapOf(item->data(0, kLapRole)));
    });
    connect(m_report->header(), &QHeaderView::sectionClicked, this, [this](int column) { OnColumnClick(column); });
    m_thumbnails->installEventFilter(this);
    m_report->installEventFilter(this);
}

void CourseMapLapList::Fill(int style, int listMode, const std::vector<Entry>& entries, const orvelo::LapRef& shown) {
    m_style = style;
    m_itemIndex = -1;
    setUpdatesEnabled(false);
    m_thumbnails->clear();
    m_report->clear();
    // Without a current item the list makes its first one current when it takes the focus, which
    // would mark another lap than the one shown.
    if (style == kThumbnailStyle) {
        for (const Entry& entry : entries) {
            auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(entry.thumbnail)), entry.label, m_thumbnails);
            item->setData(kLapRole, DataOf(entry.lap));
            item->setToolTip(entry.label);
            if (entry.lap == shown) {
                m_itemIndex = m_thumbnails->row(item);
                m_thumbnails->setCurrentItem(item);
            }
        }
        setCurrentWidget(m_thumbnails);
    } else {
        SetReportColumns(listMode);
        for (const Entry& entry : entries) {
            auto* item = new QTreeWidgetItem(m_report, entry.cells);
            item->setData(0, kLapRole, DataOf(entry.lap));
            for (int c = 0; c < entry.cells.size(); ++c)
                item->setToolTip(c, entry.cells[c]);
            if (entry.lap == shown) {
                m_itemIndex = m_report->indexOfTopLevelItem(item);
                m_report->setCurrentItem(item);
            }
        }
        setCurrentWidget(m_report);
    }
    setUpdatesEnabled(true);
}

// u is a fifth of the width: course-map laps "File name" 3u and "Dist" 2u; log laps "L " u,
// "Dist" u and "File name" the rest.
void CourseMapLapList::SetReportColumns(int listMode) {
    const int u = width() / 5;
    if (listMode == 1) {
        m_report->setHeaderLabels({QStringLiteral("File name"), QStringLiteral("Dist")});
        m_report->setColumnWidth(0, 3 * u);
        m_report->setColumnWidth(1, 2 * u);
        return;
    }
    m_report->setHeaderLabels({QStringLiteral("L "), QStringLiteral("Dist"), QStringLiteral("File name")});
    m_report->setColumnWidth(0, u);
    m_report->setColumnWidth(1, u);
    m_report->setColumnWidth(2, width() - 3 * u);
}

void CourseMapLapList::OnColumnClick(int column) {
    if (column < 0 || column > 1 || column >= m_report->columnCount())
        return;
    const bool ascending = m_ascending[static_cast<std::size_t>(column)];
    m_ascending[static_cast<std::size_t>(column)] = !ascending;
    QList<QTreeWidgetItem*> rows;
    while (m_report->topLevelItemCount() > 0)
        rows.push_back(m_report->takeTopLevelItem(0));
    std::stable_sort(rows.begin(), rows.end(), [column, ascending](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        const int x = a->text(column).trimmed().toInt();
        const int y = b->text(column).trimmed().toInt();
        return ascending ? x < y : y < x;
    });
    m_report->addTopLevelItems(rows);
}

void CourseMapLapList::OnMenuCommand(int id) {
    if ((id == kCmdReport || id == kCmdThumbnail) && onStyleChosen)
        onStyleChosen(id == kCmdReport ? kReportStyle : kThumbnailStyle);
}

void CourseMapLapList::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QMenu* styles = menu.addMenu(QStringLiteral("Map List view Style "));
    QAction* report = styles->addAction(QStringLiteral(" Report "));
    QAction* thumbnail = styles->addAction(QStringLiteral(" Map Thumnail"));
    report->setCheckable(true);
    thumbnail->setCheckable(true);
    report->setChecked(m_style == kReportStyle);
    thumbnail->setChecked(m_style == kThumbnailStyle);
    QAction* chosen = platform::RunPopupMenu(menu, event->globalPos());
    if (chosen == report)
        OnMenuCommand(kCmdReport);
    else if (chosen == thumbnail)
        OnMenuCommand(kCmdThumbnail);
}

bool CourseMapLapList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            MoveItemIndex(key == Qt::Key_Left ? -1 : 1);
            return true;
        }
    }
    return QStackedWidget::eventFilter(watched, event);
}

void CourseMapLapList::MoveItemIndex(int step) {
    const int count = m_style == kThumbnailStyle ? m_thumbnails->count() : m_report->topLevelItemCount();
    if (count == 0)
        return;
    m_itemIndex = std::clamp(m_itemIndex + step, 0, count - 1);
    if (m_style == kThumbnailStyle)
        m_thumbnails->setCurrentRow(m_itemIndex);
    else
        m_report->setCurrentItem(m_report->topLevelItem(m_itemIndex));
}
