#include "util/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace quarvel {

QChar PathDelimiter()
{
    return QDir::separator();
}

bool IsPathDelimiter(QChar c)
{
#ifdef Q_OS_WIN
    return c == u'\\' || c == u'/' || c == u':';
#else
    return c == u'/';
#endif
}

QString AddSlash(const QString& text)
{
    if (!text.isEmpty() && text.back() == PathDelimiter())
        return text;
    return text + PathDelimiter();
}

static qsizetype LastDelimiter(const QString& path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (IsPathDelimiter(path[i]))
            return i;
    return -1;
}

QString ExtractFileExt(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0 || LastDelimiter(path) > dot)
        return QString();
    return path.mid(dot);
}

QString ExtractFileName(const QString& path)
{
    return path.mid(LastDelimiter(path) + 1);
}

QString ExtractFilePath(const QString& path)
{
    return path.left(LastDelimiter(path) + 1);
}

QString DecodeName(std::string_view name)
{
    return QString::fromUtf8(QByteArrayView(name.data(), qsizetype(name.size())));
}

bool FolderExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool FileExistsInFolder(const QString& path)
{
    const QString folder = ExtractFilePath(path);
    if (folder.isEmpty() || !FolderExists(folder))
        return false;
    const QFileInfo entry(path);
    return entry.exists() && !entry.isDir();
}

bool IsSpecialFile(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}

} // namespace quarvel
