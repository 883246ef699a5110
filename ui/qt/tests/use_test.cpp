// Using the window: the shared scenarios typed, chosen, clicked and keyed in, each box read
// and dismissed as a user does, and the keyboard, the fields' limits, the platform's own texts
// and a thousand clicks. What a screen reader is told is read over AT-SPI (tests/accessibility).
#include "platform_texts.h"
#include "window_fixture.h"
#include "window_scenarios.h"

#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QKeyEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();  // from the ASan runtime
#else
#include <malloc.h>
#endif

namespace levelwise {
namespace {

using test::ActAndDismiss;
using test::ShownBox;
using test::Text;

// The language whose number settings the system has, as the scenarios name it; the C locale
// writes numbers as American English does.
QString SystemSettings()
{
    const QString name = QLocale::system().name();
    return name == QLatin1String("C") ? QStringLiteral("en-US")
                                      : QString(name).replace(QLatin1Char('_'), QLatin1Char('-'));
}

std::size_t HeapInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

std::vector<Qt::Key> QtKeys(form::Key key)
{
    switch (key) {
    case form::Key::Enter: return {Qt::Key_Return, Qt::Key_Enter};  // the main and the keypad's
    case form::Key::Space: return {Qt::Key_Space};
    case form::Key::Escape: return {Qt::Key_Escape};
    default: return {};
    }
}

}  // namespace

class WindowUseTest : public test::WindowFixture {
    Q_OBJECT

private slots:
    void scenarios_data();
    void scenarios();
    void focusStartsOnTheButtonAndTabsInOrder();
    void priceFieldsTakeElevenCharacters();
    void aHeldEnterLeavesTheBoxOpen();
    void closingTheWindowEndsTheProgram();
    void platformTextsFollowTheLocale();
    void aThousandMixedClicks();

private:
    ShownBox Click()
    {
        return ActAndDismiss(
            [this] { QTest::mouseClick(Control<QPushButton>("Command1"), Qt::LeftButton); });
    }
    void CheckBox(const ShownBox &box, const test::WindowScenario &row);
};

// The rows for the system's number settings (run once more under hu_HU, de_DE, de_CH and
// fr_FR, see the CMake file), and those for any.
void WindowUseTest::scenarios_data()
{
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < test::kWindowScenarios.size(); ++i) {
        const test::WindowScenario &row = test::kWindowScenarios[i];
        if (!*row.settings || SystemSettings() == QLatin1String(row.settings))
            QTest::newRow(row.name) << int(i);
    }
}

void WindowUseTest::CheckBox(const ShownBox &box, const test::WindowScenario &row)
{
    QCOMPARE(box.shown, row.shown != test::Shown::Nothing);
    if (!box.shown)
        return;
    QCOMPARE(box.title, Text(form::kApplicationTitle));
    QCOMPARE(box.text, Text(row.text));
    QCOMPARE(box.icon,
             row.shown == test::Shown::ErrorReport ? QMessageBox::Warning : QMessageBox::NoIcon);
    QCOMPARE(box.buttonCount, 1);
    QVERIFY(!box.buttonHasIcon);
    // In the window's font, whatever font the desktop gives message boxes.
    QCOMPARE(box.font.pointSize(), form::kDialogFontPoints);
    QCOMPARE(box.font.families().value(0), Text(form::kDialogFontFamilies[0]));
    // No indent for an icon that is not there: the text has the same margin on both sides,
    // to the pixel its width is rounded to.
    if (row.shown == test::Shown::Message)
        QVERIFY2(std::abs(box.leftMargin - box.rightMargin) <= 1,
                 qPrintable(QStringLiteral("%1 and %2").arg(box.leftMargin).arg(box.rightMargin)));
    // Ctrl+C copies the box as Windows' boxes copy theirs.
    const QString rule = QStringLiteral("---------------------------\n");
    QCOMPARE(box.copied, rule + box.title + QLatin1Char('\n') + rule + box.text +
                             QLatin1Char('\n') + rule + QStringLiteral("OK\n") + rule);
}

