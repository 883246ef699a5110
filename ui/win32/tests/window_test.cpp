// Drives the real Levelwise.exe under Windows (or Wine) as a user does: one run of the program
// per row, keys sent to the focused control, message boxes read and dismissed with OK.
//   window_test LEVELWISE.EXE [dpi=N] [settings=LANGUAGE] [rows=TEXT[|TEXT...]]
// dpi says what density the session runs at (96 by default), settings the language whose regional
// number settings the user has, as the scenarios name it (en-US by default), rows the texts, parted
// by '|', one of which the names of the rows to run hold (all rows by default).
#include "form1.h"
#include "ink.h"
#include "logo.h"
#include "main_window.h"
#include "test_support.h"
#include "window_scenarios.h"

#include <windows.h>

#include <initguid.h>  // IID_IAccessible defined here
#include <oleacc.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace levelwise;

int g_failures = 0;
const char *g_row = "";
int g_dpi = 96;
std::string g_settings = "en-US";
std::string g_rows;

// A length of the window's description (pixels at 96 dpi) at the session's density.
int Scaled(int pixels) { return MulDiv(pixels, g_dpi, 96); }

#define CHECK(condition)                                                                           \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::printf("  FAILED %s: %s (line %d)\n", g_row, #condition, __LINE__);               \
            ++g_failures;                                                                          \
        }                                                                                          \
    } while (false)

std::string Utf8(const std::wstring &text) { return test::Utf8({text.begin(), text.end()}); }

// Nothing here waits a set time: each step waits for what it needs to see, for up to 20 s,
// which only a loaded machine ever comes near.
template <typename Predicate> bool WaitUntil(Predicate done, int milliseconds = 20000)
{
    for (int waited = 0; waited < milliseconds; waited += 10) {
        if (done())
            return true;
        Sleep(10);
    }
    return done();
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[512] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                        &length);
    return text;
}

// The visible top-level windows of a process, of one class.
std::vector<HWND> TopLevel(DWORD process, const wchar_t *windowClass)
{
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, windowClass, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && IsWindowVisible(window))
            found.push_back(window);
    }
    return found;
}

// The window's client area as the screen shows it.
struct Capture {
    explicit Capture(HWND window)
    {
        RECT client{};
        GetClientRect(window, &client);
        width = client.right;
        height = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        HDC dc = GetDC(window);
        HDC memory = CreateCompatibleDC(dc);
        void *bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, dc, 0, 0, SRCCOPY);
        const auto *first = static_cast<const std::uint32_t *>(bits);
        pixels.assign(first, first + std::size_t(width) * std::size_t(height));
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(window, dc);
    }
    // The pixels as the shared checks read them.
    auto Rgb() const
    {
        return [this](int x, int y) {
            const std::uint32_t p = pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
            return form::Rgb{std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)};
        };
    }
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
};

// What a message box said, read from its controls.
struct Box {
    bool shown = false;
    std::wstring title, text;
    bool icon = false;
    int buttons = 0;
};

