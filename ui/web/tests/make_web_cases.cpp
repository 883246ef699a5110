// Generated cases with the native core's answers, for checking the web app's WebAssembly
// build against this one: the message box the calculate command comes to for typed texts
// under several number settings, and the bits of the levels of the prices behind them.
//   make_web_cases COUNT [SEED] > cases.jsonl
// The first line lists the number settings, as the page hands them to the module; each
// further line is one case.
//   make_web_cases --scenarios > scenarios.json
// The window scenarios every front end's window test runs, for the page's test.
//   make_web_cases --table > table.json
// The window table as the page is generated from it, for the page's test.
#include "browser_keys.h"
#include "form1.h"
#include "generated_cases.h"
#include "json_text.h"
#include "page_geometry.h"
#include "window_scenarios.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace levelwise;
using namespace levelwise::test;
using web::Json;
using web::Num;
using web::Rgb;
using web::TouchScale;
using form::ControlEntry;

// English, Hungarian (no-break space groups, decimal comma), Swiss German (apostrophe
// groups) and Indian (groups of two above the first three) settings, as browsers give them.
const std::vector<NumberSettings> kSettings{
    {u".", u",", {3}},
    {u",", u"\u00a0", {3}},
    {u".", u"\u2019", {3}},
    {u".", u",", {3, 2}},
};

std::u16string Ascii(const std::string &text) { return {text.begin(), text.end()}; }

std::u16string Replace(std::u16string_view text, char16_t from, std::u16string_view to)
{
    std::u16string out;
    for (const char16_t &c : text)
        out += c == from ? to : std::u16string_view(&c, 1);
    return out;
}

// The integer digits of a whole price written with the settings' groups.
std::u16string Grouped(double price, const NumberSettings &settings)
{
    char digits[400];
    std::snprintf(digits, sizeof digits, "%.0f", std::fabs(price));
    const std::u16string plain = Ascii(digits);
    std::u16string out;
    std::size_t sizeIndex = 0, inGroup = 0;
    std::size_t size = settings.groupSizes.empty() ? 0 : settings.groupSizes[0];
    for (std::size_t i = plain.size(); i-- > 0;) {
        if (size != 0 && inGroup == size) {
            out.insert(0, settings.groupSeparator);
            inGroup = 0;
            if (sizeIndex + 1 < settings.groupSizes.size())
                size = settings.groupSizes[++sizeIndex];
        }
        out.insert(out.begin(), plain[i]);
        ++inGroup;
    }
    return (price < 0 ? u"-" : u"") + out;
}

class TextMaker {
public:
    explicit TextMaker(std::uint64_t seed) : m_rng(seed) {}

    std::u16string Price(double price, const NumberSettings &settings)
    {
        char buffer[400];
        switch (m_rng() % 9) {
        case 0: std::snprintf(buffer, sizeof buffer, "%.6e", price); break;
        case 1: std::snprintf(buffer, sizeof buffer, "%.3f", price); break;
        case 2: std::snprintf(buffer, sizeof buffer, "%g", price); break;
        case 3:
            if (std::fabs(price) < 1e15)
                return Grouped(std::nearbyint(price), settings);
            [[fallthrough]];
        default: std::snprintf(buffer, sizeof buffer, "%.17g", price); break;
        }
        std::u16string text = Replace(Ascii(buffer), u'.', settings.decimalSeparator);
        switch (m_rng() % 16) {
        case 0: return u"";                                 // a field left empty
        case 1: return u"  " + text + u" ";                 // spaces around
        case 2: text[m_rng() % text.size()] = u'x'; break;  // a mistyped letter
        case 3: return Replace(text, settings.decimalSeparator.front(), u",");  // a comma
        case 4: return Replace(text, settings.decimalSeparator.front(), u".");  // a point
        case 5: return text + u"e999";                                          // far out of range
        default: break;
        }
        return text;
    }

    std::u16string Direction(TrendDirection direction)
    {
        static const std::u16string kOdd[] = {u"long", u"", u"Short ", u"LONG", u"Rövid"};
        if (m_rng() % 10 == 0)
            return kOdd[m_rng() % 5];
        return direction == TrendDirection::Long ? u"Long" : u"Short";
    }

    std::size_t Settings() { return m_rng() % kSettings.size(); }

private:
    std::mt19937_64 m_rng;
};

std::string Hex(std::uint64_t bits)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "\"%016" PRIx64 "\"", bits);
    return buffer;
}

std::string Scenarios()
{
    constexpr const char *kShown[] = {"nothing", "message", "error"};
    std::string json = "[";
    for (const WindowScenario &row : kWindowScenarios) {
        json += std::string(&row == kWindowScenarios.data() ? "" : ",") + "\n{\"name\": \"" +
                row.name + "\", \"settings\": \"" + row.settings + "\", \"low\": " + Json(row.low) +
                ", \"high\": " + Json(row.high) + ", \"direction\": " + Json(row.direction) +
                ", \"downPresses\": " + std::to_string(row.downPresses) + ", \"control\": \"" +
                row.control + "\", \"key\": \"" + std::string(web::BrowserKeyOf(row.key).key) +
                "\", \"shown\": \"" +
                kShown[int(row.shown)] + "\", \"text\": " + Json(row.text) + "}";
    }
    return json + "\n]\n";
}

