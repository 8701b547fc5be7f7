#pragma once

#include <QString>
#include <QStringList>

namespace quarvel {

class EventPump;

// Runs a program, exactly as named, without a shell and without a window, its standard output
// written to outputFile, and waits for it to end while letting the window process its events
// every 10 ms. The output is collected under outputFile + ".part" and takes its final name
// when the program has ended, so an earlier outputFile is kept when the program cannot start.
// Throws "Cannot create file "%s". %s" when the output cannot be created, and "System
// Error.  Code: %d." with the system's text when the program cannot start.
void RunHidden(const QString& program, const QStringList& arguments, const QString& outputFile, EventPump& pump);

} // namespace quarvel
