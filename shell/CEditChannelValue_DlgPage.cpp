#include "shell/CEditChannelValue_DlgPage.h"

#include "platform/ControlId.h"
#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "settings/ChannelSettings.h"
#include "shell/CListCtrl_EditCstmDraw.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace {

constexpr int kGHorizChannel = 3;
constexpr int kGVertChannel = 4;
constexpr int kAnglChannel = 13;

// A leading sign and digits, saturated to 32 bits; 0 when there are none.
std::int32_t TextToInt(const QString& text) {
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1)
            break;
    }
    value = negative ? -value : value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

QString Invalid(const QString& line) { return QStringLiteral("ERROR , invalid data\n") + line; }

}  // namespace

CEditChannelValue_DlgPage::CEditChannelValue_DlgPage(ChannelSettings& channels, platform::WindowHandle mainWindow,
                                                     QWidget* parent)
    : CTabPageDlg(QStringLiteral("CEditChannelValue_DlgPage"), parent), m_channels(channels), m_mainWindow(mainWindow) {
    m_list = platform::NamedControl(new CListCtrl_EditCstmDraw(this), kList);
    auto* reset = platform::NamedControl(new QPushButton(QStringLiteral("Reset"), this), kReset);
    m_save = platform::NamedControl(new QPushButton(QStringLiteral("Save"), this), kSave);
    connect(reset, &QPushButton::clicked, this, [this] { OnReset(); });
    connect(m_save, &QPushButton::clicked, this, [this] { OnSave(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(reset);
    buttons->addWidget(m_save);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    m_save->setEnabled(false);

    Window().On(platform::UM_INPUT_PROPERTY_VALUE_OF_CHANNEL_MAX, [this](const platform::Message& m) {
        const auto* text = platform::BlockIn<std::u16string>(m, m.wParam);
        if (!text)
            return platform::LResult{0};
        return OnInputValue(platform::HiWord(static_cast<std::uint64_t>(m.lParam)),
                            platform::LoWord(static_cast<std::uint64_t>(m.lParam)), QString::fromStdU16String(*text));
    });
}

void CEditChannelValue_DlgPage::Fill() {
    m_list->SetOwner(Handle());
    m_list->setColumnCount(3);
    const struct {
        const char* title;
        Qt::Alignment alignment;
        int width;
    } columns[] = {{"Channel Name", Qt::AlignHCenter, 100}, {"Max. Value", Qt::AlignLeft, 72},
                   {"Min. value", Qt::AlignLeft, 72}};
    for (int c = 0; c < 3; ++c) {
        auto* head = new QTableWidgetItem(QString::fromLatin1(columns[c].title));
        head->setTextAlignment(columns[c].alignment | Qt::AlignVCenter);
        m_list->setHorizontalHeaderItem(c, head);
        m_list->setColumnWidth(c, columns[c].width);
    }
    m_list->setRowCount(kChannelCount);
    for (int row = 0; row < kChannelCount; ++row) {
        const ChannelValueRec& value = m_channels.ChannelValueTable()[static_cast<std::size_t>(row)];
        SetRow(row, ChannelNameRec::Text(m_channels.ChannelNameTable()[static_cast<std::size_t>(row)].currentName),
               value.currentMax, value.currentMin);
    }
    Keep();
    m_save->setEnabled(m_changes > 0);
}

void CEditChannelValue_DlgPage::SetRow(int row, const QString& name, std::int32_t maximum, std::int32_t minimum) {
    const QString texts[] = {name, QString::number(maximum), QString::number(minimum)};
    for (int c = 0; c < 3; ++c) {
        if (QTableWidgetItem* cell = m_list->item(row, c))
            cell->setText(texts[c]);
        else
            m_list->setItem(row, c, new QTableWidgetItem(texts[c]));
    }
}

void CEditChannelValue_DlgPage::Keep() {
    for (std::size_t i = 0; i < kChannelCount; ++i) {
        m_keptNames[i] = ChannelNameRec::Text(m_channels.ChannelNameTable()[i].currentName);
        m_keptMax[i] = m_channels.ChannelValueTable()[i].currentMax;
        m_keptMin[i] = m_channels.ChannelValueTable()[i].currentMin;
    }
}

platform::LResult CEditChannelValue_DlgPage::OnInputValue(int row, int column, const QString& text) {
    if (row < 0 || row >= kChannelCount)
        return 0;
    switch (column) {
    case 0: return OnName(row, text);
    case 1: return OnMaximum(row, text);
    case 2: return OnMinimum(row, text);
    default: return 0;
    }
}

platform::LResult CEditChannelValue_DlgPage::OnName(int row, const QString& text) {
    ChannelNameRec& rec = m_channels.ChannelNameTable()[static_cast<std::size_t>(row)];
    // Compared with and restored to the name in effect, which an unsaved rename may have changed.
    const QString current = ChannelNameRec::Text(rec.currentName);
    if (text.size() > kMaxNameLength)
        return Refuse(row, 0, QStringLiteral("ERROR , input name is over length \n max length is 32"), current);
    if (text == current || !ChannelNameRec::SetText(&rec.currentName, text))
        return 0;
    Changed(1);
    return 1;
}

platform::LResult CEditChannelValue_DlgPage::OnMaximum(int row, const QString& text) {
    ChannelValueRec& rec = m_channels.ChannelValueTable()[static_cast<std::size_t>(row)];
    const int channel = row + 1;
    const std::int32_t v = TextToInt(text);
    const std::int32_t minimum = TextToInt(m_list->item(row, 2)->text());
    // The maximum must lie above the minimum: the scales divide by their difference.
    const bool refused = v > rec.defaultMax || v < rec.lowestMax || v <= minimum ||
                         ((channel == kGHorizChannel || channel == kGVertChannel) && v < 0);
    if (refused)
        return Refuse(row, 1, Invalid(QStringLiteral(" input from %1 to %2").arg(rec.lowestMax).arg(rec.defaultMax)),
                      QString::number(rec.currentMax));
    return Take(&rec.currentMax, v, row, 1);
}

platform::LResult CEditChannelValue_DlgPage::OnMinimum(int row, const QString& text) {
    ChannelValueRec& rec = m_channels.ChannelValueTable()[static_cast<std::size_t>(row)];
    const int channel = row + 1;
    const QString previous = QString::number(rec.currentMin);
    if (channel == kGHorizChannel || channel == kGVertChannel)
        return Refuse(row, 2, Invalid(QStringLiteral(" G cannot change min value %1").arg(rec.defaultMin)), previous);
    if (channel == kAnglChannel)
        return Refuse(row, 2, Invalid(QStringLiteral(" Angl cannot change min value %1").arg(rec.defaultMin)),
                      previous);
    const std::int32_t v = TextToInt(text);
    if (v >= TextToInt(m_list->item(row, 1)->text()))
        return Refuse(row, 2, Invalid(QStringLiteral(" %1 is over max").arg(v)), previous);
    // Speed and the temperatures may go below their default minimum.
    const bool free = channel == 2 || channel == 7 || channel == 8;
    if (!free && (v < rec.defaultMin || v > rec.lowestMax))
        return Refuse(row, 2, Invalid(QStringLiteral("  input from %1 to %2").arg(rec.lowestMax).arg(rec.defaultMin)),
                      previous);
    return Take(&rec.currentMin, v, row, 2);
}

platform::LResult CEditChannelValue_DlgPage::Refuse(int row, int column, const QString& text, const QString& previous) {
    platform::ShowMessageBox(this, text, QStringLiteral("OK"), platform::kMbOk | platform::kMbIconError);
    m_list->item(row, column)->setText(previous);
    return 0;
}

platform::LResult CEditChannelValue_DlgPage::Take(std::int32_t* field, std::int32_t value, int row, int column) {
    m_list->item(row, column)->setText(QString::number(value));  // the value taken, as the tables hold it
    if (*field == value)
        return 0;
    *field = value;
    Changed(1);
    return 1;
}

void CEditChannelValue_DlgPage::Changed(int count) {
    m_changes += count;
    m_save->setEnabled(true);
}

void CEditChannelValue_DlgPage::OnReset() {
    m_saved = false;
    for (std::size_t i = 0; i < kChannelCount; ++i) {
        ChannelNameRec& name = m_channels.ChannelNameTable()[i];
        ChannelValueRec& value = m_channels.ChannelValueTable()[i];
        name.currentName = name.defaultName;
        value.currentMax = value.defaultMax;
        value.currentMin = value.defaultMin;
        SetRow(static_cast<int>(i), ChannelNameRec::Text(name.currentName), value.currentMax, value.currentMin);
    }
    Changed(kChannelCount);
}

void CEditChannelValue_DlgPage::OnSave() {
    if (platform::SendMessage(m_mainWindow, platform::UM_SAVE_CHANNEL_MAX_VALUE, 0,
                              static_cast<platform::LParam>(Handle())) == 0) {
        platform::ShowMessageBox(this, QStringLiteral("ERROR , failed save data"), QStringLiteral("OK"),
                                 platform::kMbOk | platform::kMbIconError);
        return;
    }
    m_saved = true;
    m_savedThisTime = true;
    m_changes = 0;
    Keep();
    m_save->setEnabled(false);
}

void CEditChannelValue_DlgPage::OnClosing() {
    // A save during the dialog is announced even when a later Reset was not saved.
    if (m_savedThisTime)
        platform::PostMessage(m_mainWindow, platform::UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, 0, 0);
    if (m_saved || m_changes <= 0)
        return;
    for (std::size_t i = 0; i < kChannelCount; ++i) {
        ChannelNameRec::SetText(&m_channels.ChannelNameTable()[i].currentName, m_keptNames[i]);
        m_channels.ChannelValueTable()[i].currentMax = m_keptMax[i];
        m_channels.ChannelValueTable()[i].currentMin = m_keptMin[i];
    }
}
