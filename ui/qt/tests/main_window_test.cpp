// The window through its real widgets, headless: what a user sees, types and clicks.
#include "form1.h"
#include "hatch_tile.h"
#include "main_window.h"
#include "modal_box.h"
#include "pictures.h"

#include "platform_texts.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <clocale>
#include <utility>
#include <memory>

namespace levelwise {
namespace {

using test::ActAndDismiss;
using test::ShownBox;

const QString kReportDefaults = QStringLiteral(
    "38.2%-os korrekciós szint: 15669\n50.0%-os korrekciós szint: 15660\n"
    "61.8%-os korrekciós szint: 15651");

bool IsHatchPixel(QRgb pixel, int x, int y)
{
    const int level = test::kHatchTile[y % 3][x % 3];
    return pixel == qRgb(level, level, level);
}

bool PlatformActivatesWindows()
{
    return QGuiApplication::platformName() != QLatin1String("wayland");
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void controlsHaveTheirPlaceAndText_data();
    void controlsHaveTheirPlaceAndText();
    void windowIsFixedWithCloseBoxOnly();
    void coloursAndFonts();
    void captionsFitTheirBoxes();
    void focusStartsOnTheButtonAndTabsInOrder();

    void clickShowsTheOutcome_data();
    void clickShowsTheOutcome();
    void spaceAndEnterOnTheButtonCalculate_data();
    void spaceAndEnterOnTheButtonCalculate();
    void typedLowerCaseDirectionStaysLowerCase();
    void pricesFollowTheSystemNumberSettings();
    void emptyFieldLeavesTheWindowUnchanged();
    void failureKeepsTheWindowOpenAndTheFieldsUnchanged_data();
    void failureKeepsTheWindowOpenAndTheFieldsUnchanged();

    void priceFieldsTakeElevenCharacters_data();
    void priceFieldsTakeElevenCharacters();
    void enterInAFieldAndEscapeDoNothing_data();
    void enterInAFieldAndEscapeDoNothing();
    void closingTheWindowEndsTheProgram();
    void screenReadersNameEachControl_data();
    void screenReadersNameEachControl();
    void buttonLooksTheSameUnderADarkPalette();
    void platformTextsFollowTheLocale();

    void picturesFollowTheHatchRule_data();
    void picturesFollowTheHatchRule();
    void backgroundIsDrawnUnscaledFromTheCorner();
    void buttonShowsItsFaceAndThePicture();
    void picturesStaySharpWhenScaled();

private:
    template <typename T> T *Control(const char *name)
    {
        T *control = m_window->findChild<T *>(QString::fromLatin1(name));
        if (!control)
            qFatal("no control %s", name);
        return control;
    }
    ShownBox Click() { return ActAndDismiss([this] { QTest::mouseClick(Control<QPushButton>("Command1"), Qt::LeftButton); }); }
    void Retype(QWidget *field, const QString &text)
    {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }

    std::unique_ptr<Form1> m_window;
};

// Some desktop styles put icons on dialog buttons (a tick on OK); the tests run under such a
// style, so a box that kept them would show it.
class ButtonsWithIconsStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returned) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

void MainWindowTest::initTestCase() { QApplication::setStyle(new ButtonsWithIconsStyle); }

void MainWindowTest::init()
{
    m_window = std::make_unique<Form1>();
    m_window->show();
    m_window->activateWindow();
    // Wayland leaves activation to the compositor; there the window is shown, not activated.
    if (PlatformActivatesWindows())
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    else
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void MainWindowTest::cleanup() { m_window.reset(); }

void MainWindowTest::controlsHaveTheirPlaceAndText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    // The table's own values are held to the window's description by the form tests; here
    // the window must show what the table says.
    for (const form::ControlEntry &entry : form::kControls) {
        const QString name = QString::fromLatin1(entry.name.data(), qsizetype(entry.name.size()));
        const form::Rect &r = entry.bounds;
        QTest::newRow(entry.name.data()) << name << QRect(r.left, r.top, r.width, r.height)
                                         << QString::fromUtf16(entry.text.data(), entry.text.size());
    }
}

void MainWindowTest::controlsHaveTheirPlaceAndText()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QWidget *control = m_window->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    QVERIFY(control->isVisible());
    if (auto *label = qobject_cast<QLabel *>(control)) {
        QCOMPARE(label->text(), text);
        if (name == "Image1")
            QCOMPARE(label->pixmap().size(), geometry.size());
        else
            QVERIFY(label->wordWrap());
    } else if (auto *field = qobject_cast<QLineEdit *>(control)) {
        QCOMPARE(field->text(), text);
    } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
        QCOMPARE(combo->currentText(), text);
        QVERIFY(combo->isEditable());
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), QStringLiteral("Long"));
        QCOMPARE(combo->itemText(1), QStringLiteral("Short"));
    } else if (auto *button = qobject_cast<QPushButton *>(control)) {
        QCOMPARE(button->text(), text);
    } else {
        QFAIL("unexpected kind of control");
    }
}

