// What the window Form1 is, whatever toolkit draws it: its controls as data, its colours and
// fonts, the button's bevel, which key does what, its pictures' pixel rule, and how each
// outcome of a click is shown. Plain C++: each front end (Qt on Linux, Win32 on Windows, the
// web page's generator and script) turns these rows into its platform's controls, and keeps
// only what is that platform's own convention.
#pragma once

#include "identity_texts.h"
#include "retracement.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace levelwise::form {

// The caption of the window and of every message box, and the text of the title label.
inline constexpr std::u16string_view kApplicationTitle = kTitle;

struct Size {
    int width;
    int height;
};

// Pixels at 96 dots per inch (15 twips each), relative to the client area's top-left corner.
struct Rect {
    int left;
    int top;
    int width;
    int height;
};

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    bool operator==(const Rgb &) const = default;
};

enum class ControlKind { Label, TextBox, ComboBox, Picture, PictureButton };

// Every text is in the platform's dialog font, 8 points, but the title's.
enum class ControlFont { Dialog, Title };

struct ControlEntry {
    std::string_view name;
    ControlKind kind;
    std::u16string_view text;  // initial text; empty for the picture
    Rect bounds;
    int tabIndex;  // only the fields and the button ever take the focus
    ControlFont font = ControlFont::Dialog;
};

inline constexpr Size kClientSize{391, 276};  // 5865 x 4140 twips
inline constexpr Size kBackgroundPictureSize{399, 289};
inline constexpr Size kButtonPictureSize{112, 34};
inline constexpr Size kLogoSize{145, 110};

inline constexpr Rgb kBackgroundColour{81, 133, 201};  // hidden under the background picture
inline constexpr Rgb kTextColour{128, 128, 255};       // the labels' and the fields' text
inline constexpr Rgb kButtonFaceColour{128, 128, 255};
// The caption sits on the light hatch picture, so it stays black whatever the desktop's
// colours: a dark theme's light button text would vanish there.
inline constexpr Rgb kButtonCaptionColour{0, 0, 0};

// The picture button's raised edge, kBevelWidth pixels in a light and a dark shade of the
// face, and the face colour left visible kFaceMargin pixels around the picture. Pressed, the
// shades swap and the picture and the caption move one pixel down and right.
inline constexpr int kBevelWidth = 2;
inline constexpr int kFaceMargin = 3;

struct Shades {
    Rgb light;
    Rgb dark;
};

// The face lightened (its value times 1.3; what passes full value is taken off its
// saturation) and darkened (its value divided by 1.6), hue kept, as desktop bevels shade it.
Shades BevelShades(Rgb face);

// What a screen reader says of the logo.
inline constexpr std::u16string_view kLogoDescription = u"A Levelwise emblémája";

// The label that names each field, for screen readers and for keyboard mnemonics.
struct FieldLabel {
    std::string_view field;
    std::string_view label;
};
inline constexpr std::array<FieldLabel, 3> kFieldLabels{{
    {"Text1", "Label2"},
    {"Text2", "Label3"},
    {"Combo1", "Label5"},
}};

// The hint beside the price fields, two captions that make one sentence. Screen readers say
// it with each price field, after the field's name.
inline constexpr std::array<std::string_view, 2> kHintLabels{"Label6", "Label10"};
inline constexpr std::array<std::string_view, 2> kHintedFields{"Text1", "Text2"};
bool Hinted(std::string_view field);
std::u16string Hint();  // the captions joined by a space

// The fonts, each family list in the one order every front end tries it. The dialog font is
// that of Windows' dialogs, "MS Shell Dlg": Microsoft Sans Serif, or the older MS Sans Serif
// (Wine's), each named itself, as Wine maps "MS Shell Dlg" to Tahoma, too wide for
// "Legalacsonyabb érték:" in its 113 pixels. Else Liberation Sans or Arial, metric twins
// that keep it on one line. The title label's: "MS Sans Serif", 12 points, bold, Central
// European.
inline constexpr std::array<std::u16string_view, 4> kDialogFontFamilies{
    u"Microsoft Sans Serif", u"MS Sans Serif", u"Liberation Sans", u"Arial"};
inline constexpr std::array<std::u16string_view, 3> kTitleFontFamilies{
    u"MS Sans Serif", u"Liberation Sans", u"Arial"};
inline constexpr int kTitleFontPoints = 12;
inline constexpr int kDialogFontPoints = 8;

// A price field takes at most this many characters, typed or pasted.
inline constexpr int kPriceMaxLength = 11;
inline constexpr std::array<std::u16string_view, 2> kDirectionItems{u"Long", u"Short"};

// The controls of Form1, in the order they are created (which is also their stacking order).
// The table's size is its rows': a new control is one row here.
inline constexpr auto kControls = std::to_array<ControlEntry>({
    {"Label7", ControlKind::Label, kApplicationTitle, {128, 8, 265, 33}, 7, ControlFont::Title},
    {"Label2", ControlKind::Label, u"Legalacsonyabb érték:", {8, 72, 113, 17}, 0},
    {"Text1", ControlKind::TextBox, u"15620", {128, 72, 73, 19}, 4},
    {"Label6", ControlKind::Label, u"Az értékek tizedes jel nélkül", {240, 72, 161, 17}, 8},
    {"Label10", ControlKind::Label, u"írandók be.", {240, 88, 153, 17}, 9},
    {"Label3", ControlKind::Label, u"Legmagasabb érték:", {8, 96, 113, 17}, 1},
    {"Text2", ControlKind::TextBox, u"15700", {128, 96, 73, 19}, 5},
    {"Label5", ControlKind::Label, u"Korrekció előtti trend iránya:", {8, 144, 113, 25}, 2},
    {"Combo1", ControlKind::ComboBox, u"Long", {128, 144, 73, 21}, 6},
    {"Image1", ControlKind::Picture, u"", {240, 160, 145, 110}, 10},
    {"Command1", ControlKind::PictureButton, u"Számol", {120, 192, 89, 25}, 3},
    {"Label11", ControlKind::Label, u"© 2026 a Levelwise készítői", {8, 256, 177, 25}, 11},
});

