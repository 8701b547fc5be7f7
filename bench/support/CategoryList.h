#pragma once

#include <QByteArray>
#include <QString>

#include <zlib.h>

namespace quarvel::bench {

// The real third-party category list beside the repository; the program embeds its list
// compressed, so the benchmarks compress this one the same way before timing anything.
inline QString SharedCategoryList()
{
    return QStringLiteral(QUARVEL_SHARED_DATA_DIR "/category-0.214.ini");
}

inline QByteArray ZlibCompress(const QByteArray& plain)
{
    uLongf size = compressBound(static_cast<uLong>(plain.size()));
    QByteArray packed(static_cast<qsizetype>(size), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(plain.constData()),
              static_cast<uLong>(plain.size()), Z_BEST_COMPRESSION);
    packed.resize(static_cast<qsizetype>(size));
    return packed;
}

} // namespace quarvel::bench
