// A fresh AppSettings on an in-memory registry for the settings tests, with
// raw access to the stored values (to plant foreign ones and inspect bytes).
#pragma once

#include "platform/RegistryMemoryBackend.h"
#include "settings/AppSettings.h"
#include "settings/SettingsDefaults.h"

#include <QByteArray>
#include <memory>

class SettingsTestStore {
public:
    static constexpr platform::ColorRef kButtonFace = 0xC0FFEE;

    explicit SettingsTestStore(bool createKeys = true) {
        auto backend = std::make_unique<platform::RegistryMemoryBackend>();
        m_backend = backend.get();
        m_settings = std::make_unique<AppSettings>(std::move(backend), [] { return kButtonFace; });
        if (createKeys)
            m_settings->Store().CreateSettingsKeys();
    }

    AppSettings& Settings() { return *m_settings; }
    SettingsStore& Store() { return m_settings->Store(); }
    platform::Registry& Registry() { return m_settings->UserRegistry(); }
    platform::RegistryMemoryBackend& Backend() { return *m_backend; }

    // Stores bytes under a sub-key as they are, past the store's checks.
    void Put(const QString& subKey, const QString& name, const QByteArray& bytes,
             std::uint32_t type = platform::kRegBinary) {
        Registry().SetValue(settings::SubKeyPath(subKey), name, {type, bytes});
    }
    // The stored bytes, empty when missing.
    QByteArray Get(const QString& subKey, const QString& name) {
        const auto value = Registry().QueryValue(settings::SubKeyPath(subKey), name);
        return value ? value->data : QByteArray();
    }
    std::uint32_t TypeOf(const QString& subKey, const QString& name) {
        const auto value = Registry().QueryValue(settings::SubKeyPath(subKey), name);
        return value ? value->type : platform::kRegNone;
    }

    template <class Rec>
    void PutRecord(const QString& subKey, const QString& name, const Rec& rec) {
        const auto bytes = settings_bytes::Encode(rec);
        Put(subKey, name, QByteArray(reinterpret_cast<const char*>(bytes.data()), Rec::kSize));
    }

private:
    platform::RegistryMemoryBackend* m_backend = nullptr;
    std::unique_ptr<AppSettings> m_settings;
};
