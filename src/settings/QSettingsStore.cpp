#include "settings/QSettingsStore.h"

#include "util/QuarvelError.h"

#include <QSettings>

namespace quarvel {

std::unique_ptr<QSettings> QSettingsStore::Open(const QString& keyPath)
{
    QString organisation = keyPath;
    const QString softwarePrefix = QStringLiteral("Software\\");
    if (organisation.startsWith(softwarePrefix, Qt::CaseInsensitive))
        organisation.remove(0, softwarePrefix.size());
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation);
}

std::optional<QString> QSettingsStore::ReadText(const QString& keyPath, const QString& valueName)
{
    const std::unique_ptr<QSettings> settings = Open(keyPath);
    const QVariant value = settings->value(valueName);
    if (!value.isValid())
        return std::nullopt;
    if (value.typeId() != QMetaType::QString)
        throw QuarvelError(QStringLiteral("Invalid data type for '%1'").arg(valueName));
    QString text = value.toString();
    // A stored text ends at its first NUL, as a registry string does.
    if (const qsizetype nul = text.indexOf(QChar(u'\0')); nul >= 0)
        text.truncate(nul);
    return text;
}

void QSettingsStore::WriteText(const QString& keyPath, const QString& valueName, const QString& text)
{
    const std::unique_ptr<QSettings> settings = Open(keyPath);
    settings->setValue(valueName, text);
    settings->sync();
    if (settings->status() != QSettings::NoError || !settings->isWritable())
        throw QuarvelError(QStringLiteral("Failed to set data for '%1'").arg(valueName));
}

} // namespace quarvel
