// The window through its real widgets, headless: what every window test starts from, how it
// reaches the controls a user sees, and how it meets the modal message boxes a user action
// brings up: waits for the box, reads it, presses its OK button with the mouse.
#pragma once

#include "form1.h"
#include "box_watcher.h"
#include "form_values.h"
#include "main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProxyStyle>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <memory>

namespace levelwise::test {

using levelwise::Colour;
using levelwise::Text;

// An image's pixels as the shared checks read them.
inline auto Pixels(const QImage &image)
{
    return [&image](int x, int y) {
        const QRgb c = image.pixel(x, y);
        return form::Rgb{std::uint8_t(qRed(c)), std::uint8_t(qGreen(c)), std::uint8_t(qBlue(c))};
    };
}

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

// The base of a window test: each test function finds a window shown, and active where the
// platform lets a program activate one (Wayland leaves that to the compositor: there it is
// shown, not activated), under a style that puts icons on dialog buttons and a desktop font
// of its own for message boxes.
class WindowFixture : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setStyle(new ButtonsWithIconsStyle);
        // A desktop font for message boxes, as a platform theme (qt6ct's) sets one.
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 14), "QMessageBox");
    }
    void init() { QVERIFY(Open()); }
    void cleanup() { Close(); }

public:
    bool Open()
    {
        m_window = std::make_unique<Form1>();
        m_window->show();
        m_window->activateWindow();
        if (QGuiApplication::platformName() != QLatin1String("wayland"))
            return QTest::qWaitForWindowActive(m_window.get());
        return QTest::qWaitForWindowExposed(m_window.get());
    }
    void Close() { m_window.reset(); }

    Form1 &Window() { return *m_window; }

    template <typename T> T *Control(const char *name)
    {
        T *control = m_window->findChild<T *>(QString::fromLatin1(name));
        if (!control)
            qFatal("no control %s", name);
        return control;
    }

    // Clears the field as a user would and types the text into it.
    static void Retype(QWidget *field, const QString &text)
    {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Backspace);
        // Each character as a key of the keyboard's layout brings it, beyond Latin-1 too (a
        // narrow no-break space, a typographic apostrophe), which keyClicks cannot type.
        for (const QChar c : text) {
            QTest::sendKeyEvent(QTest::Press, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

private:
    std::unique_ptr<Form1> m_window;
};

inline ShownBox ActAndDismiss(const std::function<void()> &action)
{
    ModalBoxWatcher watcher;
    return watcher.ActAndDismiss(action);
}

}  // namespace levelwise::test
