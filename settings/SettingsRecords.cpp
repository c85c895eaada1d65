#include "settings/SettingsRecords.h"

QString ChannelNameRec::Text(const Name& name) {
    std::size_t length = 0;
    while (length < name.size() && name[length] != u'\0')
        ++length;
    return QString::fromUtf16(name.data(), static_cast<qsizetype>(length));
}

bool ChannelNameRec::SetText(Name* name, const QString& text) {
    if (static_cast<std::size_t>(text.size()) >= name->size() || text.contains(QChar(u'\0')))
        return false;
    name->fill(u'\0');
    for (qsizetype i = 0; i < text.size(); ++i)
        (*name)[static_cast<std::size_t>(i)] = text[i].unicode();
    return true;
}
