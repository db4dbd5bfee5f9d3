#include "ui/Application.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication qapp(argc, argv);
    QCommandLineParser options;
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the main window to <png> and close it."),
                                        QStringLiteral("png"));
    options.addOption(screenshot);
    options.process(qapp);

    Application app;
    MainWindow& window = app.start();
    std::printf("Settings: %s\n", qPrintable(app.settingsLocation()));
    std::fflush(stdout);
    if (options.isSet(screenshot)) {
        const QString path = options.value(screenshot);
        QTimer::singleShot(300, &window, [&window, path] {
            if (window.grab().save(path))
                std::printf("Screenshot of the main window: %s\n", qPrintable(path));
            else
                std::fprintf(stderr, "Could not save %s\n", qPrintable(path));
            window.close(); // the normal shutdown: stores the three shutdown keys
        });
    }
    return QApplication::exec();
}
