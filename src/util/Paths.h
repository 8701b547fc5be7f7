#pragma once

#include <QString>

#include <string_view>

namespace quarvel {

// The platform's path delimiter ("/" here, "\" on Windows).
QChar PathDelimiter();
// True for a character that ends a folder part: the delimiter, and on Windows also "/" and the drive colon.
bool IsPathDelimiter(QChar c);

// The text with the delimiter appended unless it already ends with one; empty gives the root.
QString AddSlash(const QString& text);
// The text from the last "." to the end, when no delimiter follows that dot; otherwise empty.
QString ExtractFileExt(const QString& path);
// The text after the last delimiter.
QString ExtractFileName(const QString& path);
// Everything up to and including the last delimiter; empty when there is none.
QString ExtractFilePath(const QString& path);

// A file name as the system lists it, as QFile::encodeName gives it back: Qt takes names as
// UTF-8 on this platform.
QString DecodeName(std::string_view name);

// True when the path names an existing folder (a link counts when its target is one).
bool FolderExists(const QString& path);
// True when the folder part of the path exists and the path names an existing non-folder entry.
bool FileExistsInFolder(const QString& path);
// True when the path names an existing entry that is neither a file nor a folder (a pipe, a
// device, a socket; a link counts as its target). Opening a pipe waits for a writer and a
// device may never end, so text is never read from one.
bool IsSpecialFile(const QString& path);

} // namespace quarvel
