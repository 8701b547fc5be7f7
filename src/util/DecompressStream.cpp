#include "util/DecompressStream.h"

#include "util/QuarvelError.h"

#include <zlib.h>

namespace quarvel {

namespace {

QString ZlibErrorText(int code, const z_stream& stream)
{
    return QString::fromLatin1(stream.msg ? stream.msg : zError(code));
}

} // namespace

void DecompressStream(QByteArray& stream)
{
    z_stream zs{};
    if (const int code = inflateInit(&zs); code != Z_OK)
        throw QuarvelError(ZlibErrorText(code, zs));

    QByteArray inflated;
    char chunk[64 * 1024];
    zs.next_in = reinterpret_cast<Bytef*>(stream.data());
    zs.avail_in = static_cast<uInt>(stream.size());
    int code = Z_OK;
    do {
        zs.next_out = reinterpret_cast<Bytef*>(chunk);
        zs.avail_out = sizeof chunk;
        code = inflate(&zs, Z_NO_FLUSH);
        inflated.append(chunk, static_cast<qsizetype>(sizeof chunk - zs.avail_out));
        // Input used up without reaching the stream's end: the data is incomplete.
        if (code == Z_OK && zs.avail_in == 0 && zs.avail_out != 0)
            code = Z_BUF_ERROR;
    } while (code == Z_OK);

    const QString error = code == Z_STREAM_END ? QString() : ZlibErrorText(code, zs);
    inflateEnd(&zs);
    if (!error.isEmpty())
        throw QuarvelError(error);
    stream = std::move(inflated);
}

} // namespace quarvel
