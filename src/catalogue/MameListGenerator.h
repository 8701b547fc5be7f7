#pragma once

#include <QString>

namespace quarvel {

class EventPump;

// Runs the MAME executable with -listxml to produce the machine list file.
class MameListGenerator {
public:
    static constexpr const char* ListFileName = "tempmamelist.xml";

    // True for a path the import treats as the emulator: a ".exe" name (any letter case),
    // or an executable regular file whose extension is not ".xml" (MAME on Linux is "mame").
    static bool IsMameExecutable(const QString& path);

    // Where the generated list goes: next to the executable, or in the user's cache folder
    // when that folder is not writable or belongs to the system (such as /usr/games).
    static QString ListPathFor(const QString& executable);

    // Runs the executable and waits for it, letting the window process its events.
    static void Generate(const QString& executable, const QString& listPath, EventPump& pump);
};

} // namespace quarvel
