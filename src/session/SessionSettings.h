#pragma once

#include <QString>

namespace quarvel {

// The four settings the program keeps per user between runs.
struct SessionSettings {
    // The machine list or MAME executable last opened.
    QString XmlLoc;
    // The source folder, ending with its delimiter when chosen through the picker.
    QString SourceFolder;
    QString OutFolder;
    // The source type: 0 for 7-Zip archives, 1 for zips.
    int SrcType = 0;
};

} // namespace quarvel
