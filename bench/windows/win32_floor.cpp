// The least a Win32 program can do: a bare window of Levelwise's size, for the start-up
// figure under Wine. Built with FLOOR_CONTROLS, it also holds Levelwise's controls, each of
// the same standard class, with none of the program's fonts, pictures or drawing. Not a test.
#include <windows.h>

#ifdef FLOOR_CONTROLS
#include "form1.h"
namespace form = levelwise::form;
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam,
                                 LPARAM lParam) -> LRESULT {
        if (message == WM_DESTROY)
            PostQuitMessage(0);
        return DefWindowProcW(window, message, wParam, lParam);
    };
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"Win32Floor";
    RegisterClassExW(&windowClass);
    HWND window = CreateWindowExW(0, L"Win32Floor", L"floor",
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 397, 301, nullptr, nullptr, instance, nullptr);
#ifdef FLOOR_CONTROLS
    for (const form::ControlEntry &entry : form::kControls) {
        const wchar_t *className = entry.kind == form::ControlKind::TextBox         ? L"EDIT"
                                   : entry.kind == form::ControlKind::ComboBox      ? L"COMBOBOX"
                                   : entry.kind == form::ControlKind::PictureButton ? L"BUTTON"
                                                                                    : L"STATIC";
        CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE, entry.bounds.left,
                        entry.bounds.top, entry.bounds.width, entry.bounds.height, window, nullptr,
                        instance, nullptr);
    }
#endif
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
