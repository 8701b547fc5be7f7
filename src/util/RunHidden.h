#pragma once

#include <QString>
#include <QStringList>

namespace quarvel {

class EventPump;

// Runs a program without a shell and without a window, its standard output written to
// outputFile, and waits for it to end while letting the window process its events every
// 10 ms. Throws "System Error.  Code: %d." and the system's text when it cannot start.
void RunHidden(const QString& program, const QStringList& arguments, const QString& outputFile, EventPump& pump);

} // namespace quarvel
