#pragma once

#include "catalogue/Rom.h"

#include <QString>

namespace quarvel {

class EventPump;
class LogSink;
class ProgressSink;
class StringList;

// The two passes over the source folder: the scan counts the archives of the chosen type, the
// match marks which machines have one.

// The archive extension of a source type, without its dot: index 0 ("Source: 7zip") gives
// "7z", index 1 ("Source: zips") gives "zip". The choice only ever holds those two items, so
// any other index, such as "nothing chosen", falls back to the first type.
QString SourceTypeExtension(int sourceTypeIndex);

// Lists the archives "*." + extension of folder (not of its subfolders) into SourceFiles and
// logs how many there are. Hidden archives count; folders and system entries (FIFOs, sockets,
// devices) do not. Returns false, logging nothing and leaving SourceFiles as it was, when the
// folder does not exist; true otherwise, after which the output folder may be chosen.
bool ScanSourceFolder(const QString& folder, const QString& extension, StringList& SourceFiles, LogSink& log,
                      EventPump& pump);

// Marks every machine of RomList whose archive RomFile + "." + extension is in folder (not in
// its subfolders; letter case ignored; hidden and system entries count, folders do not) and
// records that archive's size, read at folder + RomFile + "." + extension with no delimiter
// added, so a folder text without its trailing delimiter reads sizes elsewhere. InDisk is
// written for every machine, Size only where InDisk is set. An empty folder text lists the
// root. Progress and pump run every 100 machines (at 0, 100, 200, ...), and events handled
// there may replace RomList: the pass goes on over whatever list is current, up to its end.
void MatchRomFiles(RomTable& RomList, const QString& folder, const QString& extension, LogSink& log,
                   ProgressSink& progress, EventPump& pump);

} // namespace quarvel