// The window table as the page is generated from it, with the page's own colours and touch
// scale, for the page's test.
std::string Table()
{
    std::string json =
        "{\"title\": " + Json(form::kApplicationTitle) + ", \"client\": [" +
        std::to_string(form::kClientSize.width) + ", " + std::to_string(form::kClientSize.height) +
        "], \"maxLength\": " + std::to_string(form::kPriceMaxLength) + ", \"controls\": [";
    for (const ControlEntry &entry : form::kControls) {
        json += std::string(&entry == form::kControls.data() ? "" : ", ") + "{\"name\": \"" +
                std::string(entry.name) + "\", \"text\": " + Json(entry.text) + ", \"bounds\": [" +
                std::to_string(entry.bounds.left) + ", " + std::to_string(entry.bounds.top) + ", " +
                std::to_string(entry.bounds.width) + ", " + std::to_string(entry.bounds.height) +
                "], \"focus\": " + (form::TakesFocus(entry.kind) ? "true" : "false") + "}";
    }
    json += "], \"tabOrder\": [";
    const auto order = form::TabOrder();
    for (const ControlEntry *entry : order)
        json += std::string(entry == order.front() ? "" : ", ") + "\"" + std::string(entry->name) + "\"";
    json += "], \"labels\": {";
    for (const form::FieldLabel &pair : form::kFieldLabels)
        json += std::string(&pair == form::kFieldLabels.data() ? "" : ", ") + "\"" +
                std::string(pair.field) + "\": " + Json(form::FindControl(pair.label)->text);
    // The colours as a browser computes them: the texts', the button's caption and its bevel.
    const form::Shades shades = form::BevelShades(form::kButtonFaceColour);
    json += "}, \"hint\": " + Json(form::Hint()) + ", \"logo\": " + Json(form::kLogoDescription) + ", \"colours\": {\"text\": \"" +
            Rgb(form::kTextColour) + "\", \"caption\": \"" + Rgb(form::kButtonCaptionColour) +
            "\", \"light\": \"" + Rgb(shades.light) + "\", \"dark\": \"" + Rgb(shades.dark) +
            "\"}, \"touchScale\": " + Num(TouchScale()) + "}\n";
    return json;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && (std::string(argv[1]) == "--scenarios" || std::string(argv[1]) == "--table")) {
        std::fputs((std::string(argv[1]) == "--table" ? Table() : Scenarios()).c_str(), stdout);
        return 0;
    }
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: make_web_cases COUNT [SEED] | --scenarios | --table\n");
        return 2;
    }
    const long count = std::atol(argv[1]);
    const std::uint64_t seed = argc == 3 ? std::strtoull(argv[2], nullptr, 0) : 20261208;
    std::string header = "{\"settings\": [";
    for (const NumberSettings &s : kSettings) {
        header += std::string(&s == kSettings.data() ? "" : ", ") +
                  "{\"decimal\": " + Json(s.decimalSeparator) +
                  ", \"group\": " + Json(s.groupSeparator) +
                  ", \"sample\": " + Json(Grouped(1234567, s)) + "}";
    }
    std::printf("%s]}\n", header.c_str());

    CaseGenerator cases(seed);
    TextMaker texts(seed ^ 0x5EED);
    const auto &kinds = CaseGenerator::Kinds();
    for (long i = 0; i < count; ++i) {
        const Case c = (cases.*kinds[std::size_t(i) % kinds.size()].make)();
        const std::size_t settingsIndex = texts.Settings();
        const NumberSettings &settings = kSettings[settingsIndex];
        const std::u16string low = texts.Price(c.low, settings);
        const std::u16string high = texts.Price(c.high, settings);
        const std::u16string direction = texts.Direction(c.direction);
        const form::Presentation shown =
            form::Present(RunCalculation(low, high, direction, settings));
        const auto levels = ComputeLevels(c.low, c.high, c.direction);
        std::string bits = "null";
        if (levels)
            bits = std::string("[") + Hex(Bits(*levels->level382)) + ", " +
                   Hex(Bits(*levels->level500)) + ", " + Hex(Bits(*levels->level618)) + "]";
        std::printf(
            "{\"low\": %s, \"high\": %s, \"direction\": %s, \"settings\": %zu, "
            "\"error\": %s, \"text\": %s, \"prices\": [%s, %s], \"long\": %s, \"levels\": %s}\n",
            Json(low).c_str(), Json(high).c_str(), Json(direction).c_str(), settingsIndex,
            shown.kind == form::BoxKind::ErrorReport ? "true" : "false", Json(shown.text).c_str(),
            Hex(Bits(c.low)).c_str(), Hex(Bits(c.high)).c_str(),
            c.direction == TrendDirection::Long ? "true" : "false", bits.c_str());
    }
    return 0;
}
