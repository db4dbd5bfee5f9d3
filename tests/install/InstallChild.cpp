// Installs one archive into one folder over the real classes and nothing else, so a
// test can kill it at any moment: krvnm_install_child <archive> <game folder>.

#include "install/ExtractionChannel.h"
#include "install/ExtractionJob.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3)
        return 2;
    ExtractionChannel channel([] {});
    ExtractionJob job({arguments.at(1), arguments.at(2), true, arguments.at(2), QStringLiteral("1.0")}, channel);
    return job.run() == ExtractionOutcome::Extracted ? 0 : 1;
}
