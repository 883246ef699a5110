// What the window Form1 is, whatever toolkit draws it: its controls as data, its colours,
// its pictures' pixel rule, and how each outcome of a click is shown. Plain C++: each front
// end (Qt on Linux, Win32 on Windows) turns these rows into native controls.
#pragma once

#include "retracement.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace levelwise::form {

// The caption of the window and of every message box, and the text of the title label.
inline constexpr std::u16string_view kApplicationTitle = u"Levelwise";

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
inline constexpr Rgb kTextColour{128, 128, 255};
inline constexpr Rgb kButtonFaceColour{128, 128, 255};
// The caption sits on the light hatch picture, so it stays black whatever the desktop's
// colours: a dark theme's light button text would vanish there.
inline constexpr Rgb kButtonCaptionColour{0, 0, 0};

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

// The title label's font: "MS Sans Serif", 12 points, bold, Central European characters.
inline constexpr std::u16string_view kTitleFontFamily = u"MS Sans Serif";
inline constexpr int kTitleFontPoints = 12;
inline constexpr int kDialogFontPoints = 8;

// A price field takes at most this many characters, typed or pasted.
inline constexpr int kPriceMaxLength = 11;
inline constexpr std::array<std::u16string_view, 2> kDirectionItems{u"Long", u"Short"};

// The controls of Form1, in the order they are created (which is also their stacking order).
inline constexpr std::array<ControlEntry, 12> kControls{{
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
}};

// The control of that name; the table holds every name the front ends ask for.
const ControlEntry &Control(std::string_view name);

// Whether the control takes the keyboard focus: the fields and the button.
bool TakesFocus(ControlKind kind);

// The focusable controls in tab order: Command1, Text1, Text2, Combo1. Focus starts on the
// first.
std::array<const ControlEntry *, 4> TabOrder();

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
