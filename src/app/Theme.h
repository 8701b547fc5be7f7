#pragma once

#include <QString>

class QApplication;

namespace quarvel {

// Applies the built-in style sheet of the named theme; false when the program holds no such theme.
bool ApplyTheme(QApplication& application, const QString& name);

} // namespace quarvel
