// Levelwise: starts straight into its one window and ends when the window closes.
#include "font_warm_up.h"
#include "identity.h"
#include "main_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTimer>

// Where start-up spends its time, off unless asked for:
//   QT_LOGGING_RULES=levelwise.startup.debug=true levelwise
Q_LOGGING_CATEGORY(lcStartup, "levelwise.startup", QtWarningMsg)

int main(int argc, char **argv)
{
    QElapsedTimer clock;
    clock.start();
    const auto reached = [&clock](const char *step) {
        qCDebug(lcStartup, "%s: %.1f ms", step, clock.nsecsElapsed() / 1e6);
    };
    levelwise::FontWarmUp fonts;

    QApplication app(argc, argv);
    reached("platform ready");
    fonts.Wait();
    reached("fonts ready");
    levelwise::ApplyApplicationIdentity();
    // The window's font for the whole program, its message boxes included (a box is a window
    // of its own and does not inherit it); else Qt's default font is loaded as well, only to
    // lay out each field for the moment before it takes the window's font.
    QApplication::setFont(levelwise::DialogFont());

    levelwise::Form1 window;
    reached("window built");
    window.show();
    reached("window shown");
    if (lcStartup().isDebugEnabled())
        QTimer::singleShot(0, [&reached] { reached("event loop running"); });
    return app.exec();
}
