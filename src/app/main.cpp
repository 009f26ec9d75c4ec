#include "app/ImageResources.h"
#include "app/MainWindow.h"

#include <QApplication>
#include <QPixmap>
#include <QPointer>
#include <QSocketNotifier>
#include <QSplashScreen>
#include <QVector>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int terminationPipe[2] = {-1, -1};

// A termination request from outside the window system (a terminal's Ctrl-C, the session
// ending) reaches the event loop through a pipe, the one thing safe to do in a handler.
void onTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(terminationPipe[0], &byte, 1);
}
} // namespace

int main(int argc, char *argv[])
{
    qRegisterMetaType<QVector<int>>("QVector<int>");
    QCoreApplication::setOrganizationName("QUARN");
    QCoreApplication::setOrganizationDomain("orvalith.org");
    QCoreApplication::setApplicationName("Orvalith-III");
    QApplication app(argc, argv);
    ImageResources::init();
    app.setWindowIcon(QIcon(":/src/images/icon_orv.png"));

    // The handler is installed before the window is built; the request waits in the pipe until
    // the event loop runs, so the window is never ended half-built or under the splash.
    const bool piped = ::socketpair(AF_UNIX, SOCK_STREAM, 0, terminationPipe) == 0;
    if (piped) {
        struct sigaction action = {};
        action.sa_handler = onTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGTERM, &action, nullptr);
        sigaction(SIGINT, &action, nullptr);
    }

    QPixmap pixmap(":/src/images/ORV_Loading.png");
    QSplashScreen splash(pixmap);
    splash.show();
    app.processEvents();

    QPointer<MainWindow> window = new MainWindow;
    window->show();
    splash.finish(window);

    if (piped) {
        auto *notifier = new QSocketNotifier(terminationPipe[1], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, [window, notifier] {
            char byte;
            [[maybe_unused]] const ssize_t got = ::read(terminationPipe[1], &byte, 1);
            notifier->setEnabled(false);
            if (window)
                window->terminate();
        });
    }

    app.setQuitOnLastWindowClosed(true);
    return app.exec();
}
