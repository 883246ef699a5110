#include "startup.h"

#include "identity.h"
#include "main_window.h"
#include "platform_texts.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

// The start-up benchmark's log (see startup.h).
Q_LOGGING_CATEGORY(lcStartup, "levelwise.startup", QtWarningMsg)

namespace levelwise {
namespace {

// While Qt opens its platform, its messages are held back. If no display can be opened, Qt
// would abort with a core dump and advice ("Reinstalling the application may fix this
// problem") that misleads a user over ssh; the user gets one plain line and status 1. What
// Qt said is shown with the start-up's own messages (QT_LOGGING_RULES).
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

Startup::Startup()
{
    m_clock.start();
    g_qtHandler = qInstallMessageHandler(HoldMessage);
}

void Startup::PrepareApplication()
{
    ReleaseMessages();
    Reached("platform ready");
    m_fonts.Wait();
    Reached("fonts ready");
    ApplyApplicationIdentity();
    Reached("identity applied");
    LoadPlatformTexts();
    Reached("platform texts loaded");
    // The window's font for the whole program, its message boxes included (a box is a window
    // of its own and does not inherit it); else Qt's default font is loaded as well, only to
    // lay out each field for the moment before it takes the window's font.
    QApplication::setFont(DialogFont());
}

void Startup::Reached(const char *step) const
{
    qCDebug(lcStartup, "%s: %.1f ms", step, m_clock.nsecsElapsed() / 1e6);
}

void Startup::WindowShown() const
{
    Reached("window shown");
    if (lcStartup().isDebugEnabled())
        QTimer::singleShot(0, [this] { Reached("event loop running"); });
}

}  // namespace levelwise
