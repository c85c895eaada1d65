// The lap overview window in the program: opened in a work area over a generated session (a base
// lap and two overlays), its picture, a cursor drag whose values and discs reach the properties pane,
// the channel list, its colours, and its layout saved and restored, damaged records included.
#include "LapOverviewFixture.h"

namespace {

using namespace lapoverview;

class LapOverviewTest : public Fixture {};

// Every label whole in its strip: a Y scale's left of its major ticks (8 px and a 4-px gap), the X
// scale's digits as tall on screen as its font draws them.
void ExpectScaleLabelsWhole(const CLapOverviewDlg& window, const QString& where) {
    for (int row = 0; row < window.RowCount(); ++row) {
        const CLScaleView& scale = *window.RowAt(row).scale;
        const QFontMetrics metrics(scale.LabelFont());
        ASSERT_FALSE(scale.YLabels().empty()) << where.toStdString() << " row " << row;
        for (const QString& label : scale.YLabels())
            EXPECT_LE(metrics.horizontalAdvance(label) - metrics.tightBoundingRect(label).left(), scale.width() - 12)
                << where.toStdString() << " row " << row << " " << label.toStdString();
    }
    const CLScaleView& axis = *window.XScale();
    const QImage& picture = axis.Picture();
    ASSERT_EQ(picture.size(), axis.size()) << where.toStdString();
    QString labels;
    std::set<int> bars;
    for (const graphs::XAxisTick& tick : graphs::XAxisTicks(axis.XRange(), axis.XSpan(), 0, axis.width())) {
        labels += tick.label;
        bars.insert(tick.x);
    }
    ASSERT_FALSE(labels.isEmpty()) << where.toStdString();
    int top = picture.height();
    int bottom = -1;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) == 0xFF000000u && !bars.count(x))
                top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    EXPECT_EQ(bottom - top + 1, QFontMetrics(axis.LabelFont()).tightBoundingRect(labels).height()) << where.toStdString();
}

