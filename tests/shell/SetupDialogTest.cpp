// "Orvelo Setup" against a spy main window: the channel page's checks with
// their exact refusals, Save and Reset, the closing rule, the map page, and
// the editable list that carries each edit to its page.
#include "ListCellEdit.h"
#include "ShellTestText.h"

#include "platform/ControlId.h"
#include "platform/MessageBus.h"
#include "platform/MessageSpy.h"
#include "platform/RegistryMemoryBackend.h"
#include "platform/UserMessages.h"
#include "settings/AppSettings.h"
#include "shell/CAnalysisSetupTabCtrl.h"
#include "shell/CCTabCtrl_SetConfigDlg.h"
#include "shell/CEditChannelValue_DlgPage.h"
#include "shell/CListCtrl_EditCstmDraw.h"
#include "shell/CListEdit.h"
#include "shell/CMapPropertyTab.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr unsigned kStop = kMbOk | kMbIconError;
QString Refusal(const QString& text) { return Box(QStringLiteral("OK"), text, kStop); }

class SetupDialogTest : public ::testing::Test {
protected:
    SetupDialogTest() {
        settings.Store().CreateSettingsKeys();
        mainWindow.On(UM_SAVE_CHANNEL_MAX_VALUE, [this](const Message&) { return saveResult; });
        mainWindow.OnAny([](const Message&) { return LResult{1}; });
        // A channel off its defaults, so that Reset shows.
        Values()[0].currentMax = 15000;
        dialog = std::make_unique<CCTabCtrl_SetConfigDlg>(Channels(), mainWindow.Handle(), nullptr);
    }
    ChannelSettings& Channels() { return settings.Channels(); }
    ChannelSettings::ValueTable& Values() { return Channels().ChannelValueTable(); }
    QString Name(int row) {
        return ChannelNameRec::Text(Channels().ChannelNameTable()[static_cast<std::size_t>(row)].currentName);
    }
    CEditChannelValue_DlgPage& Page() { return dialog->ChannelPage(); }
    QString Cell(int row, int column) { return Page().List().item(row, column)->text(); }
    // An edit of one cell as the list ends it; the page checks it when the message arrives.
    void Edit(int row, int column, const QString& text) {
        EditListCell(Page().List(), row, column, text);
        TheMessageBus().ProcessPosted();
    }
    void Click(QWidget& parent, int id) { FindControl<QAbstractButton>(parent, id)->click(); }
    void Close() {
        Click(*dialog, CCTabCtrl_SetConfigDlg::kClose);
        TheMessageBus().ProcessPosted();
    }
    std::size_t Got(std::uint32_t id) { return spy.Of(SpiedMessage::Kind::Delivered, mainWindow.Handle(), id).size(); }

    RegistryMemoryBackend* backend = new RegistryMemoryBackend;
    AppSettings settings{std::unique_ptr<RegistryMemoryBackend>(backend)};
    MessageWindow mainWindow;
    LResult saveResult = 1;
    MessageBoxRecorder boxes;
    MessageSpy spy;
    std::unique_ptr<CCTabCtrl_SetConfigDlg> dialog;
};

}  // namespace

TEST_F(SetupDialogTest, NamesAreCheckedAgainstTheNameInEffect) {
    EXPECT_EQ(QStringList({dialog->Tabs().tabText(0), dialog->Tabs().tabText(1), Cell(0, 0), Cell(0, 1), Cell(17, 0)}),
              QStringList({"Channel ", "Map ", "RPM", "15000", "ANA5"}));
    EXPECT_FALSE(Page().SaveButton().isEnabled());
    const QString name32(32, QLatin1Char('n'));
    Edit(1, 0, name32);
    EXPECT_EQ(Name(1), name32);
    Edit(1, 0, name32 + QLatin1Char('x'));
    EXPECT_EQ(Boxes(boxes), QStringList{Refusal("ERROR , input name is over length \n max length is 32")});
    EXPECT_EQ(Cell(1, 0), name32);  // the name in effect, not the last saved one
    EXPECT_EQ(Name(1), name32);
    EXPECT_EQ(Page().List().rowCount(), 18);

    // Renamed and renamed back before a save: the table holds what the cell shows.
    Edit(0, 0, QStringLiteral("Engine"));
    Edit(0, 0, QStringLiteral("RPM"));
    EXPECT_EQ(Name(0), QStringLiteral("RPM"));
    EXPECT_EQ(Page().ChangeCount(), 3);
    EXPECT_TRUE(Page().SaveButton().isEnabled());
}

