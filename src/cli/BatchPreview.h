#pragma once

#include "fileops/BatchOperation.h"

#include <cstdio>

namespace quarvel {

struct ArchiveLocations;

// A batch operation's dry run: what each name would have done, then the count and the total
// size, read from the folders without touching a file.
class BatchPreview {
public:
    static void Print(BatchOperation operation, const QStringList& names, const ArchiveLocations& locations,
                      std::FILE* stream);
};

} // namespace quarvel
