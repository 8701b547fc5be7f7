#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

namespace quarvel {

class EventPump;
class StringList;

using TIntArray = std::vector<qint64>;

// The search masks come from Windows, where Vista and later take an extra bit (1024). Every
// system this program runs on is at least that recent, and the bit selects nothing anyway.
constexpr bool IsVistaOrLater()
{
    return true;
}

// The base attribute mask of every search. Only three of its bits act: hidden (2), system (4)
// and directory (16); an entry carrying one of them is skipped when the mask lacks it, so 511
// and 1535 select the same entries. On this platform an entry is hidden when its name starts
// with "." (the "." and ".." entries excepted), a system entry when it is neither a regular
// file nor a folder (FIFO, socket, device), and a link counts as its target.
inline constexpr qint32 FindAttrMask = 511 + (IsVistaOrLater() ? 1024 : 0);

// Shared by every search, nested or not; each FindFiles call clears it on entry. It is set when
// a search that stops at its first entry accepts one and when a non-recursive call has finished
// its folder; a recursive call that finds it set after a nested call returns stops at once.
extern bool FindStopFlag;

// Appends Folder + name for every accepted entry of Folder (a delimiter is added when Folder
// lacks one; an empty Folder means the root "/") whose name matches Mask ("*" and "?", letter
// case ignored), then, with Recurse, searches every subfolder whose name does not start with
// "." the same way, depth first. Entries come in byte order of their names, with "." and ".."
// first, so every run and every user sees the same order; IncludeDirs with a Mask that matches
// them therefore reports "." and ".." like any other folder. ExtFilter, when not empty, accepts
// only names whose extension (dot included) occurs in it, letter case significant; SizeFilter
// accepts only sizes equal to MatchSize. With CollectSizes each accepted entry's size (that of
// GetFileSize64) is appended to Sizes. Neither List nor Sizes is cleared. A folder that cannot
// be read contributes nothing and raises nothing. pump runs once at the start of
// every call and once per entry of every subfolder listing; nowhere else.
void FindFiles(StringList& List, const QString& Folder, const QString& Mask, bool StopAtFirst, bool Recurse,
               const QString& ExtFilter, bool SizeFilter, qint64 MatchSize, bool IncludeSystem, bool IncludeHidden,
               bool IncludeDirs, bool CollectSizes, TIntArray& Sizes, EventPump& pump);

// FindFiles without filters, folders or early stop, system and hidden entries included; then,
// when Ext (an extension with its dot) is not empty, every entry of List, earlier ones too,
// whose extension differs from Ext in more than ASCII letter case is deleted.
void FindFilesExt(StringList& List, const QString& Folder, const QString& Mask, const QString& Ext, bool Recurse,
                  EventPump& pump);

// The byte count of the regular file FileName names (links followed). Anything else, a missing
// entry included, gives 0: a size that cannot be read adds nothing to the totals it feeds.
qint64 GetFileSize64(const QString& FileName);

} // namespace quarvel
