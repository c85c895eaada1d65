#include "shell/YScaleDialogStandIn.h"

#include "platform/MessageBus.h"
#include "platform/UserMessages.h"

#include <QCloseEvent>

YScaleDialogStandIn::YScaleDialogStandIn(QWidget* parent, platform::WindowHandle mainFrame)
    : StandInWindow(QStringLiteral("Y AXIS"), parent), m_mainFrame(mainFrame) {
    setWindowFlags(Qt::Tool);
    setWindowTitle(QStringLiteral("Y AXIS"));
    resize(200, 240);
}

int YScaleDialogStandIn::ChannelOf(platform::WindowHandle scaleView) {
    auto it = m_channels.find(scaleView);
    return it == m_channels.end() ? 0 : it->second;
}

void YScaleDialogStandIn::Bind(platform::WindowHandle scaleView, platform::WindowHandle lapOverview,
                               int channel) {
    m_scaleView = scaleView;
    m_lapOverview = lapOverview;
    m_channel = channel;
}

void YScaleDialogStandIn::closeEvent(QCloseEvent* event) {
    event->ignore();  // the main frame deletes it when told
    platform::PostMessage(m_mainFrame, platform::UM_POPUP_VARIABLE_Y_SCALE_DIALOG, 0,
                          platform::MakeLong(static_cast<std::uint32_t>(m_channel), 0));
}
