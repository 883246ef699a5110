#include "identity.h"

#include "main_window.h"
#include "version.h"

#include <QApplication>
#include <QIcon>

namespace levelwise {
namespace {

// The application icon, 16 and 32 pixels: a reduced copy of the logo.
QIcon ApplicationIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/levelwise/icon-16.png"), {16, 16});
    icon.addFile(QStringLiteral(":/levelwise/icon-32.png"), {32, 32});
    return icon;
}

}  // namespace

void ApplyApplicationIdentity()
{
    const QString title = QString::fromLatin1(kApplicationTitle);
    QApplication::setApplicationName(title);
    QApplication::setApplicationDisplayName(title);
    QApplication::setApplicationVersion(QString::fromLatin1(kDisplayVersion));
    // Ties the window to the installed desktop entry (and its icon) under Wayland and X11.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    QApplication::setWindowIcon(ApplicationIcon());
}

}  // namespace levelwise
