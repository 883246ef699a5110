// Levelwise: starts straight into its one window and ends when the window closes.
#include "font_warm_up.h"
#include "identity.h"
#include "main_window.h"
#include "platform_texts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

// Where start-up spends its time, off unless asked for:
//   QT_LOGGING_RULES=levelwise.startup.debug=true levelwise
Q_LOGGING_CATEGORY(lcStartup, "levelwise.startup", QtWarningMsg)

namespace {

// While Qt opens its platform, its messages are held back. If no display can be opened, Qt
// would abort with a core dump and advice ("Reinstalling the application may fix this
// problem") that misleads a user over ssh; the user gets one plain line and status 1. What
// Qt said is shown with the start-up's own messages (QT_LOGGING_RULES, below).
QtMessageHandler g_qtHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>> g_heldMessages;

void HoldMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // Formatted now, while the context still names the category ("qt.qpa.xcb: ...").
    g_heldMessages.emplace_back(type, qFormatLogMessage(type, context, message));
    if (type != QtFatalMsg)
        return;
    for (const auto &held : g_heldMessages) {
        if (lcStartup().isDebugEnabled())
            std::fprintf(stderr, "%s\n", qPrintable(held.second));
    }
    std::fputs("levelwise: no display to show the window on\n", stderr);
    std::_Exit(1);
}

void ReleaseMessages()
{
    qInstallMessageHandler(g_qtHandler);
    for (const auto &[type, message] : std::exchange(g_heldMessages, {}))
        g_qtHandler(type, QMessageLogContext(), message);
}

}  // namespace

int main(int argc, char **argv)
{
    QElapsedTimer clock;
    clock.start();
    const auto reached = [&clock](const char *step) {
        qCDebug(lcStartup, "%s: %.1f ms", step, clock.nsecsElapsed() / 1e6);
    };
    levelwise::FontWarmUp fonts;

    g_qtHandler = qInstallMessageHandler(HoldMessage);
    QApplication app(argc, argv);
    ReleaseMessages();
    reached("platform ready");
    fonts.Wait();
    reached("fonts ready");
    levelwise::ApplyApplicationIdentity();
    reached("identity applied");
    levelwise::LoadPlatformTexts();
    reached("platform texts loaded");
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