// One run of the program.
class Program {
public:
    // Started as a shortcut or "start" starts it, with the show command given.
    explicit Program(const wchar_t *exe, WORD show = SW_SHOWNORMAL) : m_path(exe)
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = show;
        std::wstring commandLine = L"\"" + std::wstring(exe) + L"\"";
        // Under a loaded Wine a start can be refused for a moment; it is counted as a retry,
        // then tried again.
        bool started = false;
        for (int attempt = 0; attempt < 3 && !started; ++attempt) {
            started = CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     nullptr, &startup, &m_process);
            if (!started) {
                std::printf("retry: the program did not start: error %lu\n", GetLastError());
                Sleep(500);
            }
        }
        if (!started)
            return;
        WaitUntil(
            [this] {
                const auto forms = TopLevel(m_process.dwProcessId, L"LevelwiseForm1");
                m_form = forms.empty() ? nullptr : forms.front();
                return m_form != nullptr ||
                       WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0;
            },
            20000);
        DWORD status = 0;
        if (!m_form && GetExitCodeProcess(m_process.hProcess, &status) && status != STILL_ACTIVE)
            std::printf("  (the program ended before its window showed: status %lu)\n", status);
        m_thread = GetWindowThreadProcessId(m_form, nullptr);
        // Once the program answers a message it is in its loop, its window painted.
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(m_form, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &answer);
        if (show == SW_SHOWMINIMIZED)
            return;  // nothing shows until it is restored
        WaitUntil([this] { return Focus() != nullptr; });
        // Wine hands a window's painting to the screen once its program goes idle; the logo
        // on screen says that the whole window has been painted.
        WaitUntil([this] { return ShowsLogo(); });
    }

    ~Program()
    {
        // Ended before the next row starts its own: TerminateProcess only begins the end,
        // and a window still there could take the activation from the next row's.
        if (m_process.hProcess && WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(m_process.hProcess, 99);
            if (WaitForSingleObject(m_process.hProcess, 20000) != WAIT_OBJECT_0)
                std::printf("  (the program of %s did not end in 20 s)\n", g_row);
        }
        if (m_process.hProcess) {
            CloseHandle(m_process.hProcess);
            CloseHandle(m_process.hThread);
        }
    }

    HWND Form() const { return m_form; }
    const wchar_t *Path() const { return m_path; }

    HWND Control(const char *name) const
    {
        const form::ControlEntry *entry = form::FindControl(name);
        if (!entry)
            std::printf("  no control %s in the table\n", name);
        return entry ? GetDlgItem(m_form, ControlId(*entry)) : nullptr;
    }

    // The edit part, for the combo box: that is what has the focus and takes the keys.
    HWND Editable(const char *name) const
    {
        HWND control = Control(name);
        HWND edit = FindWindowExW(control, nullptr, L"Edit", nullptr);
        return edit ? edit : control;
    }

    HWND Focus() const
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(m_thread, &info) ? info.hwndFocus : nullptr;
    }

    // A key pressed and released on the focused control, as the keyboard would send it. The
    // program handles it in its own time; the caller waits for what the key should do.
    void Press(UINT key, wchar_t character = 0) { PressOn(Focus(), key, character); }
    void PressOn(HWND target, UINT key, wchar_t character = 0)
    {
        const LPARAM scan = LPARAM(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(target, WM_KEYDOWN, key, 1 | scan);
        if (character)
            PostMessageW(target, WM_CHAR, character, 1 | scan);
        PostMessageW(target, WM_KEYUP, key, 1 | scan | (LPARAM(3) << 30));
    }

    // Whether the focus rests on a control of the tab order. Going to the combo box, it
    // passes through the box itself before the box hands it to its edit part.
    bool FocusAtStop() const
    {
        const auto order = form::TabOrder();
        return std::any_of(order.begin(), order.end(),
                           [&](auto *entry) { return Editable(entry->name.data()) == Focus(); });
    }

    // Tab, once the program has moved the focus on to the next stop.
    bool Tab()
    {
        WaitUntil([&] { return FocusAtStop(); });
        HWND before = Focus();
        Press(VK_TAB);
        return WaitUntil([&] { return Focus() != before && FocusAtStop(); });
    }

    // Click into the named field, clear it with End and Backspace and type the text; done
    // once the field holds what it keeps of the text (a price field, its first eleven
    // characters). The keys go to the field itself: with no window manager, nothing makes the
    // window active again after a message box, as a user's click would.
    void Retype(const char *name, const std::wstring &text)
    {
        HWND field = Editable(name);
        PostMessageW(field, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        PostMessageW(field, WM_LBUTTONUP, 0, 0);
        PressOn(field, VK_END);
        for (std::size_t n = TextOf(field).size(); n > 0; --n)
            PostMessageW(field, WM_CHAR, L'\b', 1);
        WaitUntil([&] { return TextOf(field).empty(); });
        for (const wchar_t c : text)
            PostMessageW(field, WM_CHAR, c, 1);
        const auto limit = std::size_t(SendMessageW(field, EM_GETLIMITTEXT, 0, 0));
        const std::wstring kept = text.substr(0, std::min(text.size(), limit));
        if (!WaitUntil([&] { return TextOf(field) == kept; }))
            std::printf("  (%s holds \"%s\", not \"%s\")\n", name, Utf8(TextOf(field)).c_str(),
                        Utf8(kept).c_str());
    }

    // Whether the program is still in its loop: it answers twice, so it has come back for
    // more after whatever it was doing when first asked.
    bool Responsive() const
    {
        DWORD_PTR answer = 0;
        return SendMessageTimeoutW(m_form, WM_NULL, 0, 0, SMTO_BLOCK, 20000, &answer) &&
               SendMessageTimeoutW(m_form, WM_NULL, 0, 0, SMTO_BLOCK, 20000, &answer);
    }

    std::vector<HWND> TopLevels(const wchar_t *windowClass) const
    {
        return TopLevel(m_process.dwProcessId, windowClass);
    }
    std::vector<HWND> Boxes() const { return TopLevels(L"#32770"); }

    // The logo as the shared drawing makes it for the density, pixel for pixel on screen.
    int LogoPixelsWrong(const Capture &shot) const
    {
        const form::ControlEntry &image = form::Control("Image1");
        const form::RgbaPicture logo = form::DrawLogo(g_dpi / 96.0);
        const int left = Scaled(image.bounds.left), top = Scaled(image.bounds.top);
        if (left + logo.size.width > shot.width || top + logo.size.height > shot.height)
            return logo.size.width * logo.size.height;
        const auto pixel = shot.Rgb();
        int wrong = 0;
        for (int y = 0; y < logo.size.height; ++y) {
            for (int x = 0; x < logo.size.width; ++x) {
                const std::uint8_t *want = &logo.pixels[std::size_t(y * logo.size.width + x) * 4];
                wrong += pixel(left + x, top + y) != form::Rgb{want[0], want[1], want[2]};
            }
        }
        return wrong;
    }
    bool ShowsLogo() const { return LogoPixelsWrong(Capture(m_form)) == 0; }

    // Runs the action and reads the message box it opens, then presses its OK button.
    Box ActAndDismiss(const std::function<void()> &action)
    {
        action();
        Box box;
        HWND window = nullptr;
        box.shown = WaitUntil([&] {
            const auto boxes = Boxes();
            window = boxes.empty() ? nullptr : boxes.front();
            return window != nullptr;
        });
        if (!box.shown)
            return box;
        // Answered from the box's own loop: its controls are all there.
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 20000, &answer);
        box.title = TextOf(window);
        HWND ok = nullptr;
        for (HWND child = nullptr; (child = FindWindowExW(window, child, nullptr, nullptr));) {
            const std::wstring kind = ClassOf(child);
            const LONG style = GetWindowLongW(child, GWL_STYLE);
            if (!IsWindowVisible(child))
                continue;
            if (kind == L"Button") {
                ++box.buttons;
                ok = child;
            } else if (kind == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
                box.icon = SendMessageW(child, STM_GETICON, 0, 0) != 0;
            } else if (kind == L"Static" && !TextOf(child).empty()) {
                box.text = TextOf(child);
            }
        }
        if (ok)
            PostMessageW(ok, BM_CLICK, 0, 0);
        WaitUntil([&] { return !IsWindow(window) && IsWindowEnabled(m_form); });
        return box;
    }

    Box Click()
    {
        return ActAndDismiss([this] { PostMessageW(Control("Command1"), BM_CLICK, 0, 0); });
    }

    // Closes the window by its close box's command; the status the program ends with.
    DWORD Close()
    {
        PostMessageW(m_form, WM_SYSCOMMAND, SC_CLOSE, 0);
        DWORD status = 259;
        if (WaitForSingleObject(m_process.hProcess, 10000) == WAIT_OBJECT_0)
            GetExitCodeProcess(m_process.hProcess, &status);
        return status;
    }

private:
    const wchar_t *m_path;
    PROCESS_INFORMATION m_process{};
    HWND m_form = nullptr;
    DWORD m_thread = 0;
};

