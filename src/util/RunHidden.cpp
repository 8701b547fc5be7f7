#include "util/RunHidden.h"

#include "reporting/EventPump.h"
#include "util/QuarvelError.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace quarvel {

namespace {

// The system error code that best describes why the program did not start.
int StartErrorCode(const QString& program)
{
    const QFileInfo info(program);
    if (!info.exists())
        return ENOENT;
    if (info.isDir() || !info.isExecutable())
        return EACCES;
    return ENOEXEC;
}

QString SystemText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

QString SystemErrorText(int code)
{
    return QStringLiteral("System Error.  Code: %1.\r\n%2").arg(code).arg(SystemText(code));
}

QuarvelError CreateError(const QString& path, const QString& reason)
{
    return QuarvelError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason));
}

// Creates the file the output is written to first, so that the real reason is reported when
// it cannot be created, before the program runs.
void CreatePartialFile(const QString& outputFile, const QString& partialFile)
{
    if (QFileInfo(outputFile).isDir())
        throw CreateError(outputFile, SystemText(EISDIR));
    QFile partial(partialFile);
    if (!partial.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw CreateError(outputFile, partial.errorString());
}

// Gives the finished output its final name, replacing an earlier one in one step. Output that
// is gone (the program removed it) is left for the caller to miss.
void GiveFinalName(const QString& partialFile, const QString& outputFile)
{
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(partialFile.toStdU16String()),
                            std::filesystem::path(outputFile.toStdU16String()), error);
    if (error && error != std::errc::no_such_file_or_directory) {
        QFile::remove(partialFile);
        throw CreateError(outputFile, QString::fromLocal8Bit(error.message()));
    }
}

} // namespace

void RunHidden(const QString& program, const QStringList& arguments, const QString& outputFile, EventPump& pump)
{
    // The output collects under a name of its own: an earlier file of the final name, such as
    // the list the settings remember, stays as it was unless the program has run.
    const QString partialFile = outputFile + QStringLiteral(".part");
    CreatePartialFile(outputFile, partialFile);

    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(partialFile, QIODevice::Truncate);
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(-1)) {
        QFile::remove(partialFile);
        throw QuarvelError(SystemErrorText(StartErrorCode(program)));
    }
    // The end of the process may be handled by the pump itself, after which waitForFinished
    // reports false at once for ever: the state is what tells that it has ended.
    while (process.state() != QProcess::NotRunning) {
        if (!process.waitForFinished(10))
            pump.ProcessEvents();
    }
    GiveFinalName(partialFile, outputFile);
}

} // namespace quarvel
