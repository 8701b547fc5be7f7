#pragma once

#include "settings/SettingsStore.h"

#include <memory>

class QSettings;

namespace quarvel {

// The store on QSettings in the native format and user scope: the registry on Windows,
// ~/.config/<organisation>.conf on Linux. A key path "Software\Name" names organisation Name.
class QSettingsStore : public SettingsStore {
public:
    std::optional<QString> ReadText(const QString& keyPath, const QString& valueName) override;
    void WriteText(const QString& keyPath, const QString& valueName, const QString& text) override;

private:
    static std::unique_ptr<QSettings> Open(const QString& keyPath);
};

} // namespace quarvel
