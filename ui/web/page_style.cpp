// The window's style sheet: places and sizes in CSS pixels from the table, its fonts and
// colours, and the layouts for touch screens.
#include "form1.h"
#include "json_text.h"
#include "page.h"
#include "page_geometry.h"

#include <algorithm>
#include <string>
#include <vector>

namespace levelwise::web {
namespace {

using form::ControlEntry;
using form::ControlKind;

std::string Px(int pixels) { return std::to_string(pixels) + "px"; }

// A control's place and size in the table, multiplied by the scale, as CSS declarations.
std::string Place(const ControlEntry &entry, double scale)
{
    return "left: " + Num(entry.bounds.left * scale) + "px; top: " + Num(entry.bounds.top * scale) +
           "px; width: " + Num(entry.bounds.width * scale) +
           "px; height: " + Num(entry.bounds.height * scale) + "px;";
}

// The controls in reading order: top to bottom, and left to right where they start level.
// A label stands left of its field, so in one column it comes just above it.
std::vector<const ControlEntry *> ReadingOrder()
{
    std::vector<const ControlEntry *> order;
    for (const ControlEntry &entry : form::kControls)
        order.push_back(&entry);
    std::stable_sort(order.begin(), order.end(), [](const ControlEntry *a, const ControlEntry *b) {
        return a->bounds.top != b->bounds.top ? a->bounds.top < b->bounds.top
                                              : a->bounds.left < b->bounds.left;
    });
    return order;
}

// Phones and tablets. Where the window fits the screen scaled up by TouchScale(), it is shown
// so, every place and size multiplied. Where it does not (a phone in portrait, or any screen
// narrower than the window itself), the same controls stand in one column in reading order,
// each label above its field, as wide as the screen; the tab order stays the table's.
std::string TouchLayout()
{
    const double scale = TouchScale();
    const std::string scaledWidth = Num(form::kClientSize.width * scale);
    const std::string narrowWidth = Num(form::kClientSize.width * scale - 0.02);
    std::string css = "\n/* A touch screen wide enough: the table's window, " + Num(scale) +
                      " times its size. */\n";
    css += "@media (pointer: coarse) and (min-width: " + scaledWidth + "px) {\n";
    css += "#Form1 { width: " + scaledWidth +
           "px; height: " + Num(form::kClientSize.height * scale) +
           "px; font-size: " + Num(form::kDialogFontPoints * scale) + "pt; margin: auto; }\n";
    for (const ControlEntry &entry : form::kControls) {
        css += "#" + std::string(entry.name) + " { " + Place(entry, scale);
        if (entry.font == form::ControlFont::Title)
            css += " font-size: " + Num(form::kTitleFontPoints * scale) + "pt;";
        css += " }\n";
    }
    css += "#Form1 input { font-size: " + Num(ScaledFieldTextPx(scale)) + "px; }\n";
    css += "}\n";
    css += "/* Narrower: one column, each label above its field. */\n";
    css += "@media (max-width: " + Num(form::kClientSize.width - 0.02) +
           "px), (pointer: coarse) and (max-width: " + narrowWidth + "px) {\n";
    css += "body { display: block; height: auto; min-height: 100%; }\n";
    css += "#Form1 { width: auto; height: auto; min-height: 100vh; box-sizing: border-box; "
           "padding: 12px 16px; "
           "display: flex; flex-direction: column; gap: 4px; font-size: 16px; }\n";
    css += "#Form1 > * { position: relative; left: auto; top: auto; width: auto; height: auto; }\n";
    int order = 0;
    for (const ControlEntry *entry : ReadingOrder()) {
        css += "#" + std::string(entry->name) + " { order: " + std::to_string(order++) + ";";
        if (entry->font == form::ControlFont::Title)
            css += " font-size: 24px;";
        if (form::TakesFocus(entry->kind))
            css += " height: 44px;";
        if (entry->kind == ControlKind::Picture)
            css += " align-self: center; width: " + Px(entry->bounds.width) +
                   "; height: " + Px(entry->bounds.height) + ";";
        if (PairOf(entry->name) && PairOf(entry->name)->label == entry->name)
            css += " margin-top: 8px;";
        css += " }\n";
    }
    // The fields' text is large print there (18 pt, as accessibility guidelines count it), so
    // that the window's pale blue on white, 3.25 : 1, is legible as it is.
    css += "#Form1 input { font-size: 18pt; }\n";
    css += "}\n";
    css += "/* Any touch screen or narrow screen: the box and the direction list for a finger. */\n";
    css += "@media (pointer: coarse), (max-width: " + Num(form::kClientSize.width - 0.02) +
           "px) {\n"
           "#box { font-size: 16px; max-width: calc(100vw - 24px); box-sizing: border-box; }\n"
           "#box-ok { min-height: 44px; min-width: 88px; }\n"
           "#Form1 .combo input { padding-right: 36px; }\n"
           ".combo .drop { width: 32px; }\n"
           ".combo .drop::after { left: 12px; }\n"
           ".combo [role=option] { padding: 10px 8px; }\n"
           "}\n";
    return css;
}

// A family list for CSS, the browser's generic family last.
template <std::size_t N> std::string Families(const std::array<std::u16string_view, N> &families)
{
    std::string css;
    for (const std::u16string_view family : families)
        css += "\"" + Utf8(family) + "\", ";
    return css + "sans-serif";
}

}  // namespace

std::string PageLayout()
{
    std::string css = "/* The window, from the shared table: sizes and places in CSS pixels. */\n";
    css += "body { font-family: " + Families(form::kDialogFontFamilies) + "; }\n";
    css += "#Form1 { width: " + Px(form::kClientSize.width) +
           "; height: " + Px(form::kClientSize.height) +
           "; background: " + Rgb(form::kBackgroundColour) +
           " url(hatch.png); color: " + Rgb(form::kTextColour) +
           "; font-size: " + std::to_string(form::kDialogFontPoints) + "pt; }\n";
    for (const ControlEntry &entry : form::kControls) {
        css += "#" + std::string(entry.name) + " { " + Place(entry, 1.0);
        if (entry.font == form::ControlFont::Title)
            css += " font-family: " + Families(form::kTitleFontFamilies) +
                   "; font-size: " + std::to_string(form::kTitleFontPoints) +
                   "pt; font-weight: bold;";
        css += " }\n";
    }
    // The bevel: a border of its width in the face's shades, the face's margin as padding
    // around the picture (the border box's content), less a pixel for the pressed shift.
    const form::Shades shades = form::BevelShades(form::kButtonFaceColour);
    const std::string raised = Rgb(shades.light) + " " + Rgb(shades.dark) + " " + Rgb(shades.dark) +
                               " " + Rgb(shades.light);
    const std::string sunken = Rgb(shades.dark) + " " + Rgb(shades.light) + " " +
                               Rgb(shades.light) + " " + Rgb(shades.dark);
    const int padding = form::kFaceMargin - form::kBevelWidth;
    css += "#Command1 { color: " + Rgb(form::kButtonCaptionColour) +
           "; background: url(hatch.png) "
           "content-box, " +
           Rgb(form::kButtonFaceColour) + " padding-box; border: " + Px(form::kBevelWidth) +
           " solid; border-color: " + raised + "; padding: " + Px(padding) + "; }\n";
    css += "#Command1:active { border-color: " + sunken + "; padding: " + Px(padding + 1) +
           " 0 0 " + Px(padding + 1) + "; }\n";
    // The focus frame a pixel inside the face's margin, as the desktop draws it.
    css += "#Command1:focus-visible { outline-offset: " + Px(-(form::kFaceMargin + 2)) + "; }\n";
    css += "#Form1 input { color: " + Rgb(form::kTextColour) + "; padding: 0 " +
           Px(kFieldPaddingPx) + "; }\n";
    return css + TouchLayout();
}

}  // namespace levelwise::web
