// The one window of Levelwise on the Win32 API: three fields, the calculate button, and the
// message boxes, built from the shared description in ui/form.
#pragma once

#include "form1.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace levelwise {

// Resources the program carries (app/windows/levelwise.rc.in).
inline constexpr WORD kIconResource = 1;
inline constexpr WORD kLogoResource = 2;

// The table's UTF-16 texts as the API's wide strings (both UTF-16 on Windows).
inline std::wstring WideString(std::u16string_view text)
{
    return {reinterpret_cast<const wchar_t *>(text.data()), text.size()};
}

// Control n of the table has the dialog id kFirstControlId + n.
inline constexpr int kFirstControlId = 100;
inline int ControlId(const form::ControlEntry &entry)
{
    return kFirstControlId + int(&entry - form::kControls.data());
}

class Form1 {
public:
    // Registers the window class, creates the window with its controls and shows it.
    explicit Form1(HINSTANCE instance, int showCommand);
    ~Form1();
    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;

    HWND Handle() const { return m_window; }

    // The message loop until the window closes; the exit status of the program.
    int Run();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls();
    void CreateFonts();
    void CreatePictures();
    void Annotate();
    void Relayout(UINT dpi);
    void Paint();
    HBRUSH LabelColours(HDC dc, HWND label);
    HBRUSH FieldColours(HDC dc);
    void DrawButton(const DRAWITEMSTRUCT &item);
    void OnCommand(WORD id, WORD code);
    void Calculate();

    int Scale(int pixels) const;
    SIZE FrameSize() const;

    HINSTANCE m_instance;
    HWND m_window = nullptr;
    UINT m_dpi = 96;
    HFONT m_dialogFont = nullptr;
    HFONT m_titleFont = nullptr;
    HBITMAP m_background = nullptr;  // the hatch picture at the window's resolution
    HBRUSH m_backgroundBrush = nullptr;
    HBITMAP m_buttonPicture = nullptr;
    HBITMAP m_logo = nullptr;
    HBRUSH m_fieldBrush = nullptr;
    HWND m_focus = nullptr;  // the control that had the focus when the window was left
};

}  // namespace levelwise
