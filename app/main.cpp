// Levelwise: starts straight into its one window and ends when the window closes.
#include "identity.h"
#include "main_window.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    levelwise::ApplyApplicationIdentity();

    levelwise::Form1 window;
    window.show();
    return app.exec();
}
