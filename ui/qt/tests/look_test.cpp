// How the window looks: its controls' places, texts, colours and fonts, its pictures, and
// the button's face, each against the shared table's values.
#include "ink.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <utility>

namespace levelwise {

using test::Colour;
using test::Pixels;
using test::Text;

class WindowLookTest : public test::WindowFixture {
    Q_OBJECT

private slots:
    void controlsHaveTheirPlaceAndText();
    void windowIsFixedWithCloseBoxOnly();
    void textIsInkedInTheTablesColours();
    void fonts();
    void captionsFitTheirBoxes();
    void buttonLooksTheSameUnderADarkPalette();
    void buttonShowsItsBevelFaceAndThePicture();
    void buttonShowsItsFocusFromTheStart();
    void nothingMirrorsUnderARightToLeftLanguage();
    void picturesStaySharpWhenScaled();
    void boxCaptionStandsWholeInQtsTitleBar();
};

// The table's own values are held to the window's description by the form tests; here the
// window must show what the table says.
void WindowLookTest::controlsHaveTheirPlaceAndText()
{
    for (const form::ControlEntry &entry : form::kControls) {
        const QString text = Text(entry.text);
        QWidget *control = Control<QWidget>(entry.name.data());
        const form::Rect &r = entry.bounds;
        QVERIFY2(control->geometry() == QRect(r.left, r.top, r.width, r.height) &&
                     control->isVisible(),
                 entry.name.data());
        if (auto *label = qobject_cast<QLabel *>(control)) {
            QCOMPARE(label->text(), text);
            QVERIFY(entry.kind == form::ControlKind::Picture
                        ? label->pixmap().size() == control->size()
                        : label->wordWrap());
        } else if (auto *field = qobject_cast<QLineEdit *>(control)) {
            QCOMPARE(field->text(), text);
        } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
            QCOMPARE(combo->currentText(), text);
            QVERIFY(combo->isEditable());
            QCOMPARE(combo->count(), int(form::kDirectionItems.size()));
            for (int i = 0; i < combo->count(); ++i)
                QCOMPARE(combo->itemText(i), Text(form::kDirectionItems[std::size_t(i)]));
        } else {
            auto *button = qobject_cast<QPushButton *>(control);
            QVERIFY2(button && button->text() == text, entry.name.data());
        }
    }
}

void WindowLookTest::windowIsFixedWithCloseBoxOnly()
{
    const QSize client(form::kClientSize.width, form::kClientSize.height);
    QCOMPARE(Window().windowTitle(), Text(form::kApplicationTitle));
    QCOMPARE(Window().size(), client);
    QCOMPARE(Window().minimumSize(), Window().maximumSize());
    const Qt::WindowFlags buttons =
        Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
    QCOMPARE(Window().windowFlags() & buttons, Qt::WindowCloseButtonHint);
    // Asked to maximize anyway (a title bar that offers it whatever the window says), or
    // for full screen (a window manager's command), the window keeps its state and size.
    for (const Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
        Window().setWindowState(state);
        // A compositor answers in its own time: wait for the window to be back as it was.
        QTRY_VERIFY(!(Window().windowState() & state) && Window().size() == client &&
                    Window().windowHandle()->size() == client);
    }
}

// The most inked pixel of each text is the table's colour over what it stands on.
void WindowLookTest::textIsInkedInTheTablesColours()
{
    QCOMPARE(Window().palette().color(QPalette::Window), Colour(form::kBackgroundColour));
    Window().setFocus();  // no caret or selection in a field
    const QImage shot = Window().grab().toImage().convertToFormat(QImage::Format_RGB32);
    const std::string wrong = test::TextsNotInked(Pixels(shot), shot.width(), shot.height(), 96);
    QVERIFY2(wrong.empty(), wrong.c_str());
}

