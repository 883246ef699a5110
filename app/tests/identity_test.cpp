// The identity the program gives itself at start.
#include "identity.h"
#include "main_window.h"

#include <QApplication>
#include <QTest>

class IdentityTest : public QObject {
    Q_OBJECT

private slots:
    void namesVersionAndIcon()
    {
        levelwise::ApplyApplicationIdentity();
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Levelwise"));
        QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Levelwise"));
        QCOMPARE(QApplication::applicationVersion(), QStringLiteral(LEVELWISE_VERSION_SET));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.levelwise.Levelwise"));
        const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(sizes.contains(QSize(32, 32)));
    }

    void windowCarriesTheSameIcon()
    {
        levelwise::ApplyApplicationIdentity();
        levelwise::Form1 window;
        const QIcon icon = window.windowIcon();
        // 16 and 32 pixels, and 64 on a dense screen.
        const QList<int> sides =
            qApp->devicePixelRatio() > 1 ? QList<int>{16, 32, 64} : QList<int>{16, 32};
        QCOMPARE(icon.availableSizes().size(), sides.size());
        for (const int side : sides) {
            const QImage shown = icon.pixmap(QSize(side, side), 1.0).toImage();
            const QImage file(QStringLiteral(":/levelwise/icon-%1.png").arg(side));
            QCOMPARE(shown.size(), QSize(side, side));
            // Compared as the screen gets them, premultiplied: faint edge pixels keep fewer
            // colour levels there than in the file.
            QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                     file.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        }
    }
};

QTEST_MAIN(IdentityTest)
#include "identity_test.moc"