// Where the control of that name stands in the table; -1 if there is none. (By index: GCC 12
// under -fsanitize=undefined cannot compare a constant's address with null while compiling.)
constexpr int ControlIndex(std::string_view name)
{
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (kControls[i].name == name)
            return int(i);
    }
    return -1;
}

// The control of a name read at run time (from a test's table, say); null if there is none.
inline const ControlEntry *FindControl(std::string_view name)
{
    const int index = ControlIndex(name);
    return index < 0 ? nullptr : &kControls[std::size_t(index)];
}

void NoSuchControlInForm1();  // not constexpr: reaching it stops the compilation

// The control of that name, looked up while compiling: a name the table does not hold does
// not compile.
consteval const ControlEntry &Control(std::string_view name)
{
    const int index = ControlIndex(name);
    if (index < 0)
        NoSuchControlInForm1();
    return kControls[std::size_t(index)];
}

// Every pair names two controls of the table.
static_assert([] {
    for (const FieldLabel &pair : kFieldLabels) {
        if (ControlIndex(pair.field) < 0 || ControlIndex(pair.label) < 0)
            return false;
    }
    return true;
}());

// Whether the control takes the keyboard focus: the fields and the button.
constexpr bool TakesFocus(ControlKind kind)
{
    return kind == ControlKind::TextBox || kind == ControlKind::ComboBox ||
           kind == ControlKind::PictureButton;
}

inline constexpr std::size_t kFocusableCount = [] {
    std::size_t count = 0;
    for (const ControlEntry &control : kControls)
        count += TakesFocus(control.kind) ? 1 : 0;
    return count;
}();

// The focusable controls in tab order: Command1, Text1, Text2, Combo1. Focus starts on the
// first.
std::array<const ControlEntry *, kFocusableCount> TabOrder();

// The label that names the field, if any.
const ControlEntry *LabelOf(const ControlEntry &field);

// The order the controls are made in where that order is also the keyboard's and a screen
// reader's (Win32's dialog manager, the page's elements): the focusable ones in tab order,
// each right after its label (Windows names a field after the static text made just before
// it), then the rest as listed.
std::array<const ControlEntry *, kControls.size()> CreationOrder();

// Which key does what. Enter and Space press the focused button; the arrow keys step through
// the direction list's items, and Alt+Down or F4 open or close its list. Any other key on any
// control, Enter in a field and Escape anywhere among them, does nothing: the window closes
// only by its close box, and the levels come only from the button.
enum class Key { Enter, Space, Escape, Up, Down, AltDown, F4 };
enum class KeyAction { Nothing, Press, PreviousItem, NextItem, ToggleList };

struct KeyRule {
    ControlKind kind;
    Key key;
    KeyAction action;
};
inline constexpr std::array<KeyRule, 6> kKeyRules{{
    {ControlKind::PictureButton, Key::Enter, KeyAction::Press},
    {ControlKind::PictureButton, Key::Space, KeyAction::Press},
    {ControlKind::ComboBox, Key::Up, KeyAction::PreviousItem},
    {ControlKind::ComboBox, Key::Down, KeyAction::NextItem},
    {ControlKind::ComboBox, Key::AltDown, KeyAction::ToggleList},
    {ControlKind::ComboBox, Key::F4, KeyAction::ToggleList},
}};

constexpr KeyAction ActionOf(ControlKind kind, Key key)
{
    for (const KeyRule &rule : kKeyRules) {
        if (rule.kind == kind && rule.key == key)
            return rule.action;
    }
    return KeyAction::Nothing;
}

// In a message box a key counts only when pressed while the box is open: the repeats of a key
// held down since before it opened (Enter held on the button) would close it, the levels gone
// before they could be read.
constexpr bool BoxTakesKey(bool repeated) { return !repeated; }

// The hatch rule of the background and button pictures: the grey level of pixel (x, y).
// Grey where (x + y) mod 3 = 2, 230 on rows with y mod 3 = 0 and 229 on the others; every
// other pixel is white (255).
std::uint8_t HatchLevel(int x, int y);

// Fills a picture of the given size with the hatch rule, every byte of a pixel set to its
// grey level (so the channel order does not matter). Rows are `stride` bytes apart.
void FillHatch(std::uint8_t *pixels, Size size, std::size_t stride, int bytesPerPixel);

// How one outcome of a click is shown: a plain message box, or the error report with a
// warning icon, after which the window stays open with its fields as they were.
enum class BoxKind { Message, ErrorReport };

struct Presentation {
    BoxKind kind;
    std::u16string text;  // a line break ("\n") where the outcome's text has a carriage return
};

Presentation Present(const CalculationOutcome &outcome);

}  // namespace levelwise::form
