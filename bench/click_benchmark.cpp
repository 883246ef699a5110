// Time from a click of Command1 to the painted message box, over a thousand clicks that mix
// reports, empty fields and failing prices; prints the median and the slowest.
//   QT_QPA_PLATFORM=offscreen build/test/bench/click_benchmark
#include "main_window.h"
#include "box_watcher.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    // The offscreen platform warns at every box that it cannot pass size hints on.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    QApplication app(argc, argv);
    levelwise::Form1 window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto *text1 = window.findChild<QLineEdit *>(QStringLiteral("Text1"));
    auto *text2 = window.findChild<QLineEdit *>(QStringLiteral("Text2"));
    auto *combo1 = window.findChild<QComboBox *>(QStringLiteral("Combo1"));
    auto *command1 = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    const char16_t *inputs[][3] = {{u"15620", u"15700", u"Long"},
                                   {u"15620", u"15700", u"Short"},
                                   {u"", u"15700", u"Long"},
                                   {u"15620", u"15700x", u"Long"},
                                   {u"-1.7E+308", u"1.7E+308", u"Long"}};
    constexpr int kClicks = 1000, kWarmUp = 100;
    std::vector<double> milliseconds;
    levelwise::test::ModalBoxWatcher watcher;
    for (int i = 0; i < kClicks; ++i) {
        const auto &input = inputs[i % std::size(inputs)];
        text1->setText(QString::fromUtf16(input[0]));
        text2->setText(QString::fromUtf16(input[1]));
        combo1->setEditText(QString::fromUtf16(input[2]));
        const auto box =
            watcher.ActAndDismiss([&] { QTest::mouseClick(command1, Qt::LeftButton); });
        if (!box.shown) {
            std::fprintf(stderr, "click %d showed no box\n", i);
            return 1;
        }
        if (i >= kWarmUp)
            milliseconds.push_back(box.nanosecondsToFirstPaint / 1e6);
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("click to painted message box over %zu clicks: median %.3f ms, max %.3f ms\n",
                milliseconds.size(), milliseconds[milliseconds.size() / 2], milliseconds.back());
    return 0;
}
