// What a user does in the window and what it answers, for the window tests of every front end
// (Qt, Win32 and the web page, which reads it as JSON from make_web_cases --scenarios). Each
// front end types the texts, chooses or presses as its users do, and reads the box it shows.
// The arithmetic itself is the core's tables'; here the window must carry the texts to the
// core and its answer back, and keep to the key rules.
#pragma once

#include "form1.h"

#include <array>
#include <string_view>

namespace levelwise::test {

enum class Shown { Nothing, Message, ErrorReport };

struct WindowScenario {
    const char *name;
    // "" under any number settings; else the language whose settings the row needs
    // ("en-US", "hu-HU", "de-DE", "de-CH", "fr-FR", "en-IN"), under which alone it runs.
    const char *settings = "";
    std::u16string_view low = u"15620";   // Text1
    std::u16string_view high = u"15700";  // Text2
    // Typed into Combo1, or, where downPresses is not 0, chosen from its list with that many
    // presses of the Down key from the window's first direction.
    std::u16string_view direction = u"Long";
    int downPresses = 0;
    // The key pressed on this control, which has the focus; "" for a click on the button.
    const char *control = "";
    form::Key key = form::Key::Enter;
    Shown shown = Shown::Message;
    std::u16string_view text = {};  // what the box says, a line break between its lines
};

inline constexpr std::u16string_view kReport =
    u"38.2%-os korrekciós szint: 15669\n50.0%-os korrekciós szint: 15660\n61.8%-os korrekciós "
    u"szint: 15651";
inline constexpr std::u16string_view kReportReversed =
    u"38.2%-os korrekciós szint: 15651\n50.0%-os korrekciós szint: 15660\n61.8%-os korrekciós "
    u"szint: 15669";
// 15620.5 to 15700 rises 79.5: 15669.631, 15660.25 and 15650.869.
inline constexpr std::u16string_view kReportHalf =
    u"38.2%-os korrekciós szint: 15670\n50.0%-os korrekciós szint: 15660\n61.8%-os korrekciós "
    u"szint: 15651";
inline constexpr std::u16string_view kTypeMismatch = u"Típuseltérés: az ár nem szám.";

// A row a line or two, as a table reads.
// clang-format off
inline constexpr std::array kWindowScenarios{
    WindowScenario{.name = "the initial texts, clicked", .text = kReport},
    WindowScenario{.name = "Enter on the button", .control = "Command1", .text = kReport},
    WindowScenario{.name = "Space on the button", .control = "Command1", .key = form::Key::Space,
                   .text = kReport},
    WindowScenario{.name = "Short chosen from the list", .direction = u"Short", .downPresses = 1,
                   .text = kReportReversed},
    WindowScenario{.name = "Short typed", .direction = u"Short", .text = kReportReversed},
    WindowScenario{.name = "lowest above highest", .low = u"15700", .high = u"15620",
                   .text = kReportReversed},
    WindowScenario{.name = "long typed in lower case", .direction = u"long",
                   .text = u"38.2%-os korrekciós szint: \n50.0%-os korrekciós szint: \n"
                           u"61.8%-os korrekciós szint: "},
    WindowScenario{.name = "a field left empty", .low = u"",
                   .text = u"Az összes mező kitöltése kötelező"},
    WindowScenario{.name = "a letter in a price", .high = u"15700x", .shown = Shown::ErrorReport,
                   .text = kTypeMismatch},
    WindowScenario{.name = "a price beyond range", .high = u"1E+400", .shown = Shown::ErrorReport,
                   .text = u"Túlcsordulás: az érték kívül esik a számolható tartományon."},
    WindowScenario{.name = "Enter in a price field", .control = "Text2", .shown = Shown::Nothing},
    WindowScenario{.name = "Enter in the direction field", .control = "Combo1",
                   .shown = Shown::Nothing},
    WindowScenario{.name = "Escape in a price field", .control = "Text1", .key = form::Key::Escape,
                   .shown = Shown::Nothing},
    WindowScenario{.name = "Escape on the button", .control = "Command1",
                   .key = form::Key::Escape, .shown = Shown::Nothing},
    // Prices written as the user's number settings write them, and as they do not.
    WindowScenario{.name = "en-US: groups of three", .settings = "en-US", .low = u"15,620",
                   .text = kReport},
    WindowScenario{.name = "en-US: a decimal comma", .settings = "en-US", .low = u"15620,5",
                   .shown = Shown::ErrorReport, .text = kTypeMismatch},
    WindowScenario{.name = "hu-HU: a decimal comma", .settings = "hu-HU", .low = u"15620,5",
                   .text = kReportHalf},
    WindowScenario{.name = "hu-HU: a decimal point", .settings = "hu-HU", .low = u"15620.5",
                   .shown = Shown::ErrorReport, .text = kTypeMismatch},
    WindowScenario{.name = "de-DE: point groups, a decimal comma", .settings = "de-DE",
                   .low = u"15.620,5", .high = u"15.700", .text = kReportHalf},
    WindowScenario{.name = "de-CH: apostrophe groups", .settings = "de-CH", .low = u"15'620.5",
                   .text = kReportHalf},
    WindowScenario{.name = "de-CH: typographic apostrophe groups", .settings = "de-CH",
                   .low = u"15\u2019620.5", .high = u"15\u2019700", .text = kReportHalf},
    // Any space stands for the settings' own: ordinary, no-break, narrow no-break and thin.
    WindowScenario{.name = "hu-HU: space groups", .settings = "hu-HU", .low = u"15 620",
                   .high = u"15\u00A0700", .text = kReport},
    WindowScenario{.name = "hu-HU: narrow and thin space groups", .settings = "hu-HU",
                   .low = u"15\u202F620", .high = u"15\u2009700", .text = kReport},
    WindowScenario{.name = "fr-FR: no-break and ordinary space groups", .settings = "fr-FR",
                   .low = u"15\u00A0620", .high = u"15 700", .text = kReport},
    // 99950 to 100000 rises 50: 99980.9, 99975 and 99969.1.
    WindowScenario{.name = "en-IN: groups of two above three", .settings = "en-IN",
                   .low = u"99,950", .high = u"1,00,000",
                   .text = u"38.2%-os korrekciós szint: 99981\n50.0%-os korrekciós szint: 99975\n"
                           u"61.8%-os korrekciós szint: 99969"},
    WindowScenario{.name = "en-IN: groups of three above three", .settings = "en-IN",
                   .low = u"99,950", .high = u"100,000", .shown = Shown::ErrorReport,
                   .text = kTypeMismatch},
};
// clang-format on

}  // namespace levelwise::test
