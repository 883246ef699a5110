// Writes the web page's window from the shared table, so that a change to the table reaches
// the page as it reaches the desktop windows:
//   make_page DIR      index.html, layout.css (joined to the page's style when the site is
//                      put together), logo.svg and manifest.webmanifest in DIR
// Runs as a WASI command under node at build time, built by the same compiler as the page's
// calculator.
#include "browser_keys.h"
#include "form1.h"
#include "identity_texts.h"
#include "json_text.h"
#include "page_geometry.h"
#include "logo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace levelwise;
using form::ControlEntry;
using form::ControlKind;
using web::Json;
using web::kFieldPaddingPx;
using web::Num;
using web::Rgb;
using web::ScaledFieldTextPx;
using web::TouchScale;
using web::Utf8;

// Text for HTML content and attribute values.
std::string Html(std::u16string_view text)
{
    std::string out;
    for (const char c : Utf8(text)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Name(const ControlEntry &entry) { return std::string(entry.name); }

// What a browser's own controls do with a key, which the page leaves to them: a button presses
// on Enter and on Space, and a field outside a form does nothing on Enter or Escape. Keys the
// script must handle are written on the control (KeysAttribute) for it to read.
static_assert(
    form::ActionOf(ControlKind::PictureButton, form::Key::Enter) == form::KeyAction::Press &&
    form::ActionOf(ControlKind::PictureButton, form::Key::Space) == form::KeyAction::Press &&
    form::ActionOf(ControlKind::PictureButton, form::Key::Escape) == form::KeyAction::Nothing &&
    form::ActionOf(ControlKind::TextBox, form::Key::Enter) == form::KeyAction::Nothing &&
    form::ActionOf(ControlKind::TextBox, form::Key::Escape) == form::KeyAction::Nothing);

// The key rules of a kind of control that the page's script carries out, as
// ' data-keys="ArrowDown:next F4:list ..."' in the browser's names of the keys.
std::string KeysAttribute(ControlKind kind)
{
    constexpr const char *kActionNames[] = {"", "press", "previous", "next", "list"};
    std::string keys;
    for (const form::KeyRule &rule : form::kKeyRules) {
        if (rule.kind != kind || kind == ControlKind::PictureButton)
            continue;
        // As the page's script spells a key: "Alt+" before it, "Space" for " ".
        const web::BrowserKey key = web::BrowserKeyOf(rule.key);
        keys += std::string(keys.empty() ? "" : " ") + (key.alt ? "Alt+" : "") +
                std::string(key.key == " " ? "Space" : key.key) + ":" +
                kActionNames[int(rule.action)];
    }
    return keys.empty() ? "" : " data-keys=\"" + keys + "\"";
}

// The field-and-label pair a control belongs to, as the field or as its label; null if none.
const form::FieldLabel *PairOf(std::string_view name)
{
    for (const form::FieldLabel &pair : form::kFieldLabels) {
        if (pair.field == name || pair.label == name)
            return &pair;
    }
    return nullptr;
}

// The id of the element that takes a control's focus: a combo box's is its text field's.
std::string FocusId(std::string_view name)
{
    const ControlEntry *entry = form::FindControl(name);
    return std::string(name) + (entry && entry->kind == ControlKind::ComboBox ? "-text" : "");
}

std::string ControlHtml(const ControlEntry &entry)
{
    const std::string id = Name(entry);
    const std::string text = Html(entry.text);
    const form::FieldLabel *pair = PairOf(entry.name);
    std::string labelledBy = pair && pair->field == entry.name
                                 ? " aria-labelledby=\"" + std::string(pair->label) + "\""
                                 : "";
    if (form::Hinted(entry.name)) {
        labelledBy += " aria-describedby=\"";
        for (const std::string_view label : form::kHintLabels)
            labelledBy += std::string(label == form::kHintLabels.front() ? "" : " ") +
                          std::string(label);
        labelledBy += "\"";
    }
    switch (entry.kind) {
    case ControlKind::Label:
        if (pair)
            return "<label id=\"" + id + "\" for=\"" + FocusId(pair->field) + "\">" + text +
                   "</label>";
        // The window's title is the page's heading, for a screen reader to find.
        if (entry.font == form::ControlFont::Title)
            return "<h1 id=\"" + id + "\">" + text + "</h1>";
        return "<div id=\"" + id + "\">" + text + "</div>";
    case ControlKind::TextBox:
        return "<input id=\"" + id + "\" type=\"text\" value=\"" + text + "\" maxlength=\"" +
               std::to_string(form::kPriceMaxLength) +
               "\" inputmode=\"decimal\" autocomplete=\"off\" spellcheck=\"false\"" + labelledBy +
               ">";
    case ControlKind::ComboBox: {
        // An editable field with a list to choose from, as the desktop's drop-down combo box.
        std::string html =
            "<div id=\"" + id + "\" class=\"combo\"><input id=\"" + id +
            "-text\" type=\"text\" value=\"" + text +
            "\" role=\"combobox\" aria-autocomplete=\"none\" aria-expanded=\"false\" "
            "aria-controls=\"" +
            id + "-list\" autocomplete=\"off\" spellcheck=\"false\"" + KeysAttribute(entry.kind) +
            labelledBy + "><span class=\"drop\" aria-hidden=\"true\"></span><ul id=\"" + id +
            "-list\" role=\"listbox\"" + labelledBy + " hidden>";
        for (const std::u16string_view item : form::kDirectionItems)
            html += "<li role=\"option\">" + Html(item) + "</li>";
        return html + "</ul></div>";
    }
    case ControlKind::Picture:
        return "<img id=\"" + id +
               "\" src=\"logo.png\" srcset=\"logo.png 1x, logo.svg 2x\" alt=\"" +
               Html(form::kLogoDescription) + "\" width=\"" + std::to_string(entry.bounds.width) +
               "\" height=\"" + std::to_string(entry.bounds.height) + "\">";
    case ControlKind::PictureButton:
        return "<button id=\"" + id + "\" type=\"button\">" + text + "</button>";
    }
    return {};
}

std::string Page()
{
    std::string html =
        "<!DOCTYPE html>\n"
        "<html lang=\"hu\">\n"
        "<head>\n"
        "<meta charset=\"utf-8\">\n"
        "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'self'; script-src "
        "'self' 'wasm-unsafe-eval'; style-src 'self'; img-src 'self'; connect-src 'self'; "
        "manifest-src 'self'; worker-src 'self'; object-src 'none'; base-uri 'none'; form-action "
        "'none'\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<meta name=\"description\" content=\"" +
        Html(kSummaryHu) +
        "\">\n"
        "<meta name=\"theme-color\" content=\"" +
        Rgb(form::kBackgroundColour) +
        "\">\n"
        "<title>" +
        Html(form::kApplicationTitle) +
        "</title>\n"
        "<link rel=\"manifest\" href=\"manifest.webmanifest\">\n"
        "<link rel=\"icon\" href=\"levelwise.svg\" type=\"image/svg+xml\">\n"
        // The calculator's module is fetched beside the style and the script, which starts
        // compiling it as soon as it runs.
        "<link rel=\"preload\" href=\"levelwise.wasm\" as=\"fetch\" type=\"application/wasm\" "
        "crossorigin>\n"
        "<link rel=\"stylesheet\" href=\"levelwise.css\">\n"
        "<script type=\"module\" src=\"main.js\"></script>\n"
        "</head>\n"
        "<body>\n"
        "<main id=\"Form1\" aria-label=\"" +
        Html(form::kApplicationTitle) + "\">\n";
    // Tab follows the elements' order.
    for (const ControlEntry *entry : form::CreationOrder())
        html += ControlHtml(*entry) + "\n";
    html += "</main>\n"
            "<dialog id=\"box\" role=\"alertdialog\" aria-labelledby=\"box-title\" "
            "aria-describedby=\"box-text\">\n"
            "<div id=\"box-title\">" +
            Html(form::kApplicationTitle) +
            "</div>\n"
            "<div id=\"box-body\"><div id=\"box-icon\" hidden></div><p id=\"box-text\"></p></div>\n"
            "<div id=\"box-buttons\"><button id=\"box-ok\" type=\"button\">OK</button></div>\n"
            "</dialog>\n"
            "</body>\n"
            "</html>\n";
    return html;
}

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
        css += "#" + Name(entry) + " { " + Place(entry, scale);
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
        css += "#" + Name(*entry) + " { order: " + std::to_string(order++) + ";";
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

std::string Layout()
{
    std::string css = "/* The window, from the shared table: sizes and places in CSS pixels. */\n";
    css += "body { font-family: " + Families(form::kDialogFontFamilies) + "; }\n";
    css += "#Form1 { width: " + Px(form::kClientSize.width) +
           "; height: " + Px(form::kClientSize.height) +
           "; background: " + Rgb(form::kBackgroundColour) +
           " url(hatch.png); color: " + Rgb(form::kTextColour) +
           "; font-size: " + std::to_string(form::kDialogFontPoints) + "pt; }\n";
    for (const ControlEntry &entry : form::kControls) {
        css += "#" + Name(entry) + " { " + Place(entry, 1.0);
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

std::string Manifest()
{
    return "{\n"
           "  \"name\": " +
           Json(form::kApplicationTitle) +
           ",\n"
           "  \"short_name\": " +
           Json(form::kApplicationTitle) +
           ",\n"
           "  \"description\": " +
           Json(kSummaryHu) +
           ",\n"
           "  \"lang\": \"hu\",\n"
           "  \"dir\": \"ltr\",\n"
           // No "id": an id is read against the host's root, where two copies in two folders
           // would be one app; without one, the app is its start address, the copy's folder.
           "  \"start_url\": \"./\",\n"
           "  \"scope\": \"./\",\n"
           "  \"display\": \"standalone\",\n"
           "  \"theme_color\": \"" +
           Rgb(form::kBackgroundColour) +
           "\",\n"
           "  \"background_color\": \"rgb(255, 255, 255)\",\n"
           "  \"icons\": [\n"
           "    {\"src\": \"icon-192.png\", \"sizes\": \"192x192\", \"type\": \"image/png\"},\n"
           "    {\"src\": \"icon-512.png\", \"sizes\": \"512x512\", \"type\": \"image/png\"},\n"
           "    {\"src\": \"levelwise.svg\", \"sizes\": \"any\", \"type\": \"image/svg+xml\"}\n"
           "  ]\n"
           "}\n";
}

bool Write(const std::string &path, const std::string &text)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    bool ok = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file && std::fclose(file) != 0)
        ok = false;
    if (!ok)
        std::fprintf(stderr, "make_page: cannot write %s\n", path.c_str());
    return ok;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_page DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = Write(dir + "/index.html", Page()) && Write(dir + "/layout.css", Layout()) &&
                    Write(dir + "/logo.svg", form::LogoSvg()) &&
                    Write(dir + "/manifest.webmanifest", Manifest());
    return ok ? 0 : 1;
}
