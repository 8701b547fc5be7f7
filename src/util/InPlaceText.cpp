#include "util/InPlaceText.h"

#include <QFileInfo>

namespace quarvel {

namespace {

constexpr QByteArrayView Utf8Mark("\xEF\xBB\xBF");

// The file's text mapped in place when it is UTF-8, without its mark; empty otherwise. Files
// that widening every line break to CR LF could take to the 4 GiB limit, and files that grow
// while they are read, are left to TextLines, which reads them to their end and checks.
QByteArrayView MappedUtf8(QFile& file)
{
    if (!QFileInfo(file.fileName()).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    const qint64 size = file.size();
    if (size <= 0 || 2 * size + 2 >= TextLines::MaxDocumentBytes)
        return {};
    const uchar* bytes = file.map(0, size);
    if (!bytes)
        return {};
    QByteArrayView text(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    if (text.startsWith(Utf8Mark))
        text = text.sliced(Utf8Mark.size());
    if (!text.isValidUtf8() || file.size() != size)
        return {};
    return text;
}

} // namespace

void InPlaceText::LoadFromFile(const QString& path, Holding holding)
{
    auto file = std::make_unique<QFile>(path);
    const QByteArrayView mappedText = holding == Holding::MapWhenUtf8 ? MappedUtf8(*file) : QByteArrayView();
    if (mappedText.data()) {
        lines_.Clear();
        mappedSize_ = file->size();
        mapped_ = std::move(file);
        mappedText_ = mappedText;
        return;
    }
    TextLines lines;
    lines.LoadFromFile(path);
    lines_ = std::move(lines);
    mapped_.reset();
    mappedText_ = {};
}

void InPlaceText::ReloadIfCutShort()
{
    // The open file's size is that of the file mapped, even when its name now stands for another.
    if (mapped_ && mapped_->size() < mappedSize_)
        LoadFromFile(mapped_->fileName());
}

void InPlaceText::Clear()
{
    lines_.Clear();
    mapped_.reset();
    mappedText_ = {};
}

} // namespace quarvel
