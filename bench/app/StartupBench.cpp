// Times the window program from its start to the "Roms in XML: " line of its log, as a user
// with a remembered machine list and source folder meets it on every start, against the
// import's own time and the floor (reading the list into a fresh buffer and one memchr pass),
// both run as bench_import's children in the same rounds. The window runs on the offscreen
// platform and reports its log lines on stderr (--echo-log); it is stopped once the line is in.
#include "support/HeadlessSession.h"
#include "support/MachineList.h"
#include "support/Options.h"
#include "support/Timing.h"
#include "settings/QSettingsStore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace quarvel::bench;

constexpr const char* Usage =
    "Usage: bench_startup [listxml.xml] [--runs N]\n"
    "  Times the window program from its start to the \"Roms in XML: \" line, with the list and a\n"
    "  folder of archives for every third machine remembered, against the import's own time and\n"
    "  a floor. Without a file it reads the list of /usr/games/mame (made once into the cache\n"
    "  folder), or else a synthetic list of the same size.\n";

const QString ImportLineStart = QStringLiteral("Roms in XML: ");

// A home of its own for the window: the remembered settings live under it, and no category
// list of the user's ~/.mame changes the work.
class BenchHome {
public:
    BenchHome()
    {
        qputenv("HOME", QFile::encodeName(home_.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.filePath(QStringLiteral(".config"))));
    }

    void Remember(const QString& list, const QString& archives)
    {
        HeadlessSession headless;
        headless.session.Settings().XmlLoc = list;
        headless.session.Settings().SourceFolder = archives + u'/';
        headless.session.Settings().OutFolder = home_.path() + u'/';
        quarvel::QSettingsStore store;
        headless.session.SaveSettings(store);
    }

    QString FilePath(const QString& name) const { return home_.filePath(name); }

private:
    QTemporaryDir home_;
};

// bench_import's child for one side; returns the time the child measured itself.
Side ImportChild(const char* side, const QString& list)
{
    return [side, list] {
        QProcess child;
        child.start(QStringLiteral(QUARVEL_BENCH_IMPORT_PATH),
                    {QStringLiteral("--child"), QString::fromLatin1(side), list,
                     QStringLiteral(QUARVEL_EMBEDDED_CATEGORIES), QString()});
        child.waitForFinished(-1);
        const QRegularExpressionMatch ms =
            QRegularExpression(QStringLiteral("ms=([0-9.]+)")).match(QString::fromUtf8(child.readAllStandardOutput()));
        if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0 || !ms.hasMatch())
            std::fprintf(stderr, "bench_import --child %s failed\n", side);
        return ms.captured(1).toDouble();
    };
}

// The window from its start to the import's line; the line itself is kept to be shown.
class WindowStart {
public:
    Side AsSide()
    {
        return [this] {
            QProcess window;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            window.setProcessEnvironment(environment);
            const auto start = Clock::now();
            window.start(QStringLiteral(QUARVEL_APP_PATH), {QStringLiteral("--echo-log")});
            const double ms = WaitForImportLine(window) ? MsSince(start) : 0.0;
            window.kill();
            window.waitForFinished(-1);
            return ms;
        };
    }

    const QString& LastImportLine() const { return importLine_; }

private:
    bool WaitForImportLine(QProcess& window)
    {
        window.setReadChannel(QProcess::StandardError);
        while (window.waitForReadyRead(60000)) {
            while (window.canReadLine()) {
                const QString line = QString::fromLocal8Bit(window.readLine()).trimmed();
                if (line.startsWith(ImportLineStart)) {
                    importLine_ = line;
                    return true;
                }
            }
        }
        std::fprintf(stderr, "the window ended or stalled before its \"%s\" line\n", qPrintable(ImportLineStart));
        return false;
    }

    QString importLine_;
};

int Run(const Options& options)
{
    // The list is found first: its cache folder is under the real home.
    const QString list = options.Plain().isEmpty() ? DefaultMachineList() : options.Plain();
    if (!QFileInfo(list).isReadable()) {
        std::printf("machine list %s is absent: nothing to time\n", qPrintable(list));
        return 0;
    }
    BenchHome home;
    const QString archives =
        MakeArchiveFolder(home.FilePath(QStringLiteral("roms")), list, QStringLiteral(QUARVEL_EMBEDDED_CATEGORIES));
    home.Remember(list, archives);

    WindowStart window;
    const int runs = options.Runs(5);
    const std::vector<Samples> samples =
        RunInRounds(runs, {ImportChild("floor", list), ImportChild("import", list), window.AsSide()});
    const qint64 bytes = QFileInfo(list).size();
    std::printf("machine list %s: %.1f MiB, archives for every third machine\n", qPrintable(list), MiB(bytes));
    std::printf("  the window's own line: %s\n", qPrintable(window.LastImportLine()));
    PrintColumnHeads(runs);
    PrintRow("floor: read + memchr (in process)", samples[0], bytes, samples[0]);
    PrintRow("whole import (in process)", samples[1], bytes, samples[0]);
    PrintRow("window start to \"Roms in XML: \"", samples[2], bytes, samples[0]);
    PrintRatio("window start to the line / whole import", samples[2], samples[1]);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const Options options(QCoreApplication::arguments(), Usage);
    if (options.AnswerHelp())
        return 0;
    return Run(options);
}
