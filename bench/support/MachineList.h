#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <cstdio>

namespace quarvel::bench {

namespace machinelist {

constexpr int SyntheticMachines = 45000;
constexpr qsizetype SyntheticMachineBytes = 6000; // a real list averages about this much per machine

inline QString CacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/quarvel-bench");
}

inline QByteArray RomLines(int machine, qsizetype bytes)
{
    QByteArray lines;
    for (int rom = 0; lines.size() < bytes; ++rom)
        lines += QStringLiteral("\t\t<rom name=\"m%1.%2\" size=\"4096\" crc=\"%3\" sha1=\"%4%4%4%4%4\" "
                                "region=\"maincpu\" offset=\"%5\"/>\r\n")
                     .arg(machine)
                     .arg(rom)
                     .arg(static_cast<uint>(machine * 2654435761u + static_cast<uint>(rom)), 8, 16, QChar(u'0'))
                     .arg(static_cast<uint>(machine + rom), 8, 16, QChar(u'0'))
                     .arg(rom * 0x1000, 0, 16)
                     .toUtf8();
    return lines;
}

// One machine shaped like MAME's: two of three are clones, some texts need decoding, and
// chips, display, inputs, switches and ROMs pad it to the size a real machine has.
inline QByteArray SyntheticMachine(int i)
{
    const int parent = i - i % 3;
    QByteArray machine =
        QStringLiteral("\t<machine name=\"m%1\" sourcefile=\"drivers/d%2.cpp\"").arg(i, 5, 10, QChar(u'0')).arg(i % 900).toUtf8();
    if (i % 3 != 0)
        machine += QStringLiteral(" cloneof=\"m%1\" romof=\"m%1\"").arg(parent, 5, 10, QChar(u'0')).toUtf8();
    machine += ">\r\n";
    machine += QStringLiteral("\t\t<description>%1 Machine %2 (set %3)</description>\r\n")
                   .arg(i % 50 == 0 ? QString::fromUtf8("Pok\xC3\xA9mon") : QStringLiteral("Arcade"))
                   .arg(i)
                   .arg(i % 3 + 1)
                   .toUtf8();
    machine += QStringLiteral("\t\t<year>19%1</year>\r\n").arg(70 + i % 30).toUtf8();
    machine += QStringLiteral("\t\t<manufacturer>Maker %1 &amp; Co</manufacturer>\r\n").arg(i % 400).toUtf8();
    machine += "\t\t<chip type=\"cpu\" tag=\"maincpu\" name=\"Zilog Z80\" clock=\"3072000\"/>\r\n"
               "\t\t<display tag=\"screen\" type=\"raster\" rotate=\"90\" width=\"288\" height=\"224\" "
               "refresh=\"60.606061\" />\r\n"
               "\t\t<input players=\"2\" coins=\"2\">\r\n"
               "\t\t\t<control type=\"joy\" player=\"1\" ways=\"4\"/>\r\n"
               "\t\t</input>\r\n"
               "\t\t<dipswitch name=\"Coinage\" tag=\"DSW1\" mask=\"3\">\r\n"
               "\t\t\t<dipvalue name=\"1 Coin/1 Credit\" value=\"1\" default=\"yes\"/>\r\n"
               "\t\t</dipswitch>\r\n";
    const QByteArray footer = "\t\t<driver status=\"good\" emulation=\"good\" savestate=\"supported\"/>\r\n\t</machine>\r\n";
    machine += RomLines(i, SyntheticMachineBytes - machine.size() - footer.size());
    return machine + footer;
}

// Only a complete list gets the cached name, so a run broken off half-way is not taken for one.
inline bool Publish(const QString& partial, const QString& path)
{
    QFile::remove(path);
    return QFile::rename(partial, path);
}

inline QString WriteSyntheticList(const QString& path)
{
    const QString partial = path + QStringLiteral(".part");
    QFile file(partial);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("<?xml version=\"1.0\"?>\r\n<mame build=\"synthetic\" debug=\"no\" mameconfig=\"10\">\r\n");
    for (int i = 0; i < SyntheticMachines; ++i)
        file.write(SyntheticMachine(i));
    file.write("</mame>\r\n");
    file.close();
    return Publish(partial, path) ? path : QString();
}

inline bool GenerateFromMame(const QString& mame, const QString& path)
{
    std::printf("generating %s from %s -listxml (once)\n", qPrintable(path), qPrintable(mame));
    const QString partial = path + QStringLiteral(".part");
    QProcess process;
    process.setStandardOutputFile(partial);
    process.start(mame, {QStringLiteral("-listxml")});
    const bool complete = process.waitForFinished(-1) && process.exitCode() == 0 && QFileInfo(partial).size() > 0;
    if (complete)
        return Publish(partial, path);
    QFile::remove(partial);
    return false;
}

} // namespace machinelist

// The machine list a benchmark reads when given none: the real one of the installed MAME,
// made once into the cache folder, or else a synthetic one of the same size and shape.
inline QString DefaultMachineList()
{
    QDir().mkpath(machinelist::CacheFolder());
    const QString generated = machinelist::CacheFolder() + QStringLiteral("/listxml.xml");
    const QString mame = QStringLiteral("/usr/games/mame");
    if (QFileInfo(generated).size() > 0)
        return generated;
    if (QFileInfo(mame).isExecutable() && machinelist::GenerateFromMame(mame, generated))
        return generated;
    const QString synthetic = machinelist::CacheFolder() + QStringLiteral("/synthetic.xml");
    if (QFileInfo(synthetic).size() > 0)
        return synthetic;
    std::printf("no MAME at %s: writing a synthetic list of %d machines to %s (once)\n", qPrintable(mame),
                machinelist::SyntheticMachines, qPrintable(synthetic));
    return machinelist::WriteSyntheticList(synthetic);
}

} // namespace quarvel::bench
