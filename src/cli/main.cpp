#include "cli/CliRunner.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    // The emulator that writes the machine list runs as a child process, which wants an application object.
    QCoreApplication application(argc, argv);
    return quarvel::CliRunner::Run(QCoreApplication::arguments());
}
