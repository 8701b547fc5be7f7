#pragma once

#include "catalogue/Rom.h"
#include "cli/CliOptions.h"

#include <QByteArray>

#include <cstdio>

namespace quarvel {

// Writes machines as TSV with a header row or as JSON lines, one line per machine: a tab or
// line break inside a text is written as a blank so no row ever spans two lines.
class RomRowWriter {
public:
    RomRowWriter(RowFormat format, std::FILE* stream);
    ~RomRowWriter();
    RomRowWriter(const RomRowWriter&) = delete;
    RomRowWriter& operator=(const RomRowWriter&) = delete;

    void Write(const Rom& rom);

private:
    void WriteTsv(const Rom& rom);
    void WriteJson(const Rom& rom);
    void Flush();

    RowFormat format_;
    std::FILE* stream_;
    QByteArray pending_;
};

} // namespace quarvel