void WindowUseTest::scenarios()
{
    QFETCH(int, index);
    const test::WindowScenario &row = test::kWindowScenarios[std::size_t(index)];
    QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);
    auto *text1 = Control<QLineEdit>("Text1");
    auto *text2 = Control<QLineEdit>("Text2");
    auto *combo = Control<QComboBox>("Combo1");
    for (const auto &[field, typed] :
         {std::pair{text1, Text(row.low)}, std::pair{text2, Text(row.high)}}) {
        if (field->text() != typed)
            Retype(field, typed);
    }
    if (row.downPresses) {
        for (int i = 0; i < row.downPresses; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
    } else if (combo->currentText() != Text(row.direction)) {
        Retype(combo, Text(row.direction));
    }
    QCOMPARE(combo->currentText(), Text(row.direction));

    if (!*row.control) {
        CheckBox(Click(), row);
    } else {
        QWidget *control = Control<QWidget>(row.control);
        for (const Qt::Key key : QtKeys(row.key)) {
            control->setFocus();
            CheckBox(ActAndDismiss([&] { QTest::keyClick(control, key); }), row);
        }
    }
    // The window stays, the fields as they were typed, the list with its items alone.
    QVERIFY(Window().isVisible());
    QCOMPARE(lastWindowClosed.count(), 0);
    QCOMPARE(text1->text(), Text(row.low));
    QCOMPARE(text2->text(), Text(row.high));
    QCOMPARE(combo->currentText(), Text(row.direction));
    QCOMPARE(combo->count(), int(form::kDirectionItems.size()));
    // After an error report, the next click calculates once the prices are mended.
    if (row.shown == test::Shown::ErrorReport) {
        Retype(text1, Text(form::Control("Text1").text));
        Retype(text2, Text(form::Control("Text2").text));
        QCOMPARE(Click().text, Text(test::kReport));
    }
}

void WindowUseTest::focusStartsOnTheButtonAndTabsInOrder()
{
    const auto order = form::TabOrder();
    QCOMPARE(QApplication::focusWidget()->objectName(),
             QString::fromLatin1(order.front()->name.data()));
    for (std::size_t i = 1; i <= order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(),
                 QString::fromLatin1(order[i % order.size()]->name.data()));
    }
}

// Typed or pasted, a price field keeps as many characters as the table says; a line break
// pasted with a spreadsheet's cell is dropped.
void WindowUseTest::priceFieldsTakeElevenCharacters()
{
    const QString fifteen = QStringLiteral("123456789012345");
    const std::pair<QString, QString> pastes[] = {
        {fifteen, fifteen.left(form::kPriceMaxLength)},
        {QStringLiteral("15620\r\n"), QStringLiteral("15620")},
        {QStringLiteral("15700\n"), QStringLiteral("15700")},
    };
    for (const char *name : {"Text1", "Text2"}) {
        auto *field = Control<QLineEdit>(name);
        Retype(field, fifteen);
        QCOMPARE(field->text(), fifteen.left(form::kPriceMaxLength));
        for (const auto &[pasted, kept] : pastes) {
            Retype(field, QString());
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(field->text(), kept);
        }
    }
}

// Enter held on the button: the key's repeats after the press that opened the box reach the
// box, and must not close it before the levels are read.
void WindowUseTest::aHeldEnterLeavesTheBoxOpen()
{
    auto *button = Control<QPushButton>("Command1");
    button->setFocus();
    bool openAfterRepeats = false;
    const ShownBox box = ActAndDismiss([&] {
        QTimer::singleShot(0, qApp, [&] {  // inside the box's own loop
            QWidget *open = QApplication::activeModalWidget();
            QWidget *target = open && open->focusWidget() ? open->focusWidget() : open;
            for (int i = 0; target && i < 5; ++i) {
                QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier,
                                 QStringLiteral("\r"), true);
                QApplication::sendEvent(target, &repeat);
            }
            openAfterRepeats = open && open->isVisible();
        });
        QTest::keyClick(button, Qt::Key_Return);
    });
    QVERIFY(openAfterRepeats);
    QVERIFY(box.read);
}

// The event loop ends, with status 0, once the window is closed.
void WindowUseTest::closingTheWindowEndsTheProgram()
{
    QTimer::singleShot(0, &Window(), [this] { Window().close(); });
    // Would hang otherwise. The guard ends with this test: left to fire in a later one, its
    // exit() would end whatever modal loop runs then, a message box's before it is painted.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    guard.start(10000);
    QCOMPARE(QApplication::exec(), 0);
}