TEST_F(LapOverviewTest, ShowsTheComparedLapsOverScalesAndACursorDragReachesEveryRowThePropertiesAndTheMap) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    EXPECT_EQ(std::make_tuple(window->windowTitle(), window->mdiArea(), window->geometry()),
              std::make_tuple(QString("Lap overview"), View().GraphArea(), graphs::FirstPlacement(View().width(), 1)));
    ASSERT_EQ(window->RowCount(), 2);
    EXPECT_EQ(std::make_pair(window->RowAt(0).channel, window->RowAt(1).channel), std::make_pair(1, 2));

    // The X scale starts and ends where the graph column does, and its ticks are drawn.
    const QRect graph0 = InClient(*window, *window->RowAt(0).graph);
    const QRect xScale = InClient(*window, *window->XScale());
    EXPECT_EQ(std::make_pair(xScale.left(), xScale.width()), std::make_pair(graph0.left(), graph0.width()));
    EXPECT_EQ(window->XScale()->XSpan(), static_cast<int>(orvelo::FindLongestMarkedLap(h.Core(), 0)));

    // The work area's picture: each lap of each row in its colour, the scales beside and below.
    const QImage shot = View().grab().toImage();
    for (int row = 0; row < 2; ++row) {
        CDlgGrafView& pane = *window->RowAt(row).graph;
        const QRect inView(pane.mapTo(&View(), QPoint(0, 0)), pane.size());
        for (std::size_t lap = 0; lap < 3; ++lap) {
            const QRgb color = ToQColor(h.Settings().Colors().ChannelLapColor(h.Core(), row + 1, lap)).rgb();
            int found = 0;
            for (int y = inView.top(); y <= inView.bottom(); ++y)
                for (int x = inView.left(); x <= inView.right(); ++x)
                    found += shot.pixel(x, y) == color ? 1 : 0;
            EXPECT_GT(found, 20) << "row " << row << " lap " << lap;
        }
        const CLScaleView& scale = *window->RowAt(row).scale;
        ASSERT_FALSE(scale.YTicks().empty());
        const QPoint tick = scale.mapTo(&View(), QPoint(scale.width() - 1, scale.YTicks().back().y));
        EXPECT_EQ(shot.pixel(tick), 0xFF000000u) << row;
    }
    const QPoint axis = window->XScale()->mapTo(&View(), QPoint(0, 0));
    EXPECT_EQ(shot.pixel(axis), 0xFF000000u);

    // A drag in the RPM row: the cross-hair in both rows, each compared lap's values in the
    // properties pane and its disc on the small map; the other row echoes nothing.
    spy.Clear();
    CDlgGrafView& rpm = *window->RowAt(0).graph;
    CDlgGrafView& speed = *window->RowAt(1).graph;
    DragHalfway(rpm);
    EXPECT_EQ(rpm.Data().Plot().CursorPoint().x(), speed.Data().Plot().CursorPoint().x());
    EXPECT_GT(rpm.Data().Plot().CursorPoint().x(), 0);
    const auto delivered = [&](WindowHandle to, std::uint32_t id) {
        return spy.Of(SpiedMessage::Kind::Delivered, to, id).size();
    };
    EXPECT_EQ(delivered(window->Handle(), UM_CURSOR_MOVE), 1u);
    EXPECT_EQ(delivered(rpm.Handle(), UM_CURSOR_MOVE), 0u);
    EXPECT_EQ(delivered(speed.Handle(), UM_CURSOR_MOVE), 1u);
    EXPECT_GE(delivered(h.Frame().Handle(), UM_ANALYSIS_LINE), 1u);
    EXPECT_GE(delivered(h.Frame().Handle(), UM_PUT_LOGGING_TIME), 1u);
    CPropertiesWnd& properties = Properties();
    // Each posting of the cursor: both rows' value of each of the three laps, and each lap's distance and time.
    const std::size_t values = delivered(properties.Handle(), UM_SET_RPM_DATA_VALUE);
    EXPECT_TRUE(values > 0 && values % 3 == 0);
    for (std::uint32_t id : {UM_SET_SPEED_DATA_VALUE, UM_SET_DISTANCE_VALUE, UM_SET_LAP_TIME_VALUE})
        EXPECT_EQ(delivered(properties.Handle(), id), values) << id;
    ASSERT_EQ(rpm.Data().CursorList().size(), 3u);
    ASSERT_EQ(speed.Data().CursorList().size(), 3u);
    ASSERT_EQ(properties.ChannelRows(1).size(), 3u);
    std::set<QRgb> lapColors;
    for (std::size_t lap = 0; lap < 3; ++lap) {
        const GraphPoint& rpmPoint = rpm.Data().CursorList()[lap];
        const GraphPoint& speedPoint = speed.Data().CursorList()[lap];
        EXPECT_EQ(properties.ChannelRows(1)[lap]->Value(), QString::asprintf("%4u", rpmPoint.words[graphs::kPointValue]));
        EXPECT_EQ(properties.ChannelRows(2)[lap]->Value(),
                  QString::asprintf("%4u", speedPoint.words[graphs::kPointValue]));
        lapColors.insert(ToQColor(h.Core().SelectedLaps[lap].colour).rgb());
    }
    // Over distance the laps' discs meet at the cursor's distance, the last drawn on top.
    QPoint disc;
    ASSERT_TRUE(properties.Map().Drawing().PointAtDistance(rpm.Data().CursorList()[0].words[graphs::kPointDistance], disc));
    EXPECT_EQ(lapColors.count(properties.Map().grab().toImage().pixel(disc)), 1u);
}

