// The shared description of the window: what each outcome shows, the hatch rule, the tab
// order, and the platforms' grouping notations.
#include "form1.h"
#include "logo.h"
#include "number_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <vector>

namespace levelwise::form {
namespace {

// The outcome as its kind and message: a row holding a whole CalculationOutcome makes MinGW's
// GCC 12 warn of an uninitialized string inside the test framework's copies.
struct PresentationRow {
    const char *name;
    OutcomeKind outcome;
    std::u16string_view message;
    BoxKind kind;
    std::u16string_view text;
};

void PrintTo(const PresentationRow &row, std::ostream *out) { *out << row.name; }

class PresentationTable : public ::testing::TestWithParam<PresentationRow> {};

TEST_P(PresentationTable, ShowsEachOutcomeInItsBox)
{
    const Presentation shown = Present({GetParam().outcome, std::u16string(GetParam().message)});
    EXPECT_EQ(shown.kind, GetParam().kind);
    EXPECT_EQ(shown.text, GetParam().text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Form, PresentationTable,
    ::testing::Values(
        PresentationRow{"Report", OutcomeKind::Report, u"a: 1\rb: 2\rc: 3", BoxKind::Message,
                        u"a: 1\nb: 2\nc: 3"},
        PresentationRow{"MissingInput", OutcomeKind::MissingInput,
                        u"Az összes mező kitöltése kötelező", BoxKind::Message,
                        u"Az összes mező kitöltése kötelező"},
        PresentationRow{"TypeMismatch", OutcomeKind::ConversionError, u"", BoxKind::ErrorReport,
                        u"Típuseltérés: az ár nem szám."},
        PresentationRow{"Overflow", OutcomeKind::Overflow, u"", BoxKind::ErrorReport,
                        u"Túlcsordulás: az érték kívül esik a számolható tartományon."}),
    // clang-format on
    [](const auto &info) { return std::string(info.param.name); });

// What must hold of any row of the control table, so that a new control is written once,
// in the table, and still held to the window's rules here.
bool Overlap(const Rect &a, const Rect &b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

TEST(Form, ControlsKeepTheWindowsRules)
{
    // The title, the hint's two captions and the copyright line run past the client area's
    // edges, as the window has always had them; everything else stays inside it.
    const std::set<std::string_view> pastTheEdge{"Label7", "Label6", "Label10", "Label11"};
    std::set<int> tabIndices;
    for (const ControlEntry &c : kControls) {
        const Rect &r = c.bounds;
        const bool inside = r.left >= 0 && r.top >= 0 && r.width > 0 && r.height > 0 &&
                            r.left + r.width <= kClientSize.width &&
                            r.top + r.height <= kClientSize.height;
        EXPECT_EQ(inside, !pastTheEdge.contains(c.name)) << c.name;
        EXPECT_TRUE(tabIndices.insert(c.tabIndex).second) << c.name << " repeats a tab index";
        if (TakesFocus(c.kind) && c.kind != ControlKind::PictureButton) {
            const ControlEntry *label = LabelOf(c);
            ASSERT_NE(label, nullptr) << c.name << " has no label";
            EXPECT_EQ(label->kind, ControlKind::Label) << c.name;
        }
        for (const ControlEntry &other : kControls) {
            // The hint's second caption starts one pixel inside the first: the only overlap.
            const bool hint = c.name == "Label6" && other.name == "Label10";
            if (&other > &c) {
                EXPECT_EQ(Overlap(r, other.bounds), hint) << c.name << " and " << other.name;
            }
        }
    }
    EXPECT_EQ(*tabIndices.begin(), 0);
    EXPECT_EQ(*tabIndices.rbegin(), int(kControls.size()) - 1) << "tab indices are not dense";
    const ControlEntry &image = Control("Image1");
    EXPECT_EQ((std::array{image.bounds.width, image.bounds.height}),
              (std::array{kLogoSize.width, kLogoSize.height}));
}

// The tab order is the focusable controls by tab index, Command1 first. Creation makes each
// control once: the focusable ones first, in tab order, each right after its label.
TEST(Form, TabAndCreationOrders)
{
    const auto tab = TabOrder();
    EXPECT_EQ(tab.front(), &Control("Command1"));
    for (std::size_t i = 1; i < tab.size(); ++i)
        EXPECT_LT(tab[i - 1]->tabIndex, tab[i]->tabIndex) << tab[i]->name;
    const auto creation = CreationOrder();
    EXPECT_EQ(std::set(creation.begin(), creation.end()).size(), kControls.size());
    std::vector<const ControlEntry *> focusable;
    for (std::size_t i = 0; i < creation.size(); ++i) {
        if (TakesFocus(creation[i]->kind)) {
            focusable.push_back(creation[i]);
            if (const ControlEntry *label = LabelOf(*creation[i])) {
                EXPECT_EQ(creation[i - 1], label) << creation[i]->name;
            }
        } else if (focusable.size() < tab.size()) {
            // Among the focusable ones, only the label of the next.
            ASSERT_LT(i + 1, creation.size());
            EXPECT_EQ(LabelOf(*creation[i + 1]), creation[i]) << creation[i]->name;
        }
    }
    EXPECT_EQ(focusable, std::vector(tab.begin(), tab.end()));
}

// Worked out by hand from the value and saturation of each face: (128, 128, 255) has value
// 255 and saturation 127; lightened, 331 passes 255 by 76, so saturation 51 and the dim
// channels 255 - 51 = 204; darkened, value 159 and the dim channels 159 - 159 * 127 / 255.
TEST(Form, BevelShadesOfAFace)
{
    const auto shades = [](Rgb face) {
        const Shades s = BevelShades(face);
        return std::array{s.light.red, s.light.green, s.light.blue,
                          s.dark.red,  s.dark.green,  s.dark.blue};
    };
    using Six = std::array<std::uint8_t, 6>;
    EXPECT_EQ(shades(kButtonFaceColour), (Six{204, 204, 255, 80, 80, 159}));
    EXPECT_EQ(shades({192, 192, 192}), (Six{249, 249, 249, 120, 120, 120}));  // grey stays grey
    EXPECT_EQ(shades({255, 0, 0}), (Six{255, 76, 76, 159, 0, 0}));
    EXPECT_EQ(shades({100, 50, 0}), (Six{130, 65, 0, 62, 31, 0}));  // hue kept under full value
    EXPECT_EQ(shades({0, 0, 0}), (Six{0, 0, 0, 0, 0, 0}));
}

// The grey level of the hatch, worked out by hand for one 3 x 3 tile that repeats:
// [y % 3][x % 3]. Grey where (x + y) % 3 is 2, 230 on rows with y % 3 of 0 and 229 on the
// others, white elsewhere: diagonal lines rising to the right.
constexpr int kHatchTile[3][3] = {{255, 255, 230}, {255, 229, 255}, {229, 255, 255}};

// 3 bytes a pixel with padded rows (as a Windows bitmap has them) and 4 bytes a pixel;
// fewer rows than the rule's period of three, and one more.
TEST(Form, FillHatchFollowsThePixelRule)
{
    for (const int bytesPerPixel : {3, 4}) {
        for (const Size size : {Size{7, 1}, Size{7, 2}, Size{5, 4}, Size{112, 34}}) {
            const std::size_t stride = (std::size_t(size.width * bytesPerPixel) + 3) / 4 * 4;
            std::vector<std::uint8_t> pixels(stride * std::size_t(size.height), 7);
            FillHatch(pixels.data(), size, stride, bytesPerPixel);
            for (int y = 0; y < size.height; ++y) {
                for (int x = 0; x < size.width; ++x) {
                    const int expected = kHatchTile[y % 3][x % 3];
                    for (int byte = 0; byte < bytesPerPixel; ++byte)
                        ASSERT_EQ(
                            pixels[std::size_t(y) * stride + std::size_t(x * bytesPerPixel + byte)],
                            expected)
                            << x << "," << y << " at " << bytesPerPixel << " bytes a pixel";
                }
            }
        }
    }
}

// The logo's drawing gives the same bytes on every machine and platform: this test runs on
// Linux, on aarch64 and on Windows, and each picture's digest is pinned here (the committed
// art, which only the Linux build can read back, is the same drawing). A changed drawing
// changes these, and the art with them: redraw it with draw_art.
struct DrawingRow {
    const char *name;
    std::string bytes;
    std::uint64_t digest;  // FNV-1a, 64 bits
};

std::string Bytes(const RgbaPicture &picture)
{
    return std::to_string(picture.size.width) + "x" + std::to_string(picture.size.height) + ":" +
           std::string(picture.pixels.begin(), picture.pixels.end());
}

std::uint64_t Digest(const std::string &bytes)
{
    std::uint64_t hash = 0xcbf29ce484222325;
    for (const char c : bytes)
        hash = (hash ^ std::uint8_t(c)) * 0x100000001b3;
    return hash;
}

void PrintTo(const DrawingRow &row, std::ostream *out) { *out << row.name; }

class DrawingTable : public ::testing::TestWithParam<DrawingRow> {};

TEST_P(DrawingTable, GivesTheSameBytesEverywhere)
{
    EXPECT_EQ(Digest(GetParam().bytes), GetParam().digest)
        << "drawn: 0x" << std::hex << Digest(GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Form, DrawingTable,
    ::testing::Values(DrawingRow{"Logo", Bytes(DrawLogo(1)), 0xfdb0c2a650fe3001},
                      DrawingRow{"LogoAt125", Bytes(DrawLogo(1.25)), 0xabe627156247e3b1},
                      DrawingRow{"LogoAt200", Bytes(DrawLogo(2)), 0x0d6398d406021a6f},
                      DrawingRow{"Icon16", Bytes(DrawIcon(16)), 0x7994a5c6564be9f2},
                      DrawingRow{"Icon64", Bytes(DrawIcon(64)), 0x1ef19ab5ea965b1d},
                      DrawingRow{"Icon256", Bytes(DrawIcon(256)), 0xdaabdbb5fd54e71c},
                      DrawingRow{"Svg", IconSvg(256), 0xc069fded254cf224}),
    [](const auto &info) { return std::string(info.param.name); });

struct GroupingRow {
    const char *name;
    std::u16string windows;  // LOCALE_SGROUPING
    std::string posix;       // localeconv()->grouping; CHAR_MAX is 255 where char is unsigned
    std::u16string sample;   // a browser's 1234567 with "," groups; empty where it has none
    std::vector<unsigned> sizes;
};

void PrintTo(const GroupingRow &row, std::ostream *out) { *out << row.name; }

class GroupingTable : public ::testing::TestWithParam<GroupingRow> {};

TEST_P(GroupingTable, ReadsThePlatformsNotation)
{
    const GroupingRow &row = GetParam();
    EXPECT_EQ(GroupSizesFromWindows(row.windows), row.sizes) << "Windows";
    EXPECT_EQ(GroupSizesFromPosix(row.posix), row.sizes) << "C library";
    if (!row.sample.empty()) {  // braced: the macro ends in an else of its own
        EXPECT_EQ(GroupSizesFromSample(row.sample, u","), row.sizes) << "browser";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Form, GroupingTable,
    ::testing::Values(GroupingRow{"Threes", u"3;0", "\3", u"1,234,567", {3}},
                      GroupingRow{"Fours", u"4;0", "\4", u"123,4567", {4}},
                      GroupingRow{"Indian", u"3;2;0", "\3\2", u"12,34,567", {3, 2}},
                      GroupingRow{"OneGroupOnly", u"3", {'\3', CHAR_MAX}, u"1234,567", {3, 0}},
                      GroupingRow{"None", u"0", {CHAR_MAX}, u"1234567", {0}},
                      GroupingRow{"NothingSaid", u"", "", u"", {3}},
                      GroupingRow{"Malformed", u"3;x", "", u"", {3}}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace levelwise::form