// Qt's own texts, such as a field's context menu, in the user's language: English in the C
// locale, Hungarian under hu_HU, and so on.
void WindowUseTest::platformTextsFollowTheLocale()
{
    LoadPlatformTexts();
    std::unique_ptr<QMenu> menu(Control<QLineEdit>("Text1")->createStandardContextMenu());
    // The first entry, Undo, in each language the test runs under.
    QVERIFY(!menu->actions().isEmpty());
    const QString undo =
        menu->actions().first()->text().remove(QLatin1Char('&')).section('\t', 0, 0);
    const std::map<QString, QString> undos{
        {"C", "Undo"},          {"en", "Undo"},       {"hu", "Visszavonás"},
        {"de", "Rückgängig"}, {"fr", "Annuler"}};
    const QString language = QLocale::system().name().section(QLatin1Char('_'), 0, 0);
    QVERIFY2(undos.count(language), qPrintable(language));
    QCOMPARE(undo, undos.at(language));
}

// A thousand clicks through the scenarios clicked under any settings: each answers as its row
// says, and the heap does not grow with the clicks. The time they take is
// bench/click_benchmark's.
void WindowUseTest::aThousandMixedClicks()
{
    std::vector<const test::WindowScenario *> rows;
    for (const test::WindowScenario &row : test::kWindowScenarios) {
        if (!*row.settings && !*row.control && !row.downPresses)
            rows.push_back(&row);
    }
    constexpr int kClicks = 1000, kWarmUp = 100;
    std::size_t heapAfterWarmUp = 0;
    test::ModalBoxWatcher watcher;
    for (int i = 0; i < kClicks; ++i) {
        const test::WindowScenario &row = *rows[std::size_t(i) % rows.size()];
        Control<QLineEdit>("Text1")->setText(Text(row.low));
        Control<QLineEdit>("Text2")->setText(Text(row.high));
        Control<QComboBox>("Combo1")->setEditText(Text(row.direction));
        const ShownBox box = watcher.ActAndDismiss(
            [&] { QTest::mouseClick(Control<QPushButton>("Command1"), Qt::LeftButton); });
        QVERIFY2(box.shown && box.text == Text(row.text),
                 qPrintable(QStringLiteral("click %1: %2: ")
                                .arg(i)
                                .arg(box.read     ? "read"
                                     : box.shown  ? "painted, closed before it was read"
                                     : box.opened ? "opened, closed unpainted"
                                                  : "no box") +
                            box.text));
        if (i + 1 == kWarmUp)
            heapAfterWarmUp = HeapInUse();
    }
    const std::size_t heapAtEnd = HeapInUse();
    const long growth = long(heapAtEnd) - long(heapAfterWarmUp);
    std::printf("heap in use after %d clicks: %zu bytes; after %d: %zu bytes (%+ld)\n", kWarmUp,
                heapAfterWarmUp, kClicks, heapAtEnd, growth);
    // What Qt keeps of its own message boxes (Qt 6.8 keeps another scaled copy of the warning
    // sign for every box): the same boxes again, bare, with no calculation.
    for (int i = kWarmUp; i < kClicks; ++i) {
        const test::WindowScenario &row = *rows[std::size_t(i) % rows.size()];
        watcher.ActAndDismiss([&] {
            QMessageBox bare(row.shown == test::Shown::ErrorReport ? QMessageBox::Warning
                                                                   : QMessageBox::NoIcon,
                             Window().windowTitle(), Text(row.text), QMessageBox::Ok, &Window());
            bare.exec();
        });
    }
    const long qtGrowth = long(HeapInUse()) - long(heapAtEnd);
    std::printf("the same %d boxes shown bare: %+ld bytes\n", kClicks - kWarmUp, qtGrowth);
    // A leak of even 64 bytes a click would pass this bound over the 900 clicks.
    QVERIFY2(growth - qtGrowth < 900 * 64, "the heap grows with the clicks");
}

}  // namespace levelwise

QTEST_MAIN(levelwise::WindowUseTest)
#include "use_test.moc"
