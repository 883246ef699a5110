#include "main_window.h"

#include "form1.h"
#include "logo.h"
#include "number_settings.h"
#include "retracement.h"

#include <initguid.h>  // the GUIDs of oleacc.h defined here, not looked for in a library
#include <oleacc.h>

#include <string>

namespace levelwise {
namespace {

constexpr wchar_t kWindowClass[] = L"LevelwiseForm1";

COLORREF Colour(form::Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

const form::ControlEntry *EntryOf(HWND control)
{
    const int index = GetDlgCtrlID(control) - kFirstControlId;
    return index >= 0 && index < int(form::kControls.size()) ? &form::kControls[std::size_t(index)]
                                                             : nullptr;
}

std::u16string ControlText(HWND control)
{
    std::wstring text(std::size_t(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(control, text.data(), int(text.size()))));
    return {reinterpret_cast<const char16_t *>(text.data()), text.size()};
}

std::u16string LocaleText(LCTYPE type)
{
    wchar_t buffer[16] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 16);
    return length > 1 ? std::u16string(reinterpret_cast<const char16_t *>(buffer), length - 1)
                      : std::u16string();
}

// The decimal and group separators and the grouping of the user's regional settings.
NumberSettings UserNumberSettings()
{
    NumberSettings settings;
    if (std::u16string decimal = LocaleText(LOCALE_SDECIMAL); !decimal.empty())
        settings.decimalSeparator = decimal;
    settings.groupSeparator = LocaleText(LOCALE_STHOUSAND);
    settings.groupSizes = form::GroupSizesFromWindows(LocaleText(LOCALE_SGROUPING));
    return settings;
}

// The first family of the list that the system has a face of, as Qt and browsers choose;
// the first if it has none (Windows then maps the name to a face by itself). Asked for a face
// it lacks, Windows would give its own default face, not the list's next.
template <std::size_t N>
std::wstring InstalledFamily(const std::array<std::u16string_view, N> &families)
{
    HDC screen = GetDC(nullptr);
    for (const std::u16string_view family : families) {
        LOGFONTW wanted{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        family.copy(reinterpret_cast<char16_t *>(wanted.lfFaceName), LF_FACESIZE - 1);
        bool found = false;
        EnumFontFamiliesExW(
            screen, &wanted,
            [](const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found) -> int {
                *reinterpret_cast<bool *>(found) = true;
                return 0;
            },
            reinterpret_cast<LPARAM>(&found), 0);
        if (found) {
            ReleaseDC(nullptr, screen);
            return WideString(family);
        }
    }
    ReleaseDC(nullptr, screen);
    return WideString(families.front());
}

// A top-down 32-bit picture of the device size given, and where its pixels are.
HBITMAP PictureBitmap(form::Size size, std::uint8_t *&pixels)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels = static_cast<std::uint8_t *>(bits);
    return bitmap;
}

// The hatch rule at the device size given.
HBITMAP HatchBitmap(form::Size size)
{
    std::uint8_t *pixels = nullptr;
    HBITMAP bitmap = PictureBitmap(size, pixels);
    if (bitmap)
        form::FillHatch(pixels, size, std::size_t(size.width) * 4, 4);
    return bitmap;
}

// The logo drawn for the density, the same pixels as on every other platform.
HBITMAP LogoBitmap(double scale)
{
    const form::RgbaPicture logo = form::DrawLogo(scale);
    std::uint8_t *pixels = nullptr;
    HBITMAP bitmap = PictureBitmap(logo.size, pixels);
    for (std::size_t i = 0; bitmap && i + 3 < logo.pixels.size(); i += 4) {
        pixels[i] = logo.pixels[i + 2];  // blue, green, red, unused
        pixels[i + 1] = logo.pixels[i + 1];
        pixels[i + 2] = logo.pixels[i];
    }
    return bitmap;
}

// A message box's own loop hands each message here first: the repeats of a key held down
// since before the box opened (lParam's bit 30, the key was down already) are dropped.
LRESULT CALLBACK HeldKeys(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG &message = *reinterpret_cast<const MSG *>(lParam);
    const bool key = message.message == WM_KEYDOWN || message.message == WM_CHAR ||
                     message.message == WM_SYSKEYDOWN || message.message == WM_SYSCHAR;
    if (code == MSGF_DIALOGBOX && key && !form::BoxTakesKey((message.lParam >> 30) & 1))
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height)
{
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(dc, x, y, width, height, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

}  // namespace

Form1::Form1(HINSTANCE instance, int showCommand) : m_instance(instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Form1::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hIcon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                   GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);

    m_fieldBrush = GetSysColorBrush(COLOR_WINDOW);

    // Fixed single border, caption and close box; no minimize or maximize box.
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const std::wstring title = WideString(form::kApplicationTitle);
    m_window =
        CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, title.c_str(), style, CW_USEDEFAULT,
                        CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
    if (!m_window)
        return;
    SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(windowClass.hIcon));
    SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(windowClass.hIconSm));
    CreateControls();
    Relayout(GetDpiForWindow(m_window));
    // Focus starts on the button, so Enter or Space right after start calculates.
    m_focus = GetDlgItem(m_window, ControlId(*form::TabOrder().front()));
    Annotate();
    // The window has one size: a shortcut or "start /max" asking for it maximized gets it as
    // it is. Minimized may stay minimized; restored, it has its one size again.
    if (showCommand == SW_SHOWMAXIMIZED)
        showCommand = SW_SHOWNORMAL;
    ShowWindow(m_window, showCommand);
    UpdateWindow(m_window);
    SetFocus(m_focus);
}

