// Levelwise on Windows: starts straight into its one window and ends when the window closes.
#include "main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    levelwise::Form1 window(instance, showCommand);
    if (!window.Handle())
        return 1;
    return window.Run();
}
