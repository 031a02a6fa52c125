#include "show/busywaitpacer.h"
#include "window/platform.h"
#include "window/form1.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    ChoosePlatformDefaults();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("clickshow"));

    show::BusyWaitPacer pacer;
    Form1 form(pacer);
    QObject::connect(&form, &Form1::showFailed, &form, [&form](const QString &message) {
        std::fprintf(stderr, "clickshow: %s\n", qPrintable(message));
        if (DisplayConnectionLost()) {
            // No screen is left to show a message box on.
            std::fprintf(stderr, "clickshow: the connection to the display is lost\n");
            std::fflush(stderr);
            std::_Exit(1);
        }
        std::fflush(stderr);
        QMessageBox::critical(&form, QStringLiteral("clickshow"), message);
        QCoreApplication::exit(1);
    });
    form.show();
    return app.exec();
}