void WindowLookTest::fonts()
{
    const QFontInfo title(Control<QLabel>("Label7")->fontInfo());
    QVERIFY(title.bold());
    QCOMPARE(title.pointSize(), form::kTitleFontPoints);
    const QFontInfo dialog(Control<QLabel>("Label2")->fontInfo());
    QCOMPARE(dialog.pointSize(), form::kDialogFontPoints);
    QVERIFY(!dialog.bold());
    // Every font in the window must have real glyphs for the Hungarian letters.
    for (QWidget *widget : Window().findChildren<QWidget *>()) {
        const QFontMetrics metrics(widget->font());
        for (const QChar letter : QStringLiteral("áéíóöőüűÁÉÍÓÖŐÜŰ"))
            QVERIFY2(metrics.inFontUcs4(letter.unicode()),
                     qPrintable(widget->objectName() + QStringLiteral(" lacks ") + letter));
    }
}

// Lays the caption of a label out at the label's width with room to spare, and tells how many
// lines of ink it makes and the lowest row the ink reaches, in logical pixels from the
// label's top however dense the screen.
std::pair<int, double> InkOfCaption(const QLabel &label)
{
    QLabel copy(label.text());
    copy.setFont(label.font());
    copy.setWordWrap(true);
    copy.setAlignment(label.alignment());
    copy.setPalette(QPalette(Qt::black, Qt::white));
    copy.resize(label.width(), 4 * label.height());
    const QImage image = copy.grab().toImage();
    // On a dense screen an accent may stand a device pixel clear of its letter: a line break
    // is a gap of a whole logical pixel.
    const qreal ratio = image.devicePixelRatio();
    int lines = 0, lastInked = -1;
    for (int y = 0; y < image.height(); ++y) {
        bool inked = false;
        for (int x = 0; x < image.width() && !inked; ++x)
            inked = qGray(image.pixel(x, y)) < 200;
        if (inked) {
            lines += lastInked < 0 || y - lastInked - 1 >= ratio ? 1 : 0;
            lastInked = y;
        }
    }
    return {lines, lastInked / ratio};
}

// Every caption on one line in its box but Label5's, wider than its box, which wraps onto a
// second line that still fits.
void WindowLookTest::captionsFitTheirBoxes()
{
    for (const char *name : {"Label2", "Label3", "Label5", "Label6", "Label10", "Label11"}) {
        const auto [lines, lowest] = InkOfCaption(*Control<QLabel>(name));
        QCOMPARE(lines, std::string_view(name) == "Label5" ? 2 : 1);
        QVERIFY2(lowest < Control<QLabel>(name)->height(), name);
    }
}

// The caption is drawn in the same dark ink on the light picture whatever the palette, so
// the button looks the same under a light and a dark desktop theme.
void WindowLookTest::buttonLooksTheSameUnderADarkPalette()
{
    Window().setFocus();  // no focus frame on the button
    const QImage light = Control<QPushButton>("Command1")->grab().toImage();
    const QPalette original = QApplication::palette();
    QPalette dark(QColor(53, 53, 53), QColor(40, 40, 40));
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Text, Qt::white);
    QApplication::setPalette(dark);
    Form1 darkWindow;
    darkWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&darkWindow));
    darkWindow.setFocus();
    const QImage underDark =
        darkWindow.findChild<QPushButton *>(QStringLiteral("Command1"))->grab().toImage();
    QApplication::setPalette(original);
    QCOMPARE(underDark, light);
}

// The bevel's two shades at the edges, the face inside them, then the picture; pressed, the
// shades swap.
void WindowLookTest::buttonShowsItsBevelFaceAndThePicture()
{
    auto *button = Control<QPushButton>("Command1");
    Window().setFocus();
    for (const bool down : {false, true}) {
        button->setDown(down);
        const QImage shot = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(
            test::BevelPixelsWrong(Pixels(shot), 0, shot.width() - 1, shot.height() / 2, 96, down),
            0);
    }
    button->setDown(false);
    const QImage shot = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Left of the caption the picture shows: the hatch's three levels and nothing else (its
    // lines themselves are the form tests' and the scaled window's).
    QSet<QRgb> shown;
    for (int y = 4; y <= 20; ++y) {
        for (int x = 4; x <= 15; ++x)
            shown.insert(shot.pixel(x, y));
    }
    QCOMPARE(shown, (QSet<QRgb>{qRgb(255, 255, 255), qRgb(230, 230, 230), qRgb(229, 229, 229)}));
}

