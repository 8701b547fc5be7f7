#pragma once

#include <QString>

#include <optional>

namespace quarvel {

// The per-user store of named text values under a key path such as "Software\Quarvel".
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text; nothing when the value is missing. Throws "Invalid data type for '%s'"
    // when the value holds something other than text.
    virtual std::optional<QString> ReadText(const QString& keyPath, const QString& valueName) = 0;
    // Stores the text, replacing an earlier value. Throws "Failed to set data for '%s'".
    virtual void WriteText(const QString& keyPath, const QString& valueName, const QString& text) = 0;
};

} // namespace quarvel
