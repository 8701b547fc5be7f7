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
    // Decodes, refuses and throws as TextLines::LoadFromFile does, keeping the earlier text
    // when it throws. A file mapped must not be cut short while it is held.
    void LoadFromFile(const QString& path);

    // The file's text, without a UTF-8 byte-order mark.
    QByteArrayView Text() const { return mapped_ ? mappedText_ : QByteArrayView(lines_.Text()); }
    // True while the text is the file's own bytes, line breaks as written; false for lines text.
    bool LineBreaksAsWritten() const { return mapped_ != nullptr; }
    void Clear();

private:
    TextLines lines_;
    std::unique_ptr<QFile> mapped_;
    QByteArrayView mappedText_;
};

} // namespace quarvel
