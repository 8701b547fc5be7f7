#pragma once

#include <QByteArray>

namespace quarvel {

// Replaces the bytes by their zlib-inflated form (a complete RFC 1950 stream). Content that
// is empty or not a complete stream throws the compression library's error text.
void DecompressStream(QByteArray& stream);

} // namespace quarvel
