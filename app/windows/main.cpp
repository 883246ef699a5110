// Levelwise on Windows: starts straight into its one window and ends when the window closes.
#include "form1.h"
#include "main_window.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

// An exception that would leave the program is shown in a box of its own, so that the user
// learns why the window went, instead of the runtime's bare abort.
int ShowFault(const char *what)
{
    std::fprintf(stderr, "levelwise: ended by an exception: %s\n", what);
    std::wstring text = L"A Levelwise váratlan hiba miatt bezárul:\n";
    for (const char *c = what; *c; ++c)
        text += wchar_t(static_cast<unsigned char>(*c));  // the runtime's texts are ASCII
    const std::u16string_view title = levelwise::form::kApplicationTitle;
    const std::wstring caption(title.begin(), title.end());
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
    return 3;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    try {
        levelwise::Form1 window(instance, showCommand);
        if (!window.Handle())
            return 1;
        return window.Run();
    } catch (const std::exception &fault) {
        return ShowFault(fault.what());
    } catch (...) {
        return ShowFault("unknown exception");
    }
}
