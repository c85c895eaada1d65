#include "graphs/CChannel.h"

#include "settings/ChannelSettings.h"

CChannel::CChannel(ChannelSettings& settings) : m_settings(settings) {}

void CChannel::SetChannel(int n) {
    m_number = n;
    m_values = ChannelValueRec{};
    m_names = ChannelNameRec{};
    m_currentName.clear();
    if (n < 1 || n > settings::kValueChannelCount)
        return;
    const auto index = static_cast<std::size_t>(n - 1);
    m_values = m_settings.ChannelValueTable()[index];
    m_names = m_settings.ChannelNameTable()[index];
    m_currentName = ChannelNameRec::Text(m_names.currentName);
}