void MainWindowTest::windowIsFixedWithCloseBoxOnly()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Levelwise"));
    QCOMPARE(m_window->size(), QSize(391, 276));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    const Qt::WindowFlags flags = m_window->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    // Asked to maximize anyway (a title bar that offers it whatever the window says), the
    // window keeps its state and size.
    m_window->setWindowState(Qt::WindowMaximized);
    // A compositor answers in its own time: wait for the window to be back as it was.
    QTRY_VERIFY(!m_window->isMaximized() && m_window->size() == QSize(391, 276) &&
                m_window->windowHandle()->size() == QSize(391, 276));
}

void MainWindowTest::coloursAndFonts()
{
    const QColor text(128, 128, 255);
    for (const char *name : {"Label2", "Label3", "Label5", "Label6", "Label7", "Label10", "Label11"})
        QCOMPARE(Control<QLabel>(name)->palette().color(QPalette::WindowText), text);
    QCOMPARE(Control<QLineEdit>("Text1")->palette().color(QPalette::Text), text);
    QCOMPARE(Control<QLineEdit>("Text2")->palette().color(QPalette::Text), text);
    QCOMPARE(Control<QComboBox>("Combo1")->lineEdit()->palette().color(QPalette::Text), text);
    QCOMPARE(Control<QPushButton>("Command1")->palette().color(QPalette::Button), QColor(128, 128, 255));
    QCOMPARE(m_window->palette().color(QPalette::Window), QColor(81, 133, 201));

    const QFontInfo title(Control<QLabel>("Label7")->fontInfo());
    QVERIFY(title.bold());
    QCOMPARE(title.pointSize(), 12);
    const QFontInfo dialog(Control<QLabel>("Label2")->fontInfo());
    QCOMPARE(dialog.pointSize(), 8);
    QVERIFY(!dialog.bold());
    // Every font in the window must have real glyphs for the Hungarian letters.
    for (QWidget *widget : m_window->findChildren<QWidget *>()) {
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
    double lowest = -1;
    for (int y = 0; y < image.height(); ++y) {
        bool inked = false;
        for (int x = 0; x < image.width() && !inked; ++x)
            inked = qGray(image.pixel(x, y)) < 200;
        if (inked) {
            lines += lastInked < 0 || y - lastInked - 1 >= ratio ? 1 : 0;
            lastInked = y;
            lowest = y / ratio;
        }
    }
    return {lines, lowest};
}

void MainWindowTest::captionsFitTheirBoxes()
{
    for (const char *name : {"Label2", "Label3", "Label6", "Label10", "Label11"}) {
        const auto [lines, lowest] = InkOfCaption(*Control<QLabel>(name));
        QVERIFY2(lines == 1, name);
        QVERIFY2(lowest < Control<QLabel>(name)->height(), name);
    }
    // The caption of Label5 is wider than its box and wraps onto a second line, which fits.
    const auto [lines, lowest] = InkOfCaption(*Control<QLabel>("Label5"));
    QCOMPARE(lines, 2);
    QVERIFY(lowest < Control<QLabel>("Label5")->height());
}

void MainWindowTest::focusStartsOnTheButtonAndTabsInOrder()
{
    QCOMPARE(QApplication::focusWidget(), Control<QWidget>("Command1"));
    const char *order[] = {"Text1", "Text2", "Combo1", "Command1", "Text1"};
    for (const char *name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
    }
}

void MainWindowTest::clickShowsTheOutcome_data()
{
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::addColumn<int>("downPresses");  // picks from the list by keyboard
    QTest::addColumn<QString>("expected");
    QTest::newRow("defaults") << "15620" << "15700" << 0 << kReportDefaults;
    QTest::newRow("Short picked") << "15620" << "15700" << 1
                                  << "38.2%-os korrekciós szint: 15651\n50.0%-os korrekciós "
                                     "szint: 15660\n61.8%-os korrekciós szint: 15669";
    // The arithmetic itself (ties, rounding) is the core's tables'; here the window must carry
    // typed texts and the list's pick to the core, and the answer back.
    QTest::newRow("lowest above highest, typed") << "15700" << "15620" << 0
                                                 << "38.2%-os korrekciós szint: 15651\n50.0%-os "
                                                    "korrekciós szint: 15660\n61.8%-os korrekciós "
                                                    "szint: 15669";
}

void MainWindowTest::clickShowsTheOutcome()
{
    QFETCH(QString, low);
    QFETCH(QString, high);
    QFETCH(int, downPresses);
    QFETCH(QString, expected);
    auto *text1 = Control<QLineEdit>("Text1");
    auto *text2 = Control<QLineEdit>("Text2");
    if (text1->text() != low)
        Retype(text1, low);
    if (text2->text() != high)
        Retype(text2, high);
    auto *combo = Control<QComboBox>("Combo1");
    for (int i = 0; i < downPresses; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
    const ShownBox box = Click();
    QVERIFY(box.shown);
    QCOMPARE(box.title, QStringLiteral("Levelwise"));
    QCOMPARE(box.text, expected);
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttonCount, 1);
    QVERIFY(!box.buttonHasIcon);
    QCOMPARE(box.leftMargin, box.rightMargin);
    const QString rule = QStringLiteral("---------------------------\n");
    QCOMPARE(box.copied, rule + QStringLiteral("Levelwise\n") + rule + expected +
                             QStringLiteral("\n") + rule + QStringLiteral("OK\n") + rule);
    QVERIFY(m_window->isVisible());
}

void MainWindowTest::spaceAndEnterOnTheButtonCalculate_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
}

