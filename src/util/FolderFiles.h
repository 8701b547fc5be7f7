#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace quarvel {

class EventPump;

// The files FindFiles gives for Folder and Mask with system and hidden entries, without
// folders, recursion or filters, with sizes: bare names, in listing order, and their sizes.
//
// Reading the sizes is most of the time a large folder takes, and it waits on the system, so
// it starts on other threads as soon as the folder is listed: the caller indexes the names
// meanwhile, and the first Size lends the caller's thread to what is left. A folder that
// cannot be listed has no files.
class FolderFiles {
public:
    // pump runs once, at the start, as FindFiles runs it.
    FolderFiles(const QString& Folder, const QString& Mask, EventPump& pump);
    ~FolderFiles();
    FolderFiles(const FolderFiles&) = delete;
    FolderFiles& operator=(const FolderFiles&) = delete;

    const std::vector<QString>& Names() const { return names_; }
    // The size of the file Names()[i]; the first call waits for every size.
    qint64 Size(std::size_t i);

private:
    struct Reading;

    std::unique_ptr<Reading> reading_;
    std::vector<QString> names_;
};

} // namespace quarvel