TEST_F(LapOverviewTest, ChannelListRebuildsTheRowsAndAClickActivationTellsThePropertiesPaneAndTheFrame) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    const QPoint left = window->geometry().topLeft();
    ModalDialogScript dialogs;
    bool checksDiffer = false;
    dialogs.Queue([&](QDialog& dialog) {
        // The picture: RPM's row checked, Press.1's not.
        auto* list = FindControl<QListWidget>(dialog, 1011);
        dialog.show();
        const QImage shot = list->viewport()->grab().toImage();
        const QRect rpm = list->visualItemRect(list->item(0));
        const QRect press = list->visualItemRect(list->item(4));
        checksDiffer = shot.copy(0, rpm.top(), rpm.height(), rpm.height()) !=
                       shot.copy(0, press.top(), press.height(), press.height());
        FindControl<QPushButton>(dialog, 1005)->click();
        FindControl<QPushButton>(dialog, 1013)->click();
        return dialog.result();
    });
    PopupMenuScript menus;
    menus.QueueChoice(QStringLiteral("Channel select"));
    window->ShowContextMenu(window->mapToGlobal(QPoint(5, 40)), window->Client());
    Drain();
    EXPECT_EQ(dialogs.Shown().at(0).title, "Channel list");
    EXPECT_TRUE(checksDiffer);
    EXPECT_EQ(menus.Shown().at(0),
              (QStringList{"Distance", "Time", "Channel select", "window property", "Close window(X)"}));
    // "All check": 18 rows, the window nearly the whole view at (left, left).
    ASSERT_EQ(window->RowCount(), 18);
    EXPECT_EQ(window->ChannelMask(), 0x3FFFFu);
    const QSize view = View().size();
    EXPECT_EQ(window->geometry(), QRect(left.x(), left.x(), view.width() / 25 * 24, view.height() / 25 * 24));
    const auto resets = spy.Of(SpiedMessage::Kind::Sent, h.Frame().Properties()->Handle(), UM_RESET_PROPERTY_CHANNEL_LIST);
    ASSERT_FALSE(resets.empty());
    EXPECT_EQ(std::make_pair(resets.back().wParam, resets.back().lParam), std::make_pair(WParam{3}, LParam{0x3FFFF}));

    // A second window takes the activation; a click on the first brings it back with its news.
    CLapOverviewDlg* second = Open();
    ASSERT_TRUE(second && second != window);
    for (CLapOverviewDlg* active : {second, window, second}) // not by a click: nothing is told
        View().GraphArea()->setActiveSubWindow(active);
    Drain();
    EXPECT_TRUE(spy.Of(SpiedMessage::Kind::Delivered, h.Frame().Handle(), UM_ACTIVATE_LAP_OVERVIEW_WINDOW).empty());
    spy.Clear();
    QTest::mouseClick(window->XScale(), Qt::LeftButton, {}, QPoint(2, 2));
    Drain();
    EXPECT_EQ(View().GraphArea()->activeSubWindow(), window);
    const auto activated = spy.Of(SpiedMessage::Kind::Delivered, h.Frame().Handle(), UM_ACTIVATE_LAP_OVERVIEW_WINDOW);
    ASSERT_EQ(activated.size(), 1u);
    EXPECT_EQ(activated[0].wParam, window->Handle());
    const WindowHandle properties = h.Frame().Properties()->Handle();
    const auto xScale = spy.Of(SpiedMessage::Kind::Sent, properties, UM_RESET_X_SCALE_VARIABLE);
    ASSERT_EQ(xScale.size(), 1u);
    EXPECT_EQ(xScale[0].lParam, static_cast<LParam>(orvelo::FindLongestMarkedLap(h.Core(), 0)));
    EXPECT_EQ(spy.Of(SpiedMessage::Kind::Sent, properties, UM_RESET_PROPERTY_CHANNEL_LIST).size(), 1u);
    second->OnCommand(CLapOverviewDlg::kCmdCloseWindow);
    Drain();
    EXPECT_EQ(GraphKinds(View()), "20");
}

TEST_F(LapOverviewTest, ScaleLabelsShowWholeAtTheFirstSizeForEveryMaximumAndMaximisedInAFlatWorkArea) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    ChannelValueRec& rpm = h.Settings().Channels().ChannelValueTable()[0];
    rpm.currentMax = 8000;
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    ExpectScaleLabelsWhole(*window, "RPM to 8000");
    // Wider labels set in the setup widen the scale column; the graphs and the X scale stay lined up.
    for (int maximum : {12000, 15000, 20000}) {
        rpm.currentMax = maximum;
        PostMessage(h.Frame().Handle(), UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, 0, 0);
        Drain();
        ExpectScaleLabelsWhole(*window, QStringLiteral("RPM to %1").arg(maximum));
        EXPECT_EQ(InClient(*window, *window->XScale()).left(), InClient(*window, *window->RowAt(0).graph).left());
    }

    ProgramHarness flat;
    ASSERT_TRUE(flat.Start());
    CLapOverviewDlg* maximised = Maximised(flat, QSize(1200, 637));
    ASSERT_TRUE(maximised);
    EXPECT_EQ(View(flat).height(), 525);
    ExpectScaleLabelsWhole(*maximised, "maximised");
}

