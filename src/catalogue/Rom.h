#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace quarvel {

// One machine of the imported list.
struct Rom {
    QString RomFile;      // short name, also the base name of its archive
    QString GameName;     // description
    QString Category;
    QString Year;
    QString Manufacturer;
    bool IsClone = false;
    bool InDisk = false;  // its archive is in the source folder
    std::int64_t Size = 0; // archive size, meaningful only while InDisk is set
};

using RomTable = std::vector<Rom>;

} // namespace quarvel
