#include "identity.h"

#include "main_window.h"
#include "version.h"

#include <QApplication>

namespace levelwise {

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
