#pragma once

#include <QString>

#include <ostream>

// Lets GoogleTest print texts as texts instead of byte dumps; found by argument-dependent
// look-up, so it must live in QString's (the global) namespace.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