// Right after start the focus is on Command1, so one key calculates with the initial texts.
void MainWindowTest::spaceAndEnterOnTheButtonCalculate()
{
    QFETCH(int, key);
    const ShownBox box =
        ActAndDismiss([&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)); });
    QVERIFY(box.shown);
    QCOMPARE(box.text, kReportDefaults);
}

void MainWindowTest::typedLowerCaseDirectionStaysLowerCase()
{
    auto *combo = Control<QComboBox>("Combo1");
    Retype(combo, QStringLiteral("long"));
    QTest::keyClick(combo, Qt::Key_Return);
    QCOMPARE(combo->currentText(), QStringLiteral("long"));
    QCOMPARE(combo->count(), 2);  // Enter added nothing to the list
    const ShownBox box = Click();
    QVERIFY(box.shown);
    QCOMPARE(box.text, QStringLiteral("38.2%-os korrekciós szint: \n50.0%-os korrekciós szint: "
                                      "\n61.8%-os korrekciós szint: "));
    QCOMPARE(combo->currentText(), QStringLiteral("long"));
}

// Run once more under Hungarian and German settings (see the CMake file): a price written
// with the system's own grouping and decimal separator is read as the user meant it.
void MainWindowTest::pricesFollowTheSystemNumberSettings()
{
    const QLocale system = QLocale::system();
    // Run under a locale, the C library must really have it (a missing locale leaves it in
    // "C" while Qt still takes the name from the environment), and Qt must agree.
    const QByteArray wanted = qgetenv("LC_ALL");
    if (!wanted.isEmpty() && wanted != "C") {
        QCOMPARE(QByteArray(std::setlocale(LC_NUMERIC, nullptr)), wanted);
        QCOMPARE(system.name(), QString::fromLatin1(wanted.left(wanted.indexOf('.'))));
    }
    Retype(Control<QLineEdit>("Text1"), system.toString(15620.0, 'f', 1));
    Retype(Control<QLineEdit>("Text2"), system.toString(15700));
    const ShownBox box = Click();
    QVERIFY(box.shown);
    QVERIFY2(box.text == kReportDefaults,
             qPrintable(system.name() + QStringLiteral(": ") + box.text));
}