TEST_F(LapOverviewTest, PlaceChannelsRowHeightsAndAxisComeBackAndDamagedRecordsStartSane) {
    ASSERT_TRUE(h.Start());
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    PostMessage(window->Handle(), UM_RESET_CHANNEL_VIEW, 3, 0x13); // RPM, Speed, Press.1
    Drain();
    window->OnCommand(CLapOverviewDlg::kCmdTime);
    window->setGeometry(30, 40, 450, 380);  // inside the work area
    Drain();
    window->ChannelSplitter()->SetRowHeights(0, 5, {60, 150, 90});
    const std::vector<int> heights = window->ChannelSplitter()->RowHeights();
    h.Close();

    const platform::RegistryTree saved = h.Saved();
    const auto reopen = [](const platform::RegistryTree& tree, const std::function<void(SettingsStore&)>& damage) {
        auto program = std::make_unique<ProgramHarness>(tree);
        if (damage)
            damage(program->Settings().Store());
        EXPECT_TRUE(program->Start());
        Drain();
        EXPECT_EQ(GraphKinds(*program->WorkAreas().front()->View()), "2");
        return program;
    };
    {
        auto program = reopen(saved, {});
        auto* restored = dynamic_cast<CLapOverviewDlg*>(program->WorkAreas().front()->View()->GraphWindows()[0].window);
        ASSERT_TRUE(restored);
        EXPECT_EQ(std::make_tuple(restored->geometry(), restored->ChannelMask(), restored->RowCount(),
                                  restored->RowAt(2).channel, restored->XAxisMode()),
                  std::make_tuple(QRect(30, 40, 450, 380), 0x13u, 3, 5, 1));
        EXPECT_EQ(restored->ChannelSplitter()->RowHeights(), heights);
    }
    // Damaged: rows 0 or 30, no mask; the rows follow the mask (the heights' own checks are pure).
    const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    const QString name = settings::NumberedName(settings::kWorkAreaWindowProp, 1, 1);
    for (auto [rows, mask] : std::vector<std::pair<std::int32_t, std::uint32_t>>{{0, 0x13}, {30, 0x13}, {2, 0}}) {
        auto program = reopen(saved, [&](SettingsStore& store) {
            WorkAreaWindowProp record;
            ASSERT_EQ(store.ReadRecord(key, name, &record), 0);
            record.rows = rows;
            record.channelMask = mask;
            store.WriteRecord(key, name, record);
        });
        auto* restored = dynamic_cast<CLapOverviewDlg*>(program->WorkAreas().front()->View()->GraphWindows()[0].window);
        ASSERT_TRUE(restored);
        EXPECT_EQ(restored->ChannelMask(), mask == 0 ? 0x3u : mask);
        EXPECT_EQ(restored->RowCount(), mask == 0 ? 2 : 3) << rows;
        for (int row = 0; row < restored->RowCount(); ++row)
            EXPECT_NE(restored->RowAt(row).channel, 0);
    }
}

// A lap overview restored at start, before any file is open, gives the properties pane its channels
// once laps are compared, as one opened over compared laps does.
TEST_F(LapOverviewTest, RestoredWindowGivesThePropertiesPaneItsChannelsWhenLapsAreCompared) {
    constexpr std::uint32_t kSixChannels = 0x3F;
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    PostMessage(window->Handle(), UM_RESET_CHANNEL_VIEW, 6, kSixChannels);
    Drain();
    h.Close();

    ProgramHarness again(h.Saved());
    ASSERT_TRUE(again.Start());
    Drain();
    auto* restored = dynamic_cast<CLapOverviewDlg*>(again.WorkAreas().front()->View()->GraphWindows().at(0).window);
    ASSERT_TRUE(restored);
    ASSERT_EQ(restored->ChannelMask(), kSixChannels);
    LoadComparedLaps(again);
    again.WorkAreas().front()->View()->grab(); // painted, as on screen
    CDlgGrafView& rpm = *restored->RowAt(0).graph;
    QTest::mouseClick(&rpm, Qt::LeftButton, {}, QPoint(rpm.width() / 4, rpm.height() / 2)); // the first after a redraw
    Drain();
    DragHalfway(rpm);
    auto& properties = dynamic_cast<CPropertiesWnd&>(*again.Frame().Properties());
    for (int channel = 1; channel <= 6; ++channel) {
        const std::vector<CPropGridPropExt*> rows = properties.ChannelRows(channel);
        ASSERT_EQ(rows.size(), 3u) << "channel " << channel;
        EXPECT_FALSE(rows[0]->Value().isEmpty()) << "channel " << channel;
    }
    EXPECT_TRUE(properties.ChannelRows(7).empty());
}