// A picture control has no text for a screen reader to say; the logo is given its
// description as its accessible name, and the price fields the hint beside them as their
// description, through Windows' own annotation service.
void Form1::Annotate()
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return;
    IAccPropServices *services = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, reinterpret_cast<void **>(&services)))) {
        const std::wstring name = WideString(form::kLogoDescription);
        services->SetHwndPropStr(GetDlgItem(m_window, ControlId(form::Control("Image1"))),
                                 DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, name.c_str());
        // The hint beside the price fields, said with each of them.
        const std::wstring hint = WideString(form::Hint());
        for (const std::string_view field : form::kHintedFields)
            services->SetHwndPropStr(GetDlgItem(m_window, ControlId(*form::FindControl(field))),
                                     DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                                     hint.c_str());
        services->Release();
    }
}

Form1::~Form1()
{
    for (HGDIOBJ object :
         {static_cast<HGDIOBJ>(m_dialogFont), static_cast<HGDIOBJ>(m_titleFont),
          static_cast<HGDIOBJ>(m_background), static_cast<HGDIOBJ>(m_backgroundBrush),
          static_cast<HGDIOBJ>(m_buttonPicture), static_cast<HGDIOBJ>(m_logo)}) {
        if (object)
            DeleteObject(object);
    }
}

int Form1::Run()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab moves between the fields and the button; Enter and Escape reach the window as
        // IDOK and IDCANCEL, which OnCommand weighs.
        if (IsDialogMessageW(m_window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

int Form1::Scale(int pixels) const { return MulDiv(pixels, int(m_dpi), 96); }

void Form1::CreateControls()
{
    // The dialog manager's Tab follows the order of creation.
    const auto create = [this](const form::ControlEntry &entry) {
        const std::wstring text = WideString(entry.text);
        const wchar_t *windowClass = L"STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD extended = 0;
        switch (entry.kind) {
        case form::ControlKind::Label:
            style |= SS_LEFT | SS_NOPREFIX;  // SS_LEFT wraps at word boundaries
            break;
        case form::ControlKind::Picture: style |= SS_BITMAP; break;
        case form::ControlKind::TextBox:
            windowClass = L"EDIT";
            style |= WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
            extended = WS_EX_CLIENTEDGE;
            break;
        case form::ControlKind::ComboBox:
            windowClass = L"COMBOBOX";
            style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
            break;
        case form::ControlKind::PictureButton:
            windowClass = L"BUTTON";
            style |= WS_TABSTOP | BS_OWNERDRAW;
            break;
        }
        HWND control = CreateWindowExW(extended, windowClass, text.c_str(), style, 0, 0, 0, 0,
                                       m_window, reinterpret_cast<HMENU>(INT_PTR(ControlId(entry))),
                                       m_instance, nullptr);
        if (entry.kind == form::ControlKind::TextBox)
            SendMessageW(control, EM_SETLIMITTEXT, form::kPriceMaxLength, 0);  // a paste is cut
        if (entry.kind == form::ControlKind::ComboBox) {
            for (const std::u16string_view item : form::kDirectionItems)
                SendMessageW(control, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(WideString(item).c_str()));
            // The item itself chosen, not only its text shown: Down then steps from it.
            const LRESULT item = SendMessageW(control, CB_FINDSTRINGEXACT, WPARAM(-1),
                                              reinterpret_cast<LPARAM>(text.c_str()));
            if (item >= 0)
                SendMessageW(control, CB_SETCURSEL, WPARAM(item), 0);
            else
                SetWindowTextW(control, text.c_str());
        }
    };
    for (const form::ControlEntry *entry : form::CreationOrder())
        create(*entry);
}

void Form1::CreateFonts()
{
    for (HFONT font : {m_dialogFont, m_titleFont}) {
        if (font)
            DeleteObject(font);
    }
    const std::wstring dialog = InstalledFamily(form::kDialogFontFamilies);
    m_dialogFont = CreateFontW(-MulDiv(form::kDialogFontPoints, int(m_dpi), 72), 0, 0, 0, FW_NORMAL,
                               FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, dialog.c_str());
    const std::wstring title = InstalledFamily(form::kTitleFontFamilies);
    m_titleFont = CreateFontW(-MulDiv(form::kTitleFontPoints, int(m_dpi), 72), 0, 0, 0, FW_BOLD,
                              FALSE, FALSE, FALSE, EASTEUROPE_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, title.c_str());
}

// The hatch pictures are drawn at the device resolution: the same fine lines, one device
// pixel wide, at every density.
void Form1::CreatePictures()
{
    for (HGDIOBJ object :
         {static_cast<HGDIOBJ>(m_background), static_cast<HGDIOBJ>(m_backgroundBrush),
          static_cast<HGDIOBJ>(m_buttonPicture)}) {
        if (object)
            DeleteObject(object);
    }
    m_background = HatchBitmap(
        {Scale(form::kBackgroundPictureSize.width), Scale(form::kBackgroundPictureSize.height)});
    m_backgroundBrush = CreatePatternBrush(m_background);
    m_buttonPicture = HatchBitmap(
        {Scale(form::kButtonPictureSize.width), Scale(form::kButtonPictureSize.height)});
    // The logo the program carries at 96 dpi; drawn afresh at the screen's pixels elsewhere.
    HBITMAP logo =
        m_dpi == 96 ? static_cast<HBITMAP>(LoadImageW(m_instance, MAKEINTRESOURCEW(kLogoResource),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))
                    : LogoBitmap(m_dpi / 96.0);
    for (const form::ControlEntry &entry : form::kControls) {
        if (entry.kind == form::ControlKind::Picture)
            SendMessageW(GetDlgItem(m_window, ControlId(entry)), STM_SETIMAGE, IMAGE_BITMAP,
                         reinterpret_cast<LPARAM>(logo));
    }
    if (m_logo)
        DeleteObject(m_logo);
    m_logo = logo;
}

// Places every control for the window's density: pixel exact at 96 dpi, in proportion above.
void Form1::Relayout(UINT dpi)
{
    m_dpi = dpi ? dpi : 96;
    CreateFonts();
    CreatePictures();
    for (const form::ControlEntry &entry : form::kControls) {
        HWND control = GetDlgItem(m_window, ControlId(entry));
        const HFONT font = entry.font == form::ControlFont::Title ? m_titleFont : m_dialogFont;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        int height = Scale(entry.bounds.height);
        if (entry.kind == form::ControlKind::ComboBox) {
            // A combo box's own height is that of its list when dropped; its edit part's
            // height comes from the item height: the box is 6 pixels taller than it.
            SendMessageW(control, CB_SETITEMHEIGHT, WPARAM(-1), height - 6);
            height = Scale(entry.bounds.height + 100);
        }
        SetWindowPos(control, nullptr, Scale(entry.bounds.left), Scale(entry.bounds.top),
                     Scale(entry.bounds.width), height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const SIZE frame = FrameSize();
    SetWindowPos(m_window, nullptr, 0, 0, frame.cx, frame.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(m_window, nullptr, TRUE);
}

// The window's one outer size: the table's client area at the window's density, framed.
SIZE Form1::FrameSize() const
{
    RECT frame{0, 0, Scale(form::kClientSize.width), Scale(form::kClientSize.height)};
    AdjustWindowRectExForDpi(&frame, DWORD(GetWindowLongPtrW(m_window, GWL_STYLE)), FALSE,
                             DWORD(GetWindowLongPtrW(m_window, GWL_EXSTYLE)), m_dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

LRESULT CALLBACK Form1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *self =
            static_cast<Form1 *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto *self = reinterpret_cast<Form1 *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->Handle(message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Form1::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: return 1;  // the picture covers the whole client area
    case WM_PAINT: Paint(); return 0;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(
            LabelColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:  // the direction list's items, while it is open
        return reinterpret_cast<LRESULT>(FieldColours(reinterpret_cast<HDC>(wParam)));
    case WM_SYSCOMMAND:
        // No maximize and no resizing, whoever asks (a double click on the caption, Win+Up).
        if ((wParam & 0xFFF0) == SC_MAXIMIZE || (wParam & 0xFFF0) == SC_SIZE)
            return 0;
        return DefWindowProcW(m_window, message, wParam, lParam);
    case WM_GETMINMAXINFO: {
        // Maximized all the same (ShowWindow from another program), it keeps its size.
        auto &limits = *reinterpret_cast<MINMAXINFO *>(lParam);
        const SIZE size = FrameSize();
        limits.ptMaxSize = limits.ptMinTrackSize = limits.ptMaxTrackSize = {size.cx, size.cy};
        // Where it stands; minimized, where it stood before (not the icon's far-off place).
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        RECT frame{};
        if (IsIconic(m_window) && GetWindowPlacement(m_window, &placement))
            frame = placement.rcNormalPosition;
        else
            GetWindowRect(m_window, &frame);
        limits.ptMaxPosition = {frame.left, frame.top};
        return 0;
    }
    case WM_DRAWITEM: DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam)); return TRUE;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_ACTIVATE:
        // Coming back to the window (after a message box, or from another program), the
        // focus returns to the control that had it, not to the window itself. An activation
        // that finds a control already focused (a late one, from the start) leaves it there.
        if (HWND focus = GetFocus(); focus && IsChild(m_window, focus))
            m_focus = focus;
        else if (LOWORD(wParam) != WA_INACTIVE && m_focus)
            SetFocus(m_focus);
        return 0;
    case WM_DPICHANGED: {
        const RECT &suggested = *reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(m_window, nullptr, suggested.left, suggested.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Relayout(HIWORD(wParam));
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void Form1::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_window, &paint);
    // Unscaled from the top-left corner, clipped at the client area's edges.
    DrawBitmap(dc, m_background, 0, 0, Scale(form::kBackgroundPictureSize.width),
               Scale(form::kBackgroundPictureSize.height));
    EndPaint(m_window, &paint);
}

// Labels are transparent: their background is the window's picture, brushed from the same
// origin as the window's, so the hatching runs on under them.
HBRUSH Form1::LabelColours(HDC dc, HWND label)
{
    POINT origin{0, 0};
    MapWindowPoints(label, m_window, &origin, 1);
    SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Colour(form::kTextColour));
    return m_backgroundBrush;
}

HBRUSH Form1::FieldColours(HDC dc)
{
    SetTextColor(dc, Colour(form::kTextColour));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return m_fieldBrush;
}

// Picture style: the face colour, the hatch picture clipped to the face inside a margin,
// a raised edge (sunken while pressed) and the caption in the table's caption colour
// (black, whatever the desktop's button text is).
void Form1::DrawButton(const DRAWITEMSTRUCT &item)
{
    HDC dc = item.hDC;
    const RECT face = item.rcItem;
    const bool down = item.itemState & ODS_SELECTED;
    const int shift = down ? 1 : 0;

    HBRUSH faceBrush = CreateSolidBrush(Colour(form::kButtonFaceColour));
    FillRect(dc, &face, faceBrush);
    DeleteObject(faceBrush);

    const int margin = Scale(form::kFaceMargin);
    RECT area{face.left + margin, face.top + margin, face.right - margin, face.bottom - margin};
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    const int pictureWidth = Scale(form::kButtonPictureSize.width);
    const int pictureHeight = Scale(form::kButtonPictureSize.height);
    DrawBitmap(dc, m_buttonPicture, (area.left + area.right - pictureWidth) / 2 + shift,
               (area.top + area.bottom - pictureHeight) / 2 + shift, pictureWidth, pictureHeight);
    RestoreDC(dc, saved);

    // The edge in lighter and darker shades of the face, swapped while pressed.
    const form::Shades shades = form::BevelShades(form::kButtonFaceColour);
    const COLORREF light = Colour(down ? shades.dark : shades.light);
    const COLORREF dark = Colour(down ? shades.light : shades.dark);
    for (int i = 0; i < Scale(form::kBevelWidth); ++i) {
        const RECT edge{face.left + i, face.top + i, face.right - i, face.bottom - i};
        const RECT lines[] = {{edge.left, edge.top, edge.right, edge.top + 1},
                              {edge.left, edge.top, edge.left + 1, edge.bottom},
                              {edge.left, edge.bottom - 1, edge.right, edge.bottom},
                              {edge.right - 1, edge.top, edge.right, edge.bottom}};
        for (int side = 0; side < 4; ++side) {
            SetBkColor(dc, side < 2 ? light : dark);
            ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &lines[side], nullptr, 0, nullptr);
        }
    }

    wchar_t caption[64] = {};
    GetWindowTextW(item.hwndItem, caption, 64);
    RECT text = face;
    OffsetRect(&text, shift, shift);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Colour(form::kButtonCaptionColour));
    HGDIOBJ oldFont = SelectObject(dc, m_dialogFont);
    DrawTextW(dc, caption, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);

    if (item.itemState & ODS_FOCUS) {
        RECT focus = area;
        InflateRect(&focus, -1, -1);
        DrawFocusRect(dc, &focus);
    }
}

void Form1::OnCommand(WORD id, WORD code)
{
    if (id == ControlId(form::Control("Command1")) && code == BN_CLICKED) {
        Calculate();
        return;
    }
    // The dialog manager turns Enter and Escape into IDOK and IDCANCEL, sent to the window
    // whichever control has the focus; the key rules say what they do there.
    const form::ControlEntry *focused = EntryOf(GetFocus());
    if (focused && (id == IDOK || id == IDCANCEL) &&
        form::ActionOf(focused->kind, id == IDOK ? form::Key::Enter : form::Key::Escape) ==
            form::KeyAction::Press) {
        Calculate();
    }
}

void Form1::Calculate()
{
    const auto text = [this](const form::ControlEntry &entry) {
        return ControlText(GetDlgItem(m_window, ControlId(entry)));
    };
    const form::Presentation shown =
        form::Present(RunCalculation(text(form::Control("Text1")), text(form::Control("Text2")),
                                     text(form::Control("Combo1")), UserNumberSettings()));
    const UINT icon = shown.kind == form::BoxKind::ErrorReport ? MB_ICONWARNING : 0;
    const std::wstring body = WideString(shown.text);
    const std::wstring title = WideString(form::kApplicationTitle);
    HHOOK heldKeys = SetWindowsHookExW(WH_MSGFILTER, HeldKeys, nullptr, GetCurrentThreadId());
    MessageBoxW(m_window, body.c_str(), title.c_str(), MB_OK | icon);
    if (heldKeys)
        UnhookWindowsHookEx(heldKeys);
}

}  // namespace levelwise
