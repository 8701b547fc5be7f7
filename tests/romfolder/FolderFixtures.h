#pragma once

#include "support/RecordingSinks.h"

#include <QString>

namespace quarvel::test {

// Entries a plain file write cannot make; each fails the test when the platform refuses.
void MakeFolder(const QString& path);
void MakeFifo(const QString& path);
void MakeSocket(const QString& path);
void MakeLink(const QString& target, const QString& link);

} // namespace quarvel::test