TEST_F(SetupDialogTest, LimitsAreRefusedWithTheirExactTexts) {
    const struct {
        int row, column;
        const char* text;
        const char* refusal;  // nullptr: accepted
        const char* cell;     // what the cell shows afterwards
    } rows[] = {
        {0, 1, "7999", "ERROR , invalid data\n input from 8000 to 20000", "15000"},
        {0, 2, "9000", "ERROR , invalid data\n  input from 8000 to 0", "0"},
        {1, 2, "-50", nullptr, "-50"},
        {2, 2, "1", "ERROR , invalid data\n G cannot change min value 0", "0"},
        {3, 1, "-1", "ERROR , invalid data\n input from 2 to 5", "5"},
        {12, 2, "10", "ERROR , invalid data\n Angl cannot change min value 0", "0"},
        {10, 2, "25", "ERROR , invalid data\n 25 is over max", "0"},
        {11, 2, "5", nullptr, "5"},
        {11, 1, "5", "ERROR , invalid data\n input from 5 to 8", "8"},  // no empty range
        {6, 1, "900x", nullptr, "900"},
        {9, 1, "100", nullptr, "100"},  // its own value again
    };
    for (const auto& row : rows) {
        boxes.Clear();
        Edit(row.row, row.column, QString::fromLatin1(row.text));
        const QStringList expected =
            row.refusal ? QStringList{Refusal(QString::fromLatin1(row.refusal))} : QStringList{};
        EXPECT_EQ(Boxes(boxes), expected) << row.text;
        EXPECT_EQ(Cell(row.row, row.column), QString::fromLatin1(row.cell)) << row.text;
    }
    EXPECT_EQ(Values()[1].currentMin, -50);
    EXPECT_EQ(Values()[11].currentMin, 5);
    EXPECT_EQ(Values()[11].currentMax, 8);
    EXPECT_EQ(Values()[6].currentMax, 900);
    EXPECT_EQ(Values()[0].currentMax, 15000);
    EXPECT_EQ(Page().ChangeCount(), 3);
}

TEST_F(SetupDialogTest, SaveAsksTheMainWindowOnceAndAFailedSaveKeepsTheEdits) {
    Edit(0, 1, QStringLiteral("12000"));
    saveResult = 0;
    Click(Page(), CEditChannelValue_DlgPage::kSave);
    EXPECT_EQ(Boxes(boxes), QStringList{Refusal("ERROR , failed save data")});
    EXPECT_EQ(Page().ChangeCount(), 1);
    EXPECT_TRUE(Page().SaveButton().isEnabled());

    saveResult = 1;
    spy.Clear();
    Click(Page(), CEditChannelValue_DlgPage::kSave);
    const auto saves = spy.Of(SpiedMessage::Kind::Sent, mainWindow.Handle(), UM_SAVE_CHANNEL_MAX_VALUE);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].lParam, static_cast<LParam>(Page().Handle()));
    EXPECT_EQ(Page().ChangeCount(), 0);
    EXPECT_FALSE(Page().SaveButton().isEnabled());
}

TEST_F(SetupDialogTest, ClosingPutsUnsavedEditsBackAndAnnouncesSaves) {
    const struct {
        const char* steps;  // e edit, s save, r reset
        std::int32_t rpmMax;
        bool announced;
    } rows[] = {
        {"e", 15000, false}, {"es", 12000, true}, {"ese", 11000, true},
        {"r", 15000, false}, {"rs", 20000, true}, {"esr", 12000, true},
    };
    for (const auto& row : rows) {
        Values()[0].currentMax = 15000;
        dialog = std::make_unique<CCTabCtrl_SetConfigDlg>(Channels(), mainWindow.Handle(), nullptr);
        spy.Clear();
        int edits = 0;
        for (const char* step = row.steps; *step; ++step) {
            if (*step == 'e')
                Edit(0, 1, QString::number(12000 - 1000 * edits++));
            else
                Click(Page(), *step == 's' ? CEditChannelValue_DlgPage::kSave : CEditChannelValue_DlgPage::kReset);
        }
        Close();
        EXPECT_EQ(Values()[0].currentMax, row.rpmMax) << row.steps;
        EXPECT_EQ(Got(UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME), row.announced ? 1u : 0u) << row.steps;
        dialog->Finish();  // once only
        TheMessageBus().ProcessPosted();
        EXPECT_EQ(Got(UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME), row.announced ? 1u : 0u) << row.steps;
    }
    EXPECT_EQ(Name(0), QStringLiteral("RPM"));
}

