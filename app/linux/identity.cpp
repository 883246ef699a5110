#include "identity.h"

#include "main_window.h"
#include "identity_texts.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

namespace levelwise {
namespace {

// The application icon, 16 and 32 pixels, and 64 for the 32-pixel places of a screen of
// twice the density (read only there: each picture read costs start-up time): a reduced copy
// of the logo.
QIcon ApplicationIcon()
{
    QIcon icon;
    QStringList files{QStringLiteral(":/levelwise/icon-16.png"),
                      QStringLiteral(":/levelwise/icon-32.png")};
    if (qApp->devicePixelRatio() > 1)
        files << QStringLiteral(":/levelwise/icon-64.png");
    for (const QString &file : files)
        icon.addPixmap(QPixmap::fromImage(BundledPicture(file)));
    return icon;
}

}  // namespace

void ApplyApplicationIdentity()
{
    const QString title = ApplicationTitle();
    QApplication::setApplicationName(title);
    QApplication::setApplicationDisplayName(title);
    QApplication::setApplicationVersion(QString::fromLatin1(kDisplayVersion));
    // Ties the window to the installed desktop entry (and its icon) under Wayland and X11.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    QApplication::setWindowIcon(ApplicationIcon());
}

}  // namespace levelwise