void MainWindowTest::emptyFieldLeavesTheWindowUnchanged()
{
    auto *text1 = Control<QLineEdit>("Text1");
    Retype(text1, QString());
    const ShownBox box = Click();
    QVERIFY(box.shown);
    QCOMPARE(box.text, QStringLiteral("Az összes mező kitöltése kötelező"));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttonCount, 1);
    QVERIFY(m_window->isVisible());
    QCOMPARE(text1->text(), QString());
    QCOMPARE(Control<QLineEdit>("Text2")->text(), QStringLiteral("15700"));
    QCOMPARE(Control<QComboBox>("Combo1")->currentText(), QStringLiteral("Long"));
}

void MainWindowTest::failureKeepsTheWindowOpenAndTheFieldsUnchanged_data()
{
    QTest::addColumn<QString>("high");
    QTest::addColumn<QString>("expected");
    QTest::newRow("letter") << "15700x" << "Típuseltérés: az ár nem szám.";
    QTest::newRow("beyond range")
        << "1E+400" << "Túlcsordulás: az érték kívül esik a számolható tartományon.";
}

void MainWindowTest::failureKeepsTheWindowOpenAndTheFieldsUnchanged()
{
    QFETCH(QString, high);
    QFETCH(QString, expected);
    QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);
    auto *text2 = Control<QLineEdit>("Text2");
    Retype(text2, high);
    const ShownBox box = Click();
    QVERIFY(box.shown);
    QCOMPARE(box.title, QStringLiteral("Levelwise"));
    QCOMPARE(box.text, expected);
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(box.buttonCount, 1);
    QVERIFY(m_window->isVisible());
    QCOMPARE(lastWindowClosed.count(), 0);
    QCOMPARE(text2->text(), high);
    QCOMPARE(Control<QLineEdit>("Text1")->text(), QStringLiteral("15620"));
    // Ready for the next click once the price is mended.
    Retype(text2, QStringLiteral("15700"));
    QCOMPARE(Click().text, kReportDefaults);
}

void MainWindowTest::priceFieldsTakeElevenCharacters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("paste");
    QTest::newRow("Text1 typed") << "Text1" << false;
    QTest::newRow("Text1 pasted") << "Text1" << true;
    QTest::newRow("Text2 typed") << "Text2" << false;
    QTest::newRow("Text2 pasted") << "Text2" << true;
}

void MainWindowTest::priceFieldsTakeElevenCharacters()
{
    QFETCH(QString, name);
    QFETCH(bool, paste);
    auto *field = Control<QLineEdit>(qPrintable(name));
    const QString fifteen = QStringLiteral("123456789012345");
    if (paste) {
        QGuiApplication::clipboard()->setText(fifteen);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    } else {
        Retype(field, fifteen);
    }
    QCOMPARE(field->text(), QStringLiteral("12345678901"));
}

void MainWindowTest::enterInAFieldAndEscapeDoNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");
    QTest::newRow("Enter in Text1") << "Text1" << int(Qt::Key_Return);
    QTest::newRow("Enter in Text2") << "Text2" << int(Qt::Key_Enter);
    QTest::newRow("Enter in Combo1") << "Combo1" << int(Qt::Key_Return);
    QTest::newRow("Escape in Text1") << "Text1" << int(Qt::Key_Escape);
    QTest::newRow("Escape on Command1") << "Command1" << int(Qt::Key_Escape);
}

