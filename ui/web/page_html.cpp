// index.html: the window's controls as elements in creation order, with their labels, keys
// and names for screen readers, and the message box as a dialog.
#include "browser_keys.h"
#include "form1.h"
#include "identity_texts.h"
#include "json_text.h"
#include "page.h"
#include "page_geometry.h"

#include <string>
#include <string_view>

namespace levelwise::web {
namespace {

using form::ControlEntry;
using form::ControlKind;

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

// The id of the element that takes a control's focus: a combo box's is its text field's.
std::string FocusId(std::string_view name)
{
    const ControlEntry *entry = form::FindControl(name);
    return std::string(name) + (entry && entry->kind == ControlKind::ComboBox ? "-text" : "");
}

std::string ControlHtml(const ControlEntry &entry)
{
    const std::string id = std::string(entry.name);
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

}  // namespace

std::string PageHtml()
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
        // Fetched at once, beside main.js, not only when main.js is read and imports it.
        "<link rel=\"modulepreload\" href=\"calculator.js\">\n"
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

}  // namespace levelwise::web
