#include "cli/BatchPreview.h"

#include "cli/StreamLog.h"
#include "fileops/ArchiveLocations.h"
#include "util/SizeText.h"

#include <QFileInfo>

#include <array>

namespace quarvel {

namespace {

struct PreviewTexts {
    const char* verb;
    const char* finalSuffix;
};

constexpr std::array<PreviewTexts, 4> Texts{{
    {"delete", " clones would be deleted"},
    {"move", " clones would be moved"},
    {"move", " originals would be moved"},
    {"copy", " originals would be copied"},
}};

// The line of one archive that is there; nothing when the real run would pass it over.
QString ActionLine(BatchOperation operation, const QString& source, const QString& destination)
{
    const PreviewTexts& texts = Texts[static_cast<std::size_t>(operation)];
    QString line = QStringLiteral("Would %1 %2").arg(QString::fromLatin1(texts.verb), source);
    if (operation != BatchOperation::DeleteClones)
        line += QStringLiteral(" to ") + destination;
    return line;
}

} // namespace

void BatchPreview::Print(BatchOperation operation, const QStringList& names, const ArchiveLocations& locations,
                         std::FILE* stream)
{
    StreamLog log(stream);
    int count = 0;
    std::int64_t bytes = 0;
    for (const QString& name : names) {
        const QFileInfo source(locations.SourcePath(name));
        if (!source.isFile())
            continue;
        const QString destination = BatchDestinationPath(operation, locations, name);
        if (!destination.isEmpty() && BatchExistingDestination(operation) == ExistingDestination::Keep
            && QFileInfo::exists(destination)) {
            log.AppendLine(QStringLiteral("Would fail, %1 exists").arg(destination));
            continue;
        }
        log.AppendLine(ActionLine(operation, source.filePath(), destination));
        ++count;
        bytes += source.size();
    }
    log.AppendLine(QStringLiteral("Dry run, %1%2: %3 bytes (%4)")
                       .arg(QString::number(count), QString::fromLatin1(Texts[static_cast<std::size_t>(operation)].finalSuffix),
                            QString::number(bytes), FormatSize(bytes)));
}

} // namespace quarvel