TEST_F(SetupDialogTest, MapModeIsSavedAtOnceAndTheMainWindowTold) {
    CMapPropertyTab& map = dialog->MapPage();
    EXPECT_TRUE(FindControl<QRadioButton>(map, CMapPropertyTab::kOffsetOff)->isChecked());
    Click(map, CMapPropertyTab::kOffsetOff);
    EXPECT_FALSE(map.SaveButton().isEnabled());
    Click(map, CMapPropertyTab::kGps);
    EXPECT_TRUE(map.SaveButton().isEnabled());
    backend->SetFailSaves(true);  // a store that cannot be written changes nothing
    Click(map, CMapPropertyTab::kSave);
    TheMessageBus().ProcessPosted();
    EXPECT_EQ(Boxes(boxes), QStringList{Box("Varnek Orvelo", "ERROR, failed set registry map mode !", kMbOk)});
    EXPECT_EQ(Channels().MapDrawMode(), 1);
    EXPECT_TRUE(map.SaveButton().isEnabled());
    EXPECT_EQ(Got(UM_CHANGED_GLOBAL_MAP_DRAW_MODE), 0u);

    backend->SetFailSaves(false);
    Click(map, CMapPropertyTab::kSave);
    TheMessageBus().ProcessPosted();
    std::int32_t stored = 0;
    EXPECT_EQ(Channels().MapDrawModeSetting(0, &stored), 0);
    EXPECT_EQ(stored, 3);
    EXPECT_EQ(Channels().MapDrawMode(), 3);
    EXPECT_FALSE(map.SaveButton().isEnabled());
    const auto told = spy.Of(SpiedMessage::Kind::Delivered, mainWindow.Handle(), UM_CHANGED_GLOBAL_MAP_DRAW_MODE);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].wParam, 5u);
    EXPECT_EQ(told[0].lParam, 0);
    Close();
    EXPECT_EQ(Channels().MapDrawMode(), 3);  // closing does not undo it
}