// What Microsoft Active Accessibility tells a screen reader of a control: its name and role.
struct Accessible {
    bool read = false;
    std::wstring name, description;
    long role = 0;
};
Accessible AccessibleOf(HWND control)
{
    Accessible told;
    IAccessible *object = nullptr;
    if (const HRESULT result = AccessibleObjectFromWindow(
            control, DWORD(OBJID_CLIENT), IID_IAccessible, reinterpret_cast<void **>(&object));
        FAILED(result)) {
        std::printf("  MSAA: no object (0x%08lx)\n", static_cast<unsigned long>(result));
        return told;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (SUCCEEDED(object->get_accName(self, &name)) && name)
        told.name = name;
    SysFreeString(name);
    BSTR description = nullptr;
    if (SUCCEEDED(object->get_accDescription(self, &description)) && description)
        told.description = description;
    SysFreeString(description);
    VARIANT role{};
    told.read = SUCCEEDED(object->get_accRole(self, &role));
    told.role = role.vt == VT_I4 ? role.lVal : 0;
    object->Release();
    return told;
}

// The role Windows gives each kind of control.
long RoleOf(form::ControlKind kind)
{
    switch (kind) {
    case form::ControlKind::Label: return ROLE_SYSTEM_STATICTEXT;
    case form::ControlKind::TextBox: return ROLE_SYSTEM_TEXT;
    case form::ControlKind::ComboBox: return ROLE_SYSTEM_COMBOBOX;
    case form::ControlKind::Picture: return ROLE_SYSTEM_GRAPHIC;
    case form::ControlKind::PictureButton: return ROLE_SYSTEM_PUSHBUTTON;
    }
    return 0;
}

// The name Windows gives a field, as MSAA and UI Automation's proxies find it: the text of the
// nearest static control before it in the z-order, up to a control that takes the focus.
std::wstring NameByZOrder(HWND field)
{
    for (HWND before = GetWindow(field, GW_HWNDPREV); before;
         before = GetWindow(before, GW_HWNDPREV)) {
        if (GetWindowLongW(before, GWL_STYLE) & WS_TABSTOP)
            return {};
        if (ClassOf(before) == L"Static" && !TextOf(before).empty())
            return TextOf(before);
    }
    return {};
}

std::pair<UINT, wchar_t> VirtualKey(form::Key key)
{
    switch (key) {
    case form::Key::Enter: return {VK_RETURN, L'\r'};
    case form::Key::Space: return {VK_SPACE, L' '};
    case form::Key::Escape: return {VK_ESCAPE, L'\x1b'};
    default: return {0, 0};
    }
}

// One scenario in a program of its own: with no window manager, nothing makes the window
// active again after a box, so a later key would have no focus to go to.
void RunScenario(Program &p, const test::WindowScenario &row)
{
    for (const auto &[name, typed] : {std::pair{"Text1", row.low}, std::pair{"Text2", row.high}}) {
        if (TextOf(p.Control(name)) != WideString(typed))
            p.Retype(name, WideString(typed));
    }
    HWND combo = p.Control("Combo1");
    if (row.downPresses) {
        for (int i = 0; i < row.downPresses; ++i) {
            const std::wstring before = TextOf(combo);
            p.PressOn(p.Editable("Combo1"), VK_DOWN);
            WaitUntil([&] { return TextOf(combo) != before; });
        }
    } else if (TextOf(combo) != WideString(row.direction)) {
        p.Retype("Combo1", WideString(row.direction));
    }
    CHECK(TextOf(combo) == WideString(row.direction));

    Box box;
    if (!*row.control) {
        box = p.Click();
    } else {
        for (std::size_t tabs = 0;
             tabs < form::TabOrder().size() && p.Focus() != p.Editable(row.control); ++tabs)
            p.Tab();
        CHECK(p.Focus() == p.Editable(row.control));
        const auto [key, character] = VirtualKey(row.key);
        if (row.shown != test::Shown::Nothing) {
            box = p.ActAndDismiss([&] { p.Press(key, character); });
        } else {
            // Tab moves the focus on only once the key before it is through.
            p.Press(key, character);
            CHECK(p.Tab());
            box.shown = !p.Boxes().empty();
        }
    }
    CHECK(box.shown == (row.shown != test::Shown::Nothing));
    if (box.shown) {
        if (box.text != WideString(row.text))
            std::printf("  box said \"%s\"\n", Utf8(box.text).c_str());
        CHECK(box.title == WideString(form::kApplicationTitle) && box.text == WideString(row.text));
        CHECK(box.icon == (row.shown == test::Shown::ErrorReport));
        CHECK(box.buttons == 1);
    }
    // The program goes on, its window and its fields as they were.
    CHECK(p.Responsive());
    CHECK(IsWindow(p.Form()) && IsWindowVisible(p.Form()));
    CHECK(TextOf(p.Control("Text1")) == WideString(row.low) &&
          TextOf(p.Control("Text2")) == WideString(row.high));
    CHECK(TextOf(combo) == WideString(row.direction));
}

struct Row {
    const char *name;
    std::function<void(Program &)> run;
    WORD show = SW_SHOWNORMAL;  // how the program is started
};

// The client area is the table's, at the session's density.
bool ClientAsInTheTable(HWND form)
{
    RECT client{};
    GetClientRect(form, &client);
    if (client.right != Scaled(form::kClientSize.width) ||
        client.bottom != Scaled(form::kClientSize.height))
        std::printf("  client area %ldx%ld\n", client.right, client.bottom);
    return client.right == Scaled(form::kClientSize.width) &&
           client.bottom == Scaled(form::kClientSize.height);
}

// A maximize, asked for any way, leaves the window its one size, painted all over.
void KeepsItsSize(Program &p)
{
    CHECK(ClientAsInTheTable(p.Form()));
    PostMessageW(p.Form(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    CHECK(p.Responsive() && ClientAsInTheTable(p.Form()));
    ShowWindowAsync(p.Form(), SW_MAXIMIZE);
    CHECK(p.Responsive() && ClientAsInTheTable(p.Form()));
    CHECK(p.ShowsLogo());
}

const std::vector<Row> &Rows()
{
    static const std::vector<Row> rows = {
        {"window and controls as in the table, its icon; closing ends the program with status 0",
         [](Program &p) {
             CHECK(ClientAsInTheTable(p.Form()));
             CHECK(TextOf(p.Form()) == L"Levelwise");
             const LONG style = GetWindowLongW(p.Form(), GWL_STYLE);
             CHECK((style & WS_SYSMENU) && (style & WS_CAPTION));
             CHECK(!(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)));
             // The icon the window class takes, as Windows loads it from the program file.
             HMODULE exe = LoadLibraryExW(p.Path(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
             for (const int side : {16, 32})
                 CHECK(exe && LoadImageW(exe, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, side,
                                         side, 0) != nullptr);
             if (exe)
                 FreeLibrary(exe);
             for (const form::ControlEntry &entry : form::kControls) {
                 HWND control = p.Control(entry.name.data());
                 RECT r{};
                 GetWindowRect(control, &r);
                 MapWindowPoints(nullptr, p.Form(), reinterpret_cast<POINT *>(&r), 2);
                 const bool placed = r.left == Scaled(entry.bounds.left) &&
                                     r.top == Scaled(entry.bounds.top) &&
                                     r.right - r.left == Scaled(entry.bounds.width) &&
                                     r.bottom - r.top == Scaled(entry.bounds.height);
                 if (!placed)
                     std::printf("  %.*s at %ld,%ld %ldx%ld\n", int(entry.name.size()),
                                 entry.name.data(), r.left, r.top, r.right - r.left,
                                 r.bottom - r.top);
                 CHECK(placed);
                 CHECK(IsWindowVisible(control));
                 CHECK(TextOf(control) == WideString(entry.text));
             }
             CHECK(p.Close() == 0);
         }},
        {"focus starts on the button and Tab goes round in order, where the window's activation "
         "leaves it; price fields take eleven characters, typed or pasted",
         [](Program &p) {
             CHECK(p.Focus() == p.Control("Command1"));
             const auto order = form::TabOrder();
             HWND next = nullptr;
             for (std::size_t i = 1; i <= order.size() + 1; ++i) {
                 next = p.Editable(order[i % order.size()]->name.data());
                 p.Press(VK_TAB);
                 CHECK(WaitUntil([&] { return p.Focus() == next; }));
             }
             // Wine may deliver the window's first activation late, once the user has moved on.
             SendMessageW(p.Form(), WM_ACTIVATE, WA_ACTIVE, 0);
             CHECK(p.Focus() == next);
             const std::wstring pasted = L"98765432109876";
             const std::wstring kept = pasted.substr(0, form::kPriceMaxLength);
             p.Retype("Text1", pasted);
             CHECK(TextOf(p.Control("Text1")) == kept);
             if (OpenClipboard(nullptr)) {
                 EmptyClipboard();
                 HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
                 std::wmemcpy(static_cast<wchar_t *>(GlobalLock(memory)), pasted.c_str(),
                              pasted.size() + 1);
                 GlobalUnlock(memory);
                 SetClipboardData(CF_UNICODETEXT, memory);
                 CloseClipboard();
             }
             p.Retype("Text2", L"");
             PostMessageW(p.Focus(), WM_PASTE, 0, 0);
             CHECK(WaitUntil([&] { return TextOf(p.Control("Text2")) == kept; }));
         }},
        {"the hatch, texts in the table's colours, the logo, the bevel, no caption cut",
         [](Program &p) {
             const Capture shot(p.Form());
             const auto pixel = shot.Rgb();
             // Where no control covers the window, the hatch, laid at the device's own pixels.
             int bare = 0, unhatched = 0;
             for (int y = 0; y < shot.height; ++y) {
                 for (int x = 0; x < shot.width; ++x) {
                     if (std::none_of(form::kControls.begin(), form::kControls.end(), [&](auto &c) {
                             return x >= Scaled(c.bounds.left) - 1 &&
                                    y >= Scaled(c.bounds.top) - 1 &&
                                    x <= Scaled(c.bounds.left + c.bounds.width) &&
                                    y <= Scaled(c.bounds.top + c.bounds.height);
                         })) {
                         ++bare;
                         unhatched += pixel(x, y) != test::Grey(form::HatchLevel(x, y));
                     }
                 }
             }
             std::printf("  %d of %d bare pixels not the hatch\n", unhatched, bare);
             CHECK(bare > 10000 && unhatched == 0);
             const std::string wrong = test::TextsNotInked(pixel, shot.width, shot.height, g_dpi);
             std::printf("%s", wrong.c_str());
             CHECK(wrong.empty());
             // Drawn for the density by the same code as on every platform.
             const int logo = p.LogoPixelsWrong(shot);
             std::printf("  logo: %d pixels differ\n", logo);
             CHECK(logo == 0);
             const form::Rect &b = form::Control("Command1").bounds;
             CHECK(test::BevelPixelsWrong(pixel, Scaled(b.left), Scaled(b.left + b.width) - 1,
                                          Scaled(b.top + b.height / 2), g_dpi) == 0);
             for (const form::ControlEntry &entry : form::kControls) {
                 if (entry.kind != form::ControlKind::Label)
                     continue;
                 const int left = Scaled(entry.bounds.left), top = Scaled(entry.bounds.top);
                 const int right = std::min(left + Scaled(entry.bounds.width), shot.width);
                 // Down to where a label below begins inside the box (Label10 in Label6's).
                 int end = std::min(top + Scaled(entry.bounds.height), shot.height);
                 for (const form::ControlEntry &other : form::kControls) {
                     if (other.bounds.top > entry.bounds.top && Scaled(other.bounds.top) < end &&
                         Scaled(other.bounds.left) < right &&
                         Scaled(other.bounds.left + other.bounds.width) > left)
                         end = Scaled(other.bounds.top);
                 }
                 int inkTop = end, inkBottom = -1;
                 for (int y = top; y < end; ++y) {
                     for (int x = left; x < right; ++x) {
                         if (test::Distance(pixel(x, y), test::Grey(form::HatchLevel(x, y))) > 60) {
                             inkTop = std::min(inkTop, y);
                             inkBottom = std::max(inkBottom, y);
                         }
                     }
                 }
                 const bool title = entry.font == form::ControlFont::Title;
                 const int em = MulDiv(title ? form::kTitleFontPoints : form::kDialogFontPoints,
                                       g_dpi, 72);
                 const int rows = inkBottom - inkTop + 1;
                 std::printf("  %s: ink in %d rows, font %d pixels\n", entry.name.data(), rows, em);
                 CHECK(inkBottom >= 0);
                 // An accent above and a descender below: one line spans about the font's size.
                 // Every caption is one line but Label5's, which wraps onto a second line that
                 // the box must show whole.
                 if (entry.name == "Label5")
                     CHECK(rows >= 2 * em);
                 else
                     CHECK(rows <= em * 6 / 5 && (entry.name != "Label3" || rows >= em * 8 / 10));
             }
         }},
        {"a maximized start, then a maximize asked for, keep the window's size", KeepsItsSize,
         SW_SHOWMAXIMIZED},
        {"a minimized start stays minimized and restores to the window's size",
         [](Program &p) {
             CHECK(IsIconic(p.Form()));
             ShowWindowAsync(p.Form(), SW_RESTORE);
             CHECK(WaitUntil([&] { return !IsIconic(p.Form()); }) && p.Responsive());
             CHECK(ClientAsInTheTable(p.Form()));
             CHECK(WaitUntil([&] { return p.ShowsLogo(); }));
             // Maximized straight from the taskbar: its size, where it stood before.
             RECT before{}, after{};
             GetWindowRect(p.Form(), &before);
             ShowWindowAsync(p.Form(), SW_MINIMIZE);
             CHECK(WaitUntil([&] { return IsIconic(p.Form()); }));
             ShowWindowAsync(p.Form(), SW_MAXIMIZE);
             CHECK(WaitUntil([&] { return !IsIconic(p.Form()); }) && p.Responsive());
             GetWindowRect(p.Form(), &after);
             CHECK(ClientAsInTheTable(p.Form()) && after.left == before.left &&
                   after.top == before.top);
         },
         SW_SHOWMINIMIZED},
        {"Enter held on the button: its repeats leave the box open", [](Program &p) {
             const LPARAM scan = LPARAM(MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC)) << 16;
             PostMessageW(p.Focus(), WM_KEYDOWN, VK_RETURN, 1 | scan);
             CHECK(WaitUntil([&] { return !p.Boxes().empty(); }));
             const std::vector<HWND> boxes = p.Boxes();
             // The keyboard's repeats, each handled (the program answers twice) before the next.
             for (int i = 0; i < 5 && !boxes.empty(); ++i) {
                 PostMessageW(p.Focus(), WM_KEYDOWN, VK_RETURN, 1 | scan | (LPARAM(1) << 30));
                 PostMessageW(p.Focus(), WM_CHAR, L'\r', 1 | scan | (LPARAM(1) << 30));
                 CHECK(p.Responsive());
             }
             CHECK(!boxes.empty() && IsWindow(boxes.front()));
             const Box box = p.ActAndDismiss([] {});
             CHECK(box.shown && box.title == WideString(form::kApplicationTitle));
         }},
        {"what a screen reader is told: each field named after its label, every role",
         [](Program &p) {
             for (const form::ControlEntry &entry : form::kControls) {
                 HWND control = p.Control(entry.name.data());
                 const Accessible told = AccessibleOf(control);
                 const form::ControlEntry *label = form::LabelOf(entry);
                 const std::wstring name = label ? WideString(label->text)
                                           : entry.kind == form::ControlKind::Picture
                                               ? WideString(form::kLogoDescription)
                                               : WideString(entry.text);
                 std::printf("  %s: name \"%s\", role %ld, description \"%s\"\n",
                             entry.name.data(), Utf8(told.name).c_str(), told.role,
                             Utf8(told.description).c_str());
                 // Wine 8's MSAA knows the edit class alone: any other control it calls a
                 // client, and it has no annotation service for the logo's name. Windows
                 // gives each its role, and the logo its description.
                 const bool wine = told.role == ROLE_SYSTEM_CLIENT;
                 CHECK(told.read && (told.role == RoleOf(entry.kind) || wine));
                 if (entry.kind != form::ControlKind::ComboBox &&
                     (entry.kind != form::ControlKind::Picture || !wine))
                     CHECK(told.name == name);
                 if (label)
                     CHECK(NameByZOrder(control) == name);
             }
         }},
        {"the open direction list's items in the table's text colour", [](Program &p) {
             HWND combo = p.Control("Combo1");
             SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
             // The open list is a window of its own (GetComboBoxInfo does not cross processes).
             HWND list = nullptr;
             CHECK(WaitUntil([&] {
                 const auto lists = p.TopLevels(L"ComboLBox");
                 list = lists.empty() ? nullptr : lists.front();
                 return list && IsWindowVisible(list);
             }));
             // The item not chosen ("Short") is drawn on the window colour: its ink runs from
             // the field's white to the text colour, and reaches the text colour itself.
             const int height = int(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
             const int other = 1 - int(SendMessageW(list, LB_GETCURSEL, 0, 0));
             // Counted as last seen: a list that never shows its items says which way it is off
             // (unpainted black, another colour, or not its own items).
             int exact = 0, foreign = 0, black = 0, width = 0, rows = 0;
             const bool drawn = WaitUntil([&] {
                 const Capture shot(list);
                 const auto pixel = shot.Rgb();
                 exact = foreign = black = 0;
                 width = shot.width;
                 rows = shot.height;
                 const int bottom = std::min((other + 1) * height - 1, shot.height);
                 for (int y = std::max(other * height + 1, 0); y < bottom; ++y) {
                     for (int x = 2; x < shot.width - 2; ++x) {
                         const form::Rgb c = pixel(x, y);
                         exact += c == form::kTextColour;
                         black += c == form::Rgb{0, 0, 0};
                         foreign += c.blue < form::kTextColour.blue || c.red < c.green - 2 ||
                                    c.red > c.green + 2;
                     }
                 }
                 return exact > 0 && foreign == 0;
             });
             if (!drawn)
                 std::printf("  item %d (%d pixels high) of a %dx%d list: %d pixels in the text "
                             "colour, %d of another (%d black); list shown %d, dropped %d, "
                             "selection %d\n",
                             other, height, width, rows, exact, foreign, black,
                             IsWindowVisible(list),
                             int(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)),
                             int(SendMessageW(list, LB_GETCURSEL, 0, 0)));
             CHECK(drawn);
             SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
         }},
    };
    static const std::vector<Row> all = [] {
        std::vector<Row> list = rows;
        for (const test::WindowScenario &row : test::kWindowScenarios) {
            if (!*row.settings || g_settings == row.settings)
                list.push_back({row.name, [&row](Program &p) { RunScenario(p, row); }});
        }
        return list;
    }();
    return all;
}

// Whether the row's name holds one of the texts of rows=, parted by '|'.
bool Selected(std::string_view name)
{
    for (std::string_view rest = g_rows;;) {
        const std::size_t bar = rest.find('|');
        if (name.find(rest.substr(0, bar)) != std::string_view::npos)
            return true;
        if (bar == std::string_view::npos)
            return false;
        rest.remove_prefix(bar + 1);
    }
}

}  // namespace

int wmain(int argc, wchar_t **argv)
{
    // The test measures the window in the screen's own pixels. Unaware of the density, it
    // would be shown sizes and captures scaled back to 96 dpi (Wine 10 does so, as Windows).
    SetProcessDPIAware();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // for MSAA's objects
    for (int i = 2; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option.rfind(L"dpi=", 0) == 0)
            g_dpi = std::stoi(option.substr(4));
        else if (option.rfind(L"settings=", 0) == 0)
            g_settings = Utf8(option.substr(9));
        else if (option.rfind(L"rows=", 0) == 0)
            g_rows = Utf8(option.substr(5));
        else
            argc = 0;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_test LEVELWISE.EXE [dpi=N] [settings=LANGUAGE] "
                             "[rows=TEXT[|TEXT...]]\n");
        return 2;
    }
    int passed = 0, failed = 0;
    for (const Row &row : Rows()) {
        if (!Selected(row.name))
            continue;
        g_row = row.name;
        const int before = g_failures;
        {
            Program program(argv[1], row.show);
            if (!program.Form()) {
                std::printf("  FAILED %s: the window did not appear\n", row.name);
                ++g_failures;
            } else {
                row.run(program);
            }
        }
        const bool ok = g_failures == before;
        std::printf("%s %s\n", ok ? "ok    " : "FAILED", row.name);
        (ok ? passed : failed) += 1;
        std::fflush(stdout);
    }
    std::printf("window: %d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
