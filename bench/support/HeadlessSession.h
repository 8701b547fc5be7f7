#pragma once

#include "support/Sinks.h"
#include "reporting/EventPump.h"
#include "session/Session.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace quarvel::bench {

// The program's engine as the window and the command line drive it, reporting nowhere.
struct HeadlessSession {
    LastLineLog log;
    NoProgress progress;
    quarvel::NoEventPump pump;
    NoPrompts prompts;
    quarvel::Session session{quarvel::Reporting{log, progress, pump, prompts}};
};

// The whole import as the program runs it, from its start-up category build (from the
// compressed list at categories) to the name lists. The import ends with a match; an empty
// folder keeps that out of the import's time.
inline void ImportMachineList(const QString& list, const QString& categories, const QTemporaryDir& emptyFolder,
                              quarvel::Session& session)
{
    QFile resource(categories);
    if (resource.open(QIODevice::ReadOnly))
        session.BuildCategories(resource.readAll());
    session.Settings().XmlLoc = list;
    session.Settings().SourceFolder = emptyFolder.path() + u'/';
    session.LoadRomList();
}

// Archives for every third machine of the list, so a match finds some and misses more.
inline QString MakeArchiveFolder(const QString& folder, const QString& list, const QString& categories)
{
    QDir().mkpath(folder);
    HeadlessSession headless;
    const QTemporaryDir emptyFolder;
    ImportMachineList(list, categories, emptyFolder, headless.session);
    const quarvel::RomTable& romList = headless.session.RomList();
    for (std::size_t i = 0; i < romList.size(); i += 3) {
        QFile archive(folder + u'/' + romList[i].RomFile + QStringLiteral(".7z"));
        if (archive.open(QIODevice::WriteOnly))
            archive.write(QByteArray(int(64 + i % 512), 'x'));
    }
    return folder;
}

} // namespace quarvel::bench
