#pragma once

#include "util/TextLines.h"

#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <memory>

namespace quarvel {

// A text file held for reading where it lies. A file that already is UTF-8, as the machine
// lists MAME writes are, is mapped into memory and read in place with its line breaks as
// written: that costs a tenth of copying hundreds of megabytes into a buffer of our own, as
// its pages are the system's file cache. Any other file is decoded into lines text (see
// TextLines), with every line ended by CR LF.
class InPlaceText {
public:
    enum class Holding { MapWhenUtf8, Copy };

    // Decodes, refuses and throws as TextLines::LoadFromFile does, keeping the earlier text
    // when it throws. A file about to be deleted is better copied: not every system deletes a
    // file that is mapped.
    void LoadFromFile(const QString& path, Holding holding = Holding::MapWhenUtf8);
    // Reads a mapped file again when it has been cut short since it was mapped: reading past
    // its new end would stop the program. Call it before reading a text held for a while.
    void ReloadIfCutShort();

    // The file's text, without a UTF-8 byte-order mark.
    QByteArrayView Text() const { return mapped_ ? mappedText_ : QByteArrayView(lines_.Text()); }
    // True while the text is the file's own bytes, line breaks as written; false for lines text.
    bool LineBreaksAsWritten() const { return mapped_ != nullptr; }
    void Clear();

private:
    TextLines lines_;
    std::unique_ptr<QFile> mapped_;
    QByteArrayView mappedText_;
    qint64 mappedSize_ = 0;
};

} // namespace quarvel