void MainWindowTest::enterInAFieldAndEscapeDoNothing()
{
    QFETCH(QString, name);
    QFETCH(int, key);
    QWidget *control = Control<QWidget>(qPrintable(name));
    control->setFocus();
    const ShownBox box = ActAndDismiss([&] { QTest::keyClick(control, Qt::Key(key)); });
    QVERIFY(!box.shown);
    QVERIFY(m_window->isVisible());
    QCOMPARE(Control<QLineEdit>("Text1")->text(), QStringLiteral("15620"));
    QCOMPARE(Control<QComboBox>("Combo1")->currentText(), QStringLiteral("Long"));
}

// The event loop ends, with status 0, once the window is closed.
void MainWindowTest::closingTheWindowEndsTheProgram()
{
    QTimer::singleShot(0, m_window.get(), [this] { m_window->close(); });
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });  // would hang otherwise
    QCOMPARE(QApplication::exec(), 0);
}

void MainWindowTest::screenReadersNameEachControl_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("labelledBy");
    const auto field = [](const char *control, QAccessible::Role role, const char *name,
                          const char *label) {
        QTest::newRow(control) << QString::fromLatin1(control) << int(role)
                               << QString::fromUtf8(name) << QString::fromLatin1(label);
    };
    field("Text1", QAccessible::EditableText, "Legalacsonyabb érték:", "Label2");
    field("Text2", QAccessible::EditableText, "Legmagasabb érték:", "Label3");
    field("Combo1", QAccessible::ComboBox, "Korrekció előtti trend iránya:", "Label5");
    field("Image1", QAccessible::Graphic, "A Levelwise emblémája", "");
    field("Command1", QAccessible::Button, "Számol", "");
    field("Form1", QAccessible::Window, "Levelwise", "");
}

void MainWindowTest::screenReadersNameEachControl()
{
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, labelledBy);
    QWidget *widget = control == QLatin1String("Form1")
                          ? m_window.get()
                          : m_window->findChild<QWidget *>(control);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    QCOMPARE(int(accessible->role()), role);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    QStringList labels;
    for (const auto &[other, relation] : accessible->relations(QAccessible::Label))
        labels << other->object()->objectName();
    QCOMPARE(labels.join(QLatin1Char(',')), labelledBy);
}

// The caption is drawn in the same dark ink on the light picture whatever the palette, so
// the button looks the same under a light and a dark desktop theme.
void MainWindowTest::buttonLooksTheSameUnderADarkPalette()
{
    m_window->setFocus();  // no focus frame on the button
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
    const QImage underDark = darkWindow.findChild<QPushButton *>(QStringLiteral("Command1"))
                                 ->grab().toImage();
    QApplication::setPalette(original);
    QCOMPARE(underDark, light);
    // Black ink: on the neutral picture inside the face's frame every inked pixel stays a
    // neutral grey (a dark blue caption would tint them).
    int inked = 0, tinted = 0;
    const QRect inside = light.rect().adjusted(3, 3, -4, -4);
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb pixel = light.pixel(x, y);
            if (qGray(pixel) >= 128)
                continue;
            ++inked;
            tinted += qRed(pixel) != qBlue(pixel) || qGreen(pixel) != qBlue(pixel);
        }
    }
    QVERIFY2(inked > 20 && tinted == 0,
             qPrintable(QStringLiteral("%1 inked, %2 tinted").arg(inked).arg(tinted)));
}