// The button has the focus from the start and shows it then, before any key: a dotted frame
// in the caption's colour along the picture's top row, gone once the focus moves on.
void WindowLookTest::buttonShowsItsFocusFromTheStart()
{
    auto *button = Control<QPushButton>("Command1");
    QVERIFY(button->hasFocus());
    const auto framePixels = [button] {
        const QImage shot = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int inked = 0;
        for (int x = form::kFaceMargin + 1; x < shot.width() - form::kFaceMargin - 1; ++x)
            inked += shot.pixel(x, form::kFaceMargin + 1) == Colour(form::kButtonCaptionColour).rgb();
        return inked;
    };
    const int span = button->width() - 2 * (form::kFaceMargin + 1);
    QVERIFY2(framePixels() >= span / 3, qPrintable(QString::number(framePixels())));
    Control<QLineEdit>("Text1")->setFocus();
    QCOMPARE(framePixels(), 0);
}

// Under a right-to-left language (Qt turns the application's direction, as with -reverse),
// the window keeps the table's layout: the list's arrow on the right, captions from the
// left, and the boxes it opens left to right too.
void WindowLookTest::nothingMirrorsUnderARightToLeftLanguage()
{
    QApplication::setLayoutDirection(Qt::RightToLeft);
    Close();
    QVERIFY(Open());
    auto *combo = Control<QComboBox>("Combo1");
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = true;
    const QRect arrow =
        combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
    QVERIFY2(arrow.center().x() > combo->width() / 2, "the list's arrow on the left");
    auto *label = Control<QLabel>("Label2");
    QVERIFY(QStyle::visualAlignment(label->layoutDirection(), label->alignment()) & Qt::AlignLeft);
    const test::ShownBox box = test::ActAndDismiss(
        [this] { QTest::mouseClick(Control<QPushButton>("Command1"), Qt::LeftButton); });
    QApplication::setLayoutDirection(Qt::LeftToRight);
    QVERIFY(box.read);
    QCOMPARE(box.direction, Qt::LeftToRight);
}

