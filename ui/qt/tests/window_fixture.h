// The window through its real widgets, headless: what every window test starts from, and how
// it reaches the controls a user sees.
#pragma once

#include "form1.h"
#include "hatch_tile.h"
#include "main_window.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QLineEdit>
#include <QProxyStyle>
#include <QTest>
#include <QWindow>

#include <memory>

namespace levelwise::test {

inline QColor Colour(form::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

inline QString Text(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

// An image's pixels as the shared checks read them.
inline auto Pixels(const QImage &image)
{
    return [&image](int x, int y) {
        const QRgb c = image.pixel(x, y);
        return form::Rgb{std::uint8_t(qRed(c)), std::uint8_t(qGreen(c)), std::uint8_t(qBlue(c))};
    };
}

inline bool IsHatchPixel(QRgb pixel, int x, int y)
{
    const int level = kHatchTile[y % 3][x % 3];
    return pixel == qRgb(level, level, level);
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

// A window shown, and active where the platform lets a program activate one (Wayland leaves
// that to the compositor: there it is shown, not activated).
class WindowFixture {
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
        QTest::keyClicks(field, text);
    }

private:
    std::unique_ptr<Form1> m_window;
};

}  // namespace levelwise::test
