#include "graphs/CYScaleControllableDlg.h"

#include "graphs/CChannelGraph.h"
#include "graphs/CLScaleView.h"
#include "graphs/CRuler_SliderCtrl.h"
#include "graphs/GraphChannelTable.h"

#include "platform/ControlId.h"
#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "platform/ModalDialog.h"
#include "settings/AppSettings.h"
#include "settings/SettingsDefaults.h"

#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>

using namespace platform;

namespace {
constexpr QSize kDialogSize(200, 330);
constexpr QRect kComboPlace(10, 10, 180, 24);
constexpr QRect kGraphPlace(10, 44, 64, 240);
constexpr QRect kRulerPlace(80, 44, 84, 240);
constexpr QRect kScrollPlace(172, 44, 16, 240);
constexpr QRect kSavePlace(60, 294, 80, 26);

bool IsGChannel(int channel) { return channel == 3 || channel == 4; }
}  // namespace

CYScaleControllableDlg::CYScaleControllableDlg(QWidget* mainWindow, WindowHandle mainFrame, AppSettings& settings,
                                               orvelo::LapDataCore& core)
    : QDialog(mainWindow, Qt::Tool), m_window(this), m_mainFrame(mainFrame), m_settings(settings),
      m_mainWindow(mainWindow), m_graph(NamedControl(new CChannelGraph(settings, core, this), kGraph)),
      m_ruler(NamedControl(new CRuler_SliderCtrl(true, this), kRuler)),
      m_combo(NamedControl(new QComboBox(this), kCombo)),
      m_scrollBar(NamedControl(new QScrollBar(Qt::Vertical, this), kScrollBar)),
      m_save(NamedControl(new QPushButton(QStringLiteral("Save"), this), kSave)) {
    setObjectName(QStringLiteral("YScaleDialog"));
    setWindowTitle(QStringLiteral("Y AXIS"));
    Layout();
    m_ruler->SetNotify(Handle());
    connect(m_combo, &QComboBox::currentIndexChanged, this, [this] { OnSelChange(); });
    connect(m_save, &QPushButton::clicked, this, [this] { OnSave(); });
    platform::ReturnPressesOk(*this, nullptr);
    m_window.On(UM_SET_VARIABLE_SCALE_CONTROL_VALUE, [this](const Message& m) {
        OnRulerValue(m);
        return LResult{1};
    });
    m_window.On(UM_ACTIVATE_LAP_OVERVIEW_WINDOW, [this](const Message& m) {
        OnActivate(m);
        return LResult{1};
    });
}

CYScaleControllableDlg::~CYScaleControllableDlg() { Shutdown(); }

void CYScaleControllableDlg::Layout() {
    setFixedSize(kDialogSize);
    m_combo->setGeometry(kComboPlace);
    m_graph->setGeometry(kGraphPlace);
    m_ruler->setGeometry(kRulerPlace);
    m_scrollBar->setGeometry(kScrollPlace);
    m_scrollBar->setRange(0, 100);
    m_save->setGeometry(kSavePlace);
    m_save->setEnabled(false);
}

int CYScaleControllableDlg::StateOf(int channel) const {
    return channel >= 1 && channel <= graphs::kChannelCount ? m_states[static_cast<std::size_t>(channel - 1)] : kClean;
}

int CYScaleControllableDlg::ChannelOf(WindowHandle scaleView) {
    const CLScaleView* scale = WindowFromHandle<CLScaleView>(scaleView);
    return scale && scale->Mode() == CLScaleView::kYScale ? scale->Channel() : 0;
}

void CYScaleControllableDlg::Bind(WindowHandle scaleView, WindowHandle lapOverview, int channel) {
    m_scaleView = scaleView;
    m_lapOverview = lapOverview;
    m_channel = channel;
    if (m_placed)
        return;  // the frame follows with 2100 for the channel
    if (!AskOwners() || !FillCombo())
        return;  // stays empty and unplaced
    ApplyChannel();
    Place(m_mainWindow);
}

void CYScaleControllableDlg::TakeChannelViewInfo(int rows, std::uint32_t mask) {
    m_rows = rows;
    m_mask = mask;
    m_answered = true;
}

// Both owners must answer; a window or pane that is gone answers nothing.
bool CYScaleControllableDlg::AskOwners() {
    m_answered = false;
    const WParam self = static_cast<WParam>(Handle());
    const bool window = SendMessage(m_lapOverview, UM_CHANNEL_VIEW_INFO, self, 0) != 0 && m_answered;
    const bool pane = SendMessage(m_scaleView, UM_CHANNEL_SCALE_VIEW_INFO, self, 0) != 0;
    const CLScaleView* scale = WindowFromHandle<CLScaleView>(m_scaleView);
    m_paneRange = pane && scale ? scale->Range() : graphs::ChannelRange{};
    return window && pane;
}

// The names of the served window's channels, each with its number; false
// when they are not as many as its rows. The channel stays when shown.
bool CYScaleControllableDlg::FillCombo() {
    const QSignalBlocker quiet(m_combo);
    m_combo->clear();
    const auto& names = m_settings.Channels().ChannelNameTable();
    for (int channel = 1; channel <= graphs::kChannelCount; ++channel) {
        if (m_mask & (1u << (channel - 1)))
            m_combo->addItem(ChannelNameRec::Text(names[static_cast<std::size_t>(channel - 1)].currentName), channel);
    }
    if (m_combo->count() != m_rows || m_combo->count() == 0)
        return false;
    if (m_combo->findData(m_channel) < 0)
        m_channel = m_combo->itemData(0).toInt();
    SelectChannel(m_channel);
    return true;
}