// Run at 1, 1.25, 1.5 and 2 (QT_SCALE_FACTOR): where no control covers the window, and in the
// button's picture, the hatch keeps its three exact levels with no smoothed shades between
// them; the window's is drawn unscaled from the corner at 1 and each of its pixels a whole
// block of device pixels at 2; and the logo is drawn at the screen's density.
void WindowLookTest::picturesStaySharpWhenScaled()
{
    const QImage window = Window().grab().toImage();
    const qreal ratio = window.devicePixelRatio();
    const QSizeF client(form::kClientSize.width, form::kClientSize.height);
    QCOMPARE(window.size(), (client * ratio).toSize());
    QRegion controls;
    for (const QWidget *child : Window().findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        controls += child->geometry().adjusted(-1, -1, 1, 1);
    const QList<QRgb> levels{qRgb(255, 255, 255), qRgb(230, 230, 230), qRgb(229, 229, 229)};
    int smoothed = 0, misplaced = 0;
    for (int y = 0; y < window.height(); ++y) {
        for (int x = 0; x < window.width(); ++x) {
            const QPoint logical(int(x / ratio), int(y / ratio));
            if (controls.contains(logical))
                continue;
            const QRgb pixel = window.pixel(x, y);
            smoothed += !levels.contains(pixel);
            const int level = form::HatchLevel(logical.x(), logical.y());
            if (ratio == 1 || ratio == 2)
                misplaced += pixel != qRgb(level, level, level);
        }
    }
    QCOMPARE(smoothed, 0);
    QCOMPARE(misplaced, 0);
    // So does the button's picture, left of its caption.
    Window().setFocus();  // no focus frame over the picture
    const QImage button = Control<QPushButton>("Command1")->grab().toImage();
    int smoothedInButton = 0;
    for (int y = int(4 * ratio); y < int(20 * ratio); ++y) {
        for (int x = int(4 * ratio); x < int(15 * ratio); ++x)
            smoothedInButton += !levels.contains(button.pixel(x, y));
    }
    QCOMPARE(smoothedInButton, 0);
    // Its bevel as wide on every side, in whole pixels of the screen: counted inwards from each
    // edge at its middle, the pixels of the edge's shade.
    const form::Shades shades = form::BevelShades(form::kButtonFaceColour);
    const QRgb light = qRgb(shades.light.red, shades.light.green, shades.light.blue);
    const QRgb dark = qRgb(shades.dark.red, shades.dark.green, shades.dark.blue);
    const auto run = [&](QPoint from, QPoint step, QRgb shade) {
        int count = 0;
        for (QPoint at = from; button.rect().contains(at) && button.pixel(at) == shade; at += step)
            ++count;
        return count;
    };
    const int midX = button.width() / 2, midY = button.height() / 2;
    const QList<int> widths{run({midX, 0}, {0, 1}, light), run({0, midY}, {1, 0}, light),
                            run({midX, button.height() - 1}, {0, -1}, dark),
                            run({button.width() - 1, midY}, {-1, 0}, dark)};
    QCOMPARE(widths, QList<int>(4, qRound(form::kBevelWidth * ratio)));

    const QPixmap logo = Control<QLabel>("Image1")->pixmap();
    QCOMPARE(logo.devicePixelRatio(), ratio);
    QCOMPARE(logo.size(), (QSizeF(form::kLogoSize.width, form::kLogoSize.height) * ratio).toSize());
}

// The columns of a band of an image that hold ink: pixels off the band's commonest colour.
QList<int> InkedColumns(const QImage &image, const QRect &band)
{
    QHash<QRgb, int> counts;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            ++counts[image.pixel(x, y)];
    const QRgb background = std::max_element(counts.begin(), counts.end()).key();
    QList<int> columns;
    for (int x = band.left(); x <= band.right(); ++x) {
        for (int y = band.top(); y <= band.bottom(); ++y) {
            if (std::abs(qGray(image.pixel(x, y)) - qGray(background)) > 20) {
                columns << x;
                break;
            }
        }
    }
    return columns;
}

// Where Qt draws the title bar (Wayland), the box's caption stands whole left of the bar's
// three buttons: in a picture of the screen (weston-screenshooter), the title's ink is as wide
// as "Levelwise" drawn in the bar's font, not cut to "Levelwi".
// Where a box's client area stands in a picture of the screen, (-1, -1) if nowhere: where the
// dark ink of the two most inked rows of its text stands (its colours may be a shade off on
// the screen, the button's focus drawn or not).
QPoint FindInPicture(const QImage &screen, const QImage &client, const QRect &text)
{
    const auto dark = [](QRgb pixel) { return qGray(pixel) < 128; };
    std::vector<std::pair<int, int>> inkPerRow;
    for (int y = text.top(); y <= text.bottom(); ++y) {
        int count = 0;
        for (int x = text.left(); x <= text.right(); ++x)
            count += dark(client.pixel(x, y)) ? 1 : 0;
        inkPerRow.push_back({count, y});
    }
    std::sort(inkPerRow.rbegin(), inkPerRow.rend());
    if (inkPerRow.size() < 2)
        return {-1, -1};
    // The edges of letters may fall either side of the line (drawn active or inactive): a
    // quarter of the ink may differ, where an empty or other row would differ in all of it.
    const int allowed = inkPerRow[1].first / 4;
    const auto rowsMatch = [&](int row, int x, int y) {
        int differing = 0;
        for (int i = text.left(); i <= text.right() && differing <= allowed; ++i)
            differing += dark(client.pixel(i, row)) != dark(screen.pixel(x + i, y + row));
        return differing <= allowed;
    };
    for (int y = 0; y + client.height() <= screen.height(); ++y) {
        for (int x = 0; x + client.width() <= screen.width(); ++x) {
            if (rowsMatch(inkPerRow[0].second, x, y) && rowsMatch(inkPerRow[1].second, x, y))
                return {x, y};
        }
    }
    return {-1, -1};
}

void WindowLookTest::boxCaptionStandsWholeInQtsTitleBar()
{
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        QSKIP("Qt draws title bars on Wayland alone (window_look_test_wayland)");
    QTemporaryDir dir;
    QImage screen, client;
    QMargins frame;
    QRect text;  // the box's text, in the box
    QPoint at(-1, -1);
    QDeadlineTimer deadline(30000);
    // Inside the box's own loop: pictures of the screen until the compositor shows the box (a
    // moment later on a busy machine), for 30 s at most.
    std::function<void()> shoot = [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, qApp, shoot);
            return;
        }
        client = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
            text = label->geometry();
        frame = box->windowHandle()->frameMargins();
        QProcess shooter;
        shooter.setWorkingDirectory(dir.path());
        shooter.start(QStringLiteral("weston-screenshooter"), {});
        shooter.waitForFinished(30000);
        for (const QString &shot : QDir(dir.path()).entryList({QStringLiteral("*.png")})) {
            screen = QImage(dir.filePath(shot)).convertToFormat(QImage::Format_RGB32);
            QFile::remove(dir.filePath(shot));
        }
        if (!screen.isNull() && !text.isEmpty())
            at = FindInPicture(screen, client, text);
        if (at.x() < 0 && !deadline.hasExpired())
            QTimer::singleShot(50, qApp, shoot);
        else
            box->done(0);
    };
    QTimer::singleShot(0, qApp, shoot);
    QTest::mouseClick(Control<QPushButton>("Command1"), Qt::LeftButton);
    QVERIFY2(!screen.isNull() && !client.isNull(), "no picture of the screen");
    QVERIFY2(!text.isEmpty(), "no text in the box");
    QVERIFY2(at.x() >= 0 && frame.top() > 8, "the box is not in the pictures of 30 s");
    const QRect bar(at.x(), at.y() - frame.top() + 4, client.width(), frame.top() - 8);
    // Runs of inked columns a letter's gap apart: the caption, then each of the bar's buttons
    // (as many as this Qt draws), which stand wider apart.
    const QList<int> inked = InkedColumns(screen, bar);
    QList<std::pair<int, int>> runs;
    for (const int x : inked) {
        if (!runs.isEmpty() && x - runs.back().second <= 6)
            runs.back().second = x;
        else
            runs.append({x, x});
    }
    QVERIFY2(runs.size() >= 2, "no caption and close button in the title bar");
    const int shown = runs.front().second - runs.front().first + 1;

    // The caption drawn whole in the bar's font, 14 px of the application's.
    QFont font = QGuiApplication::font();
    font.setPixelSize(14);
    QImage whole(bar.width(), 40, QImage::Format_RGB32);
    whole.fill(Qt::white);
    QPainter painter(&whole);
    painter.setFont(font);
    painter.setPen(Qt::gray);
    painter.drawText(4, 28, Text(form::kApplicationTitle));
    painter.end();
    const QList<int> drawn = InkedColumns(whole, whole.rect());
    const int full = drawn.back() - drawn.front() + 1;
    QVERIFY2(std::abs(shown - full) <= 3,
             qPrintable(QStringLiteral("caption %1 px wide of %2").arg(shown).arg(full)));
}

}  // namespace levelwise

QTEST_MAIN(levelwise::WindowLookTest)
#include "look_test.moc"
