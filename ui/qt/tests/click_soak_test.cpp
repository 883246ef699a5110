// A thousand clicks that mix reports, empty fields and failing prices: every box says what it
// must, the heap does not grow with the clicks, and the time from a click to the painted
// message box is printed (a figure, not a verdict).
#include "main_window.h"
#include "modal_box.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();  // from the ASan runtime
#else
#include <malloc.h>
#endif

namespace levelwise {
namespace {

std::size_t HeapInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

struct ClickInput {
    const char16_t *low;
    const char16_t *high;
    const char16_t *direction;
    const char16_t *expected;
};

const ClickInput kInputs[] = {
    {u"15620", u"15700", u"Long",
     u"38.2%-os korrekciós szint: 15669\n50.0%-os korrekciós szint: 15660\n"
     u"61.8%-os korrekciós szint: 15651"},
    {u"15620", u"15700", u"Short",
     u"38.2%-os korrekciós szint: 15651\n50.0%-os korrekciós szint: 15660\n"
     u"61.8%-os korrekciós szint: 15669"},
    {u"", u"15700", u"Long", u"Az összes mező kitöltése kötelező"},
    {u"15620", u"15700x", u"Long", u"Típuseltérés: az ár nem szám."},
    {u"-1.7E+308", u"1.7E+308", u"Long",
     u"Túlcsordulás: az érték kívül esik a számolható tartományon."},
};

}  // namespace

class ClickSoakTest : public QObject {
    Q_OBJECT

private slots:
    void thousandMixedClicks()
    {
        Form1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *text1 = window.findChild<QLineEdit *>(QStringLiteral("Text1"));
        auto *text2 = window.findChild<QLineEdit *>(QStringLiteral("Text2"));
        auto *combo1 = window.findChild<QComboBox *>(QStringLiteral("Combo1"));
        auto *command1 = window.findChild<QPushButton *>(QStringLiteral("Command1"));
        QVERIFY(text1 && text2 && combo1 && command1);

        constexpr int kClicks = 1000, kWarmUp = 100;
        std::vector<double> milliseconds;
        milliseconds.reserve(kClicks);  // so that the figures themselves do not grow the heap
        std::size_t heapAfterWarmUp = 0;
        test::ModalBoxWatcher watcher;
        for (int i = 0; i < kClicks; ++i) {
            const ClickInput &input = kInputs[i % std::size(kInputs)];
            text1->setText(QString::fromUtf16(input.low));
            text2->setText(QString::fromUtf16(input.high));
            combo1->setEditText(QString::fromUtf16(input.direction));
            const test::ShownBox box =
                watcher.ActAndDismiss([&] { QTest::mouseClick(command1, Qt::LeftButton); });
            QVERIFY2(box.shown, qPrintable(QStringLiteral("click %1").arg(i)));
            QCOMPARE(box.text, QString::fromUtf16(input.expected));
            milliseconds.push_back(box.nanosecondsToFirstPaint / 1e6);
            if (i + 1 == kWarmUp)
                heapAfterWarmUp = HeapInUse();
        }
        const std::size_t heapAtEnd = HeapInUse();
        std::sort(milliseconds.begin(), milliseconds.end());
        std::printf("click to painted message box over %d clicks: median %.3f ms, max %.3f ms\n",
                    kClicks, milliseconds[milliseconds.size() / 2], milliseconds.back());
        const long growth = long(heapAtEnd) - long(heapAfterWarmUp);
        std::printf("heap in use after %d clicks: %zu bytes; after %d: %zu bytes (%+ld)\n",
                    kWarmUp, heapAfterWarmUp, kClicks, heapAtEnd, growth);
        // A leak of even 64 bytes a click would pass this bound over the 900 clicks.
        QVERIFY2(growth < 900 * 64, "the heap grows with the clicks");
    }
};

}  // namespace levelwise

QTEST_MAIN(levelwise::ClickSoakTest)
#include "click_soak_test.moc"