TEST_F(LapOverviewTest, ChannelColoursAreFilledWrittenUnderTheirTagAndAppliedByTheOtherWindows) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* window = Open();
    CLapOverviewDlg* other = Open();
    ASSERT_TRUE(window && other);
    for (CLapOverviewDlg* w : {window, other})
        PostMessage(w->Handle(), UM_RESET_CHANNEL_VIEW, 2, 0x11); // RPM and Press.1
    Drain();
    CDlgGrafView& pressure = *window->RowAt(1).graph;
    ASSERT_EQ(window->RowAt(1).channel, 5);
    ModalDialogScript dialogs;
    ChannelColorProperty shown;
    dialogs.Queue([&](QDialog& dialog) {
        shown = dynamic_cast<CChannel_ColorPropDlg&>(dialog).EditedBlock();
        FindControl<QCheckBox>(dialog, CChannel_ColorPropDlg::kEnableCheck)->click();
        FindControl<QPushButton>(dialog, CChannel_ColorPropDlg::kOk)->click();
        return dialog.result();
    });
    PostMessage(window->Handle(), UM_CHANNEL_PROPERTY_MENU, pressure.Handle(), 0);
    Drain();
    EXPECT_EQ(dialogs.Shown().at(0).title, "Press.1 Channel Color property");
    // Never saved: the compared laps' colours and the window's own.
    for (std::size_t lap = 0; lap < 3; ++lap)
        EXPECT_EQ(shown.lapColors[lap], h.Core().SelectedLaps[lap].colour);
    EXPECT_EQ(std::make_tuple(shown.background, shown.text, shown.analysisLine, shown.channelNumber, shown.readFlag),
              std::make_tuple(0xFFFFFFu, 0x808080u, 0x0u, 5, 0));
    ChannelColorProperty stored;
    ASSERT_EQ(h.Settings().Store().ReadRecord(settings::SubKeyPath(settings::kItemColorInfo),
                                              QStringLiteral("Channel_Color_Prop_Press1"), &stored),
              0);
    EXPECT_EQ(std::make_tuple(stored.checkFlag, stored.channelNumber, other->RowAt(1).graph->ColorBlock(5).checkFlag),
              std::make_tuple(1, 5, 1));
    // The window's own colours: the grid switched off, written and passed on through the frame.
    dialogs.Queue([](QDialog& dialog) {
        FindControl<QCheckBox>(dialog, CLapOverView_WndProp::kGridCheck)->click();
        FindControl<QPushButton>(dialog, CLapOverView_WndProp::kOk)->click();
        return dialog.result();
    });
    window->OnCommand(CLapOverviewDlg::kCmdWindowProperty);
    Drain();
    OverviewWindowColors colors;
    ASSERT_EQ(h.Settings().Store().ReadRecord(settings::SubKeyPath(settings::kItemColorInfo),
                                              settings::kLapOverViewWndProp, &colors), 0);
    EXPECT_EQ(std::make_pair(colors.gridEnabled, other->Colors().gridEnabled), std::make_pair(0, 0));
    // Only the asking window tells the frame; the others' copies came unwritten and go no further.
    const auto toFrame = spy.Of(SpiedMessage::Kind::Sent, h.Frame().Handle(), UM_COLOR_PROPERTY_SELECTED);
    ASSERT_EQ(toFrame.size(), 1u);
    EXPECT_EQ(static_cast<WindowHandle>(toFrame[0].lParam), window->Handle());
}

}  // namespace
