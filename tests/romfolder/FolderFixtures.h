#pragma once

#include "support/RecordingSinks.h"

#include <QString>

namespace quarvel::test {

// Entries a plain file write cannot make; each fails the test when the platform refuses.
void MakeFolder(const QString& path);
void MakeFifo(const QString& path);
void MakeSocket(const QString& path);
void MakeLink(const QString& target, const QString& link);

// A source folder with one entry of every kind that matters to a scan and a match:
// galaga.7z (4 bytes), .hidden.7z (hidden, 6 bytes), dkong.7z (FIFO), mspacman.7z (socket),
// pacman.7z/ (folder), sub/digdug.7z (in a subfolder) and xevious.zip (7 bytes).
void MakeMixedSourceFolder(const QString& source);

} // namespace quarvel::test
