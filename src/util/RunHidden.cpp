#include "util/RunHidden.h"

#include "reporting/EventPump.h"
#include "util/QuarvelError.h"

#include <QFileInfo>
#include <QProcess>

#include <cerrno>
#include <cstring>

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

QString SystemErrorText(int code)
{
    return QStringLiteral("System Error.  Code: %1.\r\n%2").arg(code).arg(QString::fromLocal8Bit(std::strerror(code)));
}

} // namespace

void RunHidden(const QString& program, const QStringList& arguments, const QString& outputFile, EventPump& pump)
{
    QProcess process;
    process.setProgram(program.trimmed());
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(outputFile, QIODevice::Truncate);
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(-1))
        throw QuarvelError(SystemErrorText(StartErrorCode(program.trimmed())));
    while (!process.waitForFinished(10))
        pump.ProcessEvents();
}

} // namespace quarvel