// Qt's own texts, such as a field's context menu, in the user's language: English in the C
// locale, Hungarian under hu_HU.
void MainWindowTest::platformTextsFollowTheLocale()
{
    LoadPlatformTexts();
    std::unique_ptr<QMenu> menu(Control<QLineEdit>("Text1")->createStandardContextMenu());
    QStringList texts;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator())
            texts << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    // The first entry, Undo, in each language the test runs under.
    const QHash<QString, QString> undo{{QStringLiteral("C"), QStringLiteral("Undo")},
                                       {QStringLiteral("en"), QStringLiteral("Undo")},
                                       {QStringLiteral("hu"), QStringLiteral("Visszavonás")},
                                       {QStringLiteral("de"), QStringLiteral("Rückgängig")}};
    const QString language = QLocale::system().name().section(QLatin1Char('_'), 0, 0);
    QVERIFY2(undo.contains(language), qPrintable(language));
    QCOMPARE(texts.value(0), undo.value(language));
}

void MainWindowTest::picturesFollowTheHatchRule_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("background") << QSize(399, 289);
    QTest::newRow("button") << QSize(112, 34);
    // Fewer rows than the pattern's period of three, and just one more than it.
    QTest::newRow("one row") << QSize(7, 1);
    QTest::newRow("two rows") << QSize(7, 2);
    QTest::newRow("four rows") << QSize(5, 4);
}

void MainWindowTest::picturesFollowTheHatchRule()
{
    QFETCH(QSize, size);
    const QImage picture = HatchPicture(size);
    QCOMPARE(picture.size(), size);
    QCOMPARE(picture.depth(), 24);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if (!IsHatchPixel(picture.pixel(x, y), x, y))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    }
}

// Where no control covers the window, the rendered pixels are the picture's own.
void MainWindowTest::backgroundIsDrawnUnscaledFromTheCorner()
{
    const QImage shot = m_window->grab().toImage();
    QCOMPARE(shot.size(), QSize(391, 276));
    const QRect bare[] = {{0, 0, 120, 60}, {0, 220, 230, 30}, {210, 120, 30, 60}, {386, 0, 5, 276}};
    for (const QRect &area : bare) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (!IsHatchPixel(shot.pixel(x, y), x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        }
    }
}

void MainWindowTest::buttonShowsItsFaceAndThePicture()
{
    auto *button = Control<QPushButton>("Command1");
    const QImage shot = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The face colour frames the picture.
    QCOMPARE(QColor(shot.pixel(2, 12)), QColor(128, 128, 255));
    QCOMPARE(QColor(shot.pixel(86, 12)), QColor(128, 128, 255));
    // Left of the caption the picture shows: diagonal lines three pixels apart, one pixel
    // in three grey along each row.
    int grey = 0;
    for (int y = 4; y <= 20; ++y) {
        for (int x = 4; x <= 15; ++x) {
            const QRgb pixel = shot.pixel(x, y);
            QVERIFY(pixel == qRgb(255, 255, 255) || pixel == qRgb(230, 230, 230) ||
                    pixel == qRgb(229, 229, 229));
            QCOMPARE(qRed(shot.pixel(x + 1, y - 1)) == 255, qRed(pixel) == 255);
            grey += qRed(pixel) != 255 ? 1 : 0;
        }
    }
    QCOMPARE(grey, 17 * 4);
}

// Run at 1, 1.25, 1.5 and 2 (QT_SCALE_FACTOR): the hatch keeps its three exact levels, each
// of its pixels a whole block of device pixels at 2, with no smoothed shades between them,
// and the logo is drawn at the screen's density.
void MainWindowTest::picturesStaySharpWhenScaled()
{
    const QImage window = m_window->grab().toImage();
    const qreal ratio = window.devicePixelRatio();
    QCOMPARE(window.size(), (QSizeF(391, 276) * ratio).toSize());
    QRegion controls;
    for (const QWidget *child : m_window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
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
            if (ratio == 2)
                misplaced += !IsHatchPixel(pixel, logical.x(), logical.y());
        }
    }
    QCOMPARE(smoothed, 0);
    QCOMPARE(misplaced, 0);

    const QPixmap logo = Control<QLabel>("Image1")->pixmap();
    QCOMPARE(logo.devicePixelRatio(), ratio);
    QCOMPARE(logo.size(), (QSizeF(145, 110) * ratio).toSize());
}

}  // namespace levelwise

QTEST_MAIN(levelwise::MainWindowTest)
#include "main_window_test.moc"
