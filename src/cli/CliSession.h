#pragma once

#include "catalogue/Rom.h"
#include "cli/CliOptions.h"
#include "cli/CliPrompts.h"
#include "cli/SilentLog.h"
#include "cli/TerminalProgress.h"
#include "romlist/RomFilter.h"
#include "session/Session.h"

namespace quarvel {

// The window's engine set up from the command line: categories, import and match, in the
// order the window runs them, and the Roms List filter over the result.
class CliSession {
public:
    explicit CliSession(const CliOptions& options);

    // Throws a CliError (status 2) for a missing source folder, a refused category list, and
    // a list that cannot be read, that the emulator did not write, or that holds no machine.
    void Load();

    // The machines the Roms List page would show for the filter options, in the list's order;
    // every machine, present or not, unless --present (or presentOnly) asks otherwise.
    const RomTable& Filtered(bool presentOnly);

    Session& Engine() { return session_; }

private:
    void LoadCategories();
    void LoadList();
    RomFilterInputs FilterInputs(bool presentOnly) const;
    std::vector<CategoryItem> CategoryItems() const;

    const CliOptions& options_;
    SilentLog log_;
    TerminalProgress progress_;
    NoEventPump pump_;
    CliPrompts prompts_;
    Session session_;
};

} // namespace quarvel
