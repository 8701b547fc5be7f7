#include "catalogue/MameListGenerator.h"

#include "util/Paths.h"
#include "util/RunHidden.h"
#include "util/TextFunctions.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quarvel {

namespace {

bool IsSystemFolder(const QString& folder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(folder);
    return false;
#else
    const QString canonical = QFileInfo(folder).canonicalFilePath() + u'/';
    for (const char* prefix : {"/usr/", "/bin/", "/sbin/", "/lib/", "/snap/"})
        if (canonical.startsWith(QLatin1String(prefix)))
            return true;
    return false;
#endif
}

QString UserCacheFolder()
{
    return AddSlash(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)) + QStringLiteral("Quarvel");
}

} // namespace

bool MameListGenerator::IsMameExecutable(const QString& path)
{
    const QString extension = LowerAscii(ExtractFileExt(path));
    if (extension == QStringLiteral(".exe"))
        return true;
    if (extension == QStringLiteral(".xml"))
        return false;
    const QFileInfo file(path);
    return file.isFile() && file.isExecutable();
}

QString MameListGenerator::ListPathFor(const QString& executable)
{
    QString folder = ExtractFilePath(executable);
    if (folder.isEmpty())
        folder = AddSlash(QDir::currentPath());
    if (!QFileInfo(folder).isWritable() || IsSystemFolder(folder)) {
        folder = AddSlash(UserCacheFolder());
        QDir().mkpath(folder);
    }
    return folder + QString::fromLatin1(ListFileName);
}

void MameListGenerator::Generate(const QString& executable, const QString& listPath, EventPump& pump)
{
    RunHidden(executable, {QStringLiteral("-listxml")}, listPath, pump);
}

} // namespace quarvel
