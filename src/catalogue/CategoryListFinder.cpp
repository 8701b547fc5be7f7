#include "catalogue/CategoryListFinder.h"

#include <QDir>
#include <QFileInfo>

namespace quarvel {

CategoryListFinder::CategoryListFinder(QString homeFolder, QString mameExecutable)
    : homeFolder_(std::move(homeFolder)), mameExecutable_(std::move(mameExecutable))
{
}

QStringList CategoryListFinder::Folders() const
{
    const QDir mame(QDir(homeFolder_).filePath(QStringLiteral(".mame")));
    QStringList folders{mame.filePath(QStringLiteral("folders")), mame.filePath(QStringLiteral("ini")), mame.path()};
    if (!mameExecutable_.isEmpty())
        folders.append(QFileInfo(mameExecutable_).absolutePath());
    return folders;
}

QStringList CategoryListFinder::FindLists() const
{
    QStringList found;
    const QStringList folders = Folders();
    for (const char* name : {"catver.ini", "category.ini"}) {
        for (const QString& folder : folders) {
            const QFileInfo candidate(QDir(folder).filePath(QLatin1String(name)));
            if (candidate.isFile() && !found.contains(candidate.absoluteFilePath()))
                found.append(candidate.absoluteFilePath());
        }
    }
    return found;
}

} // namespace quarvel
