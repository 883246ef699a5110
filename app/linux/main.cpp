// Levelwise: starts straight into its one window and ends when the window closes.
#include "main_window.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    levelwise::Startup startup;
    QApplication app(argc, argv);
    startup.PrepareApplication();
    levelwise::Form1 window;
    startup.Reached("window built");
    window.show();
    startup.WindowShown();
    return app.exec();
}
