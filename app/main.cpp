// Levelwise: starts straight into its one window and ends when the window closes.
#include "main_window.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString title = QString::fromLatin1(levelwise::kApplicationTitle);
    QApplication::setApplicationName(title);
    QApplication::setApplicationDisplayName(title);
    QApplication::setApplicationVersion(QStringLiteral("1.00"));

    levelwise::Form1 window;
    window.show();
    return app.exec();
}
