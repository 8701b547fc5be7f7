#include "cli/RomRowWriter.h"

#include "util/SizeText.h"

namespace quarvel {

namespace {

constexpr qsizetype FlushBytes = 1 << 16;

const char* const TsvHeader = "Rom\tGame\tYear\tManufacturer\tCategory\tSize\tSizeText\tIsClone\tInDisk\n";

bool BreaksRow(char c)
{
    return c == '\t' || c == '\n' || c == '\r';
}

QByteArray OneLine(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    for (char& c : bytes) {
        if (BreaksRow(c))
            c = ' ';
    }
    return bytes;
}

void AppendJsonString(QByteArray& out, const QString& text)
{
    out += '"';
    for (const char c : OneLine(text)) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (static_cast<unsigned char>(c) < 0x20)
            out += "\\u00" + QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0');
        else
            out += c;
    }
    out += '"';
}

std::int64_t SizeOnDisk(const Rom& rom)
{
    return rom.InDisk ? rom.Size : 0;
}

QString SizeTextOf(const Rom& rom)
{
    return rom.InDisk ? FormatSize(rom.Size) : QString();
}

} // namespace

RomRowWriter::RomRowWriter(RowFormat format, std::FILE* stream)
    : format_(format)
    , stream_(stream)
{
    if (format_ == RowFormat::Tsv)
        pending_ = TsvHeader;
}

RomRowWriter::~RomRowWriter()
{
    Flush();
}

void RomRowWriter::Write(const Rom& rom)
{
    if (format_ == RowFormat::Tsv)
        WriteTsv(rom);
    else
        WriteJson(rom);
    if (pending_.size() >= FlushBytes)
        Flush();
}

void RomRowWriter::WriteTsv(const Rom& rom)
{
    for (const QString* text : {&rom.RomFile, &rom.GameName, &rom.Year, &rom.Manufacturer, &rom.Category})
        pending_ += OneLine(*text) + '\t';
    pending_ += QByteArray::number(SizeOnDisk(rom)) + '\t' + SizeTextOf(rom).toUtf8() + '\t';
    pending_ += rom.IsClone ? "1\t" : "0\t";
    pending_ += rom.InDisk ? "1\n" : "0\n";
}

void RomRowWriter::WriteJson(const Rom& rom)
{
    const std::pair<const char*, const QString*> texts[] = {{"{\"Rom\":", &rom.RomFile},
                                                            {",\"Game\":", &rom.GameName},
                                                            {",\"Year\":", &rom.Year},
                                                            {",\"Manufacturer\":", &rom.Manufacturer},
                                                            {",\"Category\":", &rom.Category}};
    for (const auto& [key, text] : texts) {
        pending_ += key;
        AppendJsonString(pending_, *text);
    }
    pending_ += ",\"Size\":" + QByteArray::number(SizeOnDisk(rom)) + ",\"SizeText\":";
    AppendJsonString(pending_, SizeTextOf(rom));
    pending_ += rom.IsClone ? ",\"IsClone\":1" : ",\"IsClone\":0";
    pending_ += rom.InDisk ? ",\"InDisk\":1}\n" : ",\"InDisk\":0}\n";
}

void RomRowWriter::Flush()
{
    std::fwrite(pending_.constData(), 1, std::size_t(pending_.size()), stream_);
    std::fflush(stream_);
    pending_.clear();
}

} // namespace quarvel
