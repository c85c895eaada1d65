// The course map viewer on its own for tests: generated log and course-map files, settings on a
// memory registry, a window standing for the main frame (it keeps what it gets, answers a course
// registration as told), the file a registration wrote, and the dialog shown.
#pragma once

#include "MapViewHarness.h"

#include "coursemap/CCourseMapViewerDlg.h"
#include "coursemap/CMapSegEditView.h"
#include "coursemap/CPropGridPropSegExt.h"
#include "coursemap/CPropertyGridCtrlSegEx.h"

#include "platform/ControlId.h"
#include "settings/WindowRoles.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace testmap {

// Names the file the main frame wrote when it registered a lap as a course map.
struct RegistryStub : CourseRegistry {
    std::u16string RegisteredMapPath() const override { return path; }
    std::u16string path;
};

class ViewerHarness : public MapViewHarness {
public:
    ViewerHarness() {
        samplegen::SessionOptions options = SessionOf(2);
        options.circuitLength = 900;
        Load(QStringLiteral("log.dat"), options);
        options.laps = 1;
        options.seed = 5;
        Load(QStringLiteral("map.dat"), options, true);
    }

    // The viewer on the course-map file (list mode 1) or on a lap of the log file (0), shown; on
    // other settings when given (those of a next start).
    CCourseMapViewerDlg& Open(int listMode, std::int32_t lapIndex = 0, AppSettings* settings = nullptr) {
        const orvelo::LogFile& file = listMode == 1 ? core.MapFiles[0] : core.LogFiles[0];
        CourseBlock course;
        platform::MapInfoBlock::Put(course.info.path.data(), platform::MapInfoBlock::kPathChars, file.fullPath);
        course.lap = {listMode == 1 ? orvelo::FileSet::Map : orvelo::FileSet::Log, file.fileId, lapIndex};
        dialog = std::make_unique<CCourseMapViewerDlg>(core, settings ? *settings : store.Settings(), frame.Handle(),
                                                       registry, listMode, course);
        dialog->show();
        Drain();
        return *dialog;
    }
    CMapSegEditView& View() const { return dialog->EditView(); }
    void Click(int id) {
        platform::FindControl<QAbstractButton>(*dialog, id)->click();
        Drain();
    }
    // Automatic segmentation into lengths of about length metres, as the length dialog asks for it.
    void Cut(int length) {
        platform::SendMessage(View().Handle(), platform::UM_INPUT_SEGMENT_LENGTH_DIALOG,
                              static_cast<platform::WParam>(length), 0);
        Drain();
    }
    QStringList RowValues() const {
        QStringList values;
        const platform::PropertyGridItem* group = dialog->Grid().Property(0);
        for (int i = 0; group && i < group->SubItemCount(); ++i)
            values << group->SubItem(i)->Value();
        return values;
    }
    // Types text into row k's value, as the user does.
    void TypeInto(int k, const QString& text) {
        CPropertyGridCtrlSegEx& grid = dialog->Grid();
        ASSERT_TRUE(grid.EditItem(grid.Row(grid.Property(0)->Name(), k)));
        auto* editor = grid.findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        Drain();
    }
    QByteArray Stored(const QString& name) { return store.Get(settings::kMapSegInfo, name); }

    RegistryStub registry;
    std::unique_ptr<CCourseMapViewerDlg> dialog;
};

}  // namespace testmap
