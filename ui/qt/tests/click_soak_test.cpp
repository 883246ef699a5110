// A thousand clicks that mix reports, empty fields and failing prices: every click answers as
// the first click with the same texts did (what each says is the main window test's), and the
// heap does not grow with the clicks. The time they take is bench/click_benchmark's.
#include "main_window.h"
#include "modal_box.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <cstdio>

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

const char16_t *const kInputs[][3] = {
    {u"15620", u"15700", u"Long"}, {u"15620", u"15700", u"Short"}, {u"", u"15700", u"Long"},
    {u"15620", u"15700x", u"Long"}, {u"-1.7E+308", u"1.7E+308", u"Long"},
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
        QStringList firstAnswers;
        QList<QMessageBox::Icon> firstIcons;
        std::size_t heapAfterWarmUp = 0;
        test::ModalBoxWatcher watcher;
        for (int i = 0; i < kClicks; ++i) {
            const auto &input = kInputs[i % std::size(kInputs)];
            text1->setText(QString::fromUtf16(input[0]));
            text2->setText(QString::fromUtf16(input[1]));
            combo1->setEditText(QString::fromUtf16(input[2]));
            const test::ShownBox box =
                watcher.ActAndDismiss([&] { QTest::mouseClick(command1, Qt::LeftButton); });
            QVERIFY2(box.shown, qPrintable(QStringLiteral("click %1").arg(i)));
            if (firstAnswers.size() < qsizetype(std::size(kInputs))) {
                firstAnswers << box.text;
                firstIcons << box.icon;
            }
            QCOMPARE(box.text, firstAnswers[i % std::size(kInputs)]);
            if (i + 1 == kWarmUp)
                heapAfterWarmUp = HeapInUse();
        }
        const std::size_t heapAtEnd = HeapInUse();
        const long growth = long(heapAtEnd) - long(heapAfterWarmUp);
        std::printf("heap in use after %d clicks: %zu bytes; after %d: %zu bytes (%+ld)\n",
                    kWarmUp, heapAfterWarmUp, kClicks, heapAtEnd, growth);

        // What Qt keeps of its own message boxes (Qt 6.8 keeps another scaled copy of the
        // warning sign for every box): the same boxes again, bare, with no calculation.
        for (int i = kWarmUp; i < kClicks; ++i) {
            const qsizetype row = i % qsizetype(std::size(kInputs));
            watcher.ActAndDismiss([&] {
                QMessageBox bare(firstIcons[row], window.windowTitle(), firstAnswers[row],
                                 QMessageBox::Ok, &window);
                bare.exec();
            });
        }
        const long qtGrowth = long(HeapInUse()) - long(heapAtEnd);
        std::printf("the same %d boxes shown bare: %+ld bytes\n", kClicks - kWarmUp, qtGrowth);
        // A leak of even 64 bytes a click would pass this bound over the 900 clicks.
        QVERIFY2(growth - qtGrowth < 900 * 64, "the heap grows with the clicks");
    }
};

}  // namespace levelwise

QTEST_MAIN(levelwise::ClickSoakTest)
#include "click_soak_test.moc"