TEST_F(SetupDialogTest, TheListEditsACellInPlaceAndDrawsItsRows) {
    dialog->show();
    CListCtrl_EditCstmDraw& list = Page().List();
    // Rows alternate their two colours (a screenshot, away from the text).
    const QImage shot = list.viewport()->grab().toImage();
    for (int row : {0, 1, 2}) {
        const QRect cell = list.visualRect(list.model()->index(row, 1));
        const ColorRef expected =
            row % 2 == 0 ? CListCtrl_EditCstmDraw::kEvenRowColor : CListCtrl_EditCstmDraw::kOddRowColor;
        EXPECT_EQ(FromQColor(shot.pixelColor(cell.topLeft() + QPoint(2, 2))), expected) << row;
    }

    list.editItem(list.item(4, 1));
    auto* editor = list.viewport()->findChild<CListEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("10"));
    EXPECT_EQ(list.EditColumn(), 1);
    editor->setText(QStringLiteral("8"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::sendPostedEvents();  // the view commits the editor's text after the key
    const auto posted = spy.Of(SpiedMessage::Kind::Posted, Page().Handle(), UM_INPUT_PROPERTY_VALUE_OF_CHANNEL_MAX);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].lParam, MakeLong(1, 4));
    EXPECT_EQ(list.EditColumn(), -1);
    EXPECT_TRUE(list.selectedItems().isEmpty());
    TheMessageBus().ProcessPosted();
    EXPECT_EQ(Values()[4].currentMax, 8);

    // Escape drops the text and ends the edit as Return does; the header looks the same meanwhile.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the last editor goes
    const QImage header = list.horizontalHeader()->grab().toImage();
    list.setCurrentCell(7, 0);  // as the double click's first press does
    list.editItem(list.item(7, 0));
    editor = list.viewport()->findChild<CListEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(list.horizontalHeader()->grab().toImage(), header);
    editor->setText(QStringLiteral("ZZZ"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(list.EditColumn(), -1);
    EXPECT_TRUE(list.selectedItems().isEmpty());
    EXPECT_FALSE(list.currentIndex().isValid());
    EXPECT_EQ(Cell(7, 0), Name(7));
}

// Each page gets back the focus the user left on it, however the other page was reached; a name too
// wide for its column ends in "...".
TEST_F(SetupDialogTest, PagesKeepTheirFocusAndCutTextsEndInThreeDots) {
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    QTabWidget& tabs = dialog->Tabs();
    CListCtrl_EditCstmDraw& list = Page().List();
    auto* gps = FindControl<QRadioButton>(dialog->MapPage(), CMapPropertyTab::kGps);
    list.setFocus();
    tabs.tabBar()->setFocus();  // the tabs are changed from the keyboard
    tabs.setCurrentIndex(1);
    gps->setFocus();
    tabs.tabBar()->setFocus();
    tabs.setCurrentIndex(0);
    EXPECT_TRUE(list.hasFocus());
    tabs.setCurrentIndex(1);
    EXPECT_TRUE(gps->hasFocus());

    const auto width = [](const QString& text) { return static_cast<int>(text.size()); };
    EXPECT_EQ(CListCtrl_EditCstmDraw::FitTextWithEllipsis(QStringLiteral("abcdef"), 5, width), QStringLiteral("ab..."));
    EXPECT_EQ(CListCtrl_EditCstmDraw::FitTextWithEllipsis(QStringLiteral("abcdef"), 6, width), QStringLiteral("abcdef"));
    EXPECT_EQ(list.FitCellText(list.fontMetrics(), QString(40, QLatin1Char('W')), 60).right(3), QStringLiteral("..."));
}

namespace {
// The messages Qt prints while it lives.
class QtMessages {
public:
    QtMessages() : m_previous(qInstallMessageHandler(&Record)) { s_current = this; }
    ~QtMessages() {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    QString Text() const { return m_texts.join(QLatin1Char('\n')); }

private:
    static void Record(QtMsgType, const QMessageLogContext&, const QString& text) { s_current->m_texts << text; }
    static inline QtMessages* s_current = nullptr;
    QtMessageHandler m_previous;
    QStringList m_texts;
};
}  // namespace

// Cells edited as a user does (a double click, a new text, then Return, Tab or a click on Save) close
// their editors once, through the list that opened them.
TEST_F(SetupDialogTest, EditedCellsAreSavedWithoutAStrayEditorWarning) {
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));  // the editor loses its focus to Save
    CListCtrl_EditCstmDraw& list = Page().List();
    QtMessages messages;
    const struct {
        int row;
        const char* text;
        Qt::Key end;  // Qt::Key_unknown: a click on Save
    } edits[] = {{0, "12000", Qt::Key_Return}, {4, "8", Qt::Key_Tab}, {6, "900", Qt::Key_unknown}};
    for (const auto& edit : edits) {
        // A double click as the platform delivers it: press, release, press, double click, release.
        const QPoint cell = list.visualRect(list.model()->index(edit.row, 1)).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell);
        QTest::mousePress(list.viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, cell);
        auto* editor = list.viewport()->findChild<CListEdit*>();
        ASSERT_NE(editor, nullptr) << edit.row;
        editor->setFocus();
        editor->setText(QString::fromLatin1(edit.text));
        if (edit.end != Qt::Key_unknown)
            QTest::keyClick(editor, edit.end);
        else
            QTest::mouseClick(&Page().SaveButton(), Qt::LeftButton);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TheMessageBus().ProcessPosted();
        EXPECT_EQ(std::make_pair(list.EditColumn(), list.viewport()->findChild<CListEdit*>()),
                  std::make_pair(-1, static_cast<CListEdit*>(nullptr)))
            << edit.row;
    }
    Click(Page(), CEditChannelValue_DlgPage::kSave);
    EXPECT_EQ(std::make_tuple(Values()[0].currentMax, Values()[4].currentMax, Values()[6].currentMax),
              std::make_tuple(12000, 8, 900));
    EXPECT_TRUE(list.selectedItems().isEmpty());
    EXPECT_FALSE(messages.Text().contains(QStringLiteral("closeEditor"))) << messages.Text().toStdString();
}