void CYScaleControllableDlg::SelectChannel(int channel) {
    const QSignalBlocker quiet(m_combo);
    const int index = m_combo->findData(channel);
    if (index >= 0)
        m_combo->setCurrentIndex(index);
}

// The preview and the ruler take the channel's limits; the displayed limits are the ruler's.
void CYScaleControllableDlg::ApplyChannel() {
    if (m_channel < 1 || m_channel > graphs::kChannelCount)
        return;
    const ChannelValueRec& values = m_settings.Channels().ChannelValueTable()[static_cast<std::size_t>(m_channel - 1)];
    m_graph->SetChannel(m_channel);
    m_graph->SetBand(QRect(QPoint(0, 0), m_ruler->size()));
    // The preview stands in the pane's margins, with the pane's limits when it shows this channel.
    graphs::ChannelRange range;
    range.channel = m_channel;
    range.bottomOffset = m_paneRange.bottomOffset;
    range.topMargin = m_paneRange.topMargin;
    if (m_paneRange.channel == m_channel) {
        range.maxOverride = m_paneRange.maxOverride;
        range.minOverride = m_paneRange.minOverride;
    }
    m_graph->ComputeScale(range);
    int spacing = 0;
    std::vector<graphs::ScaleTick> ticks;
    m_graph->BuildScaleTicks(m_channel, values.defaultMin, values.defaultMax * (IsGChannel(m_channel) ? 10 : 1),
                             spacing, ticks, false);
    m_ruler->SetInverted(IsGChannel(m_channel));
    m_ruler->SetRange(values.currentMin, values.currentMax, values.firstStep, values.defaultMax, values.defaultMin);
    m_ruler->SetTicks(std::move(ticks), graphs::kGraphChannels[static_cast<std::size_t>(m_channel - 1)].tenthTicks);
    m_max = m_ruler->High();
    m_min = m_ruler->Low();
    m_graph->SetRange(m_min, m_max);
}

// The saved position with the dialog's own size, else a third across the main window.
void CYScaleControllableDlg::Place(QWidget* mainWindow) {
    constexpr int kThirdAcross = 3;  // the default's left edge: the main window's width divided by this
    m_placed = true;
    WindowPlacement saved;
    const bool stored = m_settings.LoadScaleControlWndPlace(&saved) == 0;
    platform::PlaceFloatingWindow(*this, mainWindow, kThirdAcross, stored ? &saved : nullptr, m_restoredPlace);
}

void CYScaleControllableDlg::OnSelChange() {
    const int channel = m_combo->currentData().toInt();
    if (channel < 1)
        return;
    m_channel = channel;
    ApplyChannel();
    PostMessage(m_ruler->Handle(), UM_ACTIVATE_LAP_OVERVIEW_WINDOW, 0, 0);
    m_save->setEnabled(StateOf(channel) == kChanged);
}

void CYScaleControllableDlg::OnRulerValue(const Message& m) {
    if (m_channel < 1 || m_channel > graphs::kChannelCount)
        return;
    PostMessage(m_mainFrame, UM_SET_VARIABLE_SCALE_CONTROL_VALUE, static_cast<WParam>(m_channel), m.lParam);
    m_max = LoWordSigned(m.lParam);
    m_min = HiWordSigned(m.lParam);
    m_graph->SetRange(m_min, m_max);
    m_savedFlag = false;
    m_states[static_cast<std::size_t>(m_channel - 1)] = kChanged;
    m_save->setEnabled(true);
}

void CYScaleControllableDlg::OnActivate(const Message& m) {
    if (static_cast<std::int64_t>(m.wParam) < 1) {
        if (m.lParam != 0)
            m_lapOverview = static_cast<WindowHandle>(m.lParam);
        if (!AskOwners() || !FillCombo())
            return;
    } else {
        m_channel = static_cast<int>(m.wParam);
        SelectChannel(m_channel);
    }
    ApplyChannel();
    PostMessage(m_ruler->Handle(), UM_ACTIVATE_LAP_OVERVIEW_WINDOW, 0, 0);
    if (!m_placed)
        Place(m_mainWindow);
}

void CYScaleControllableDlg::OnSave() {
    if (m_channel < 1 || m_channel > graphs::kChannelCount)
        return;
    m_savedFlag = true;
    ChannelValueRec& values = m_settings.Channels().ChannelValueTable()[static_cast<std::size_t>(m_channel - 1)];
    values.currentMax = m_max;
    values.currentMin = m_min;
    if (SendMessage(m_mainFrame, UM_SAVE_CHANNEL_MAX_VALUE, static_cast<WParam>(m_channel), 0) != 0) {
        m_states[static_cast<std::size_t>(m_channel - 1)] = kSaved;
        m_save->setEnabled(false);
        return;
    }
    ShowMessageBox(this, QStringLiteral("ERROR , failed save data"), QStringLiteral("OK"), kMbIconError);
}

// Closing hides it; the main frame deletes it when it hears of the end.
void CYScaleControllableDlg::reject() {
    hide();
    Shutdown();
}

void CYScaleControllableDlg::Shutdown() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_settings.Store().WriteRecord(settings::SubKeyPath(settings::kWindowViewInfo), settings::kScaleControlWndPlace,
                                   Placement());
    PostMessage(m_mainFrame, UM_POPUP_VARIABLE_Y_SCALE_DIALOG, 0,
                MakeLong(static_cast<std::uint32_t>(m_channel), m_savedFlag ? 1u : 0u));
    m_window.Destroy();
}
