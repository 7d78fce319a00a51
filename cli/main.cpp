// tq6105-cli: prepares and inspects radio data files from the command line.

#include "CliSupport.h"
#include "Commands.h"

#include "app/All.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QString::fromLatin1(CliName));
    StartCore(QCoreApplication::applicationDirPath());
    InstallCliResponder();
    return RunCli(QCoreApplication::arguments().mid(1));
}
