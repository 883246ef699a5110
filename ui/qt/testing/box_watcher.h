// Meets the modal message box a user action brings up, as a user does: waits for it to be
// painted, reads it, copies it with Ctrl+C and presses its OK button with the mouse. For the
// window tests and the click benchmark alike.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace levelwise::test {

// What the modal message box said that a user action brought up, if any.
struct ShownBox {
    bool opened = false;  // shown on the screen, painted or not
    bool shown = false;   // painted
    bool read = false;    // still open once painted, read and dismissed by the watcher
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
    bool buttonHasIcon = false;
    QString copied;       // what Ctrl+C in the box put on the clipboard
    QFont font;           // the text's
    Qt::LayoutDirection direction = Qt::LeftToRight;
    int leftMargin = -1;  // from the box's edges to its text
    int rightMargin = -1;
    qint64 nanosecondsToFirstPaint = -1;  // from the start of the action
};

class ModalBoxWatcher : public QObject {
public:
    // Runs the action; a message box it opens is read once it has painted, then dismissed.
    ShownBox ActAndDismiss(const std::function<void()> &action)
    {
        m_box = {};
        qApp->installEventFilter(this);
        m_clock.start();
        action();
        QTest::qWait(0);  // a box that would open only after the action returns shows up here
        qApp->removeEventFilter(this);
        return m_box;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show)
            m_box.opened = true;
        if (box && event->type() == QEvent::Paint && !m_box.shown) {
            m_box.shown = true;
            m_box.nanosecondsToFirstPaint = m_clock.nsecsElapsed();
            QTimer::singleShot(0, box, [this, box] { ReadAndDismiss(box); });
        }
        return false;
    }

private:
    void ReadAndDismiss(QMessageBox *box)
    {
        m_box.read = true;
        m_box.title = box->windowTitle();
        m_box.text = box->text();
        m_box.icon = box->icon();
        m_box.buttonCount = int(box->buttons().size());
        for (const QAbstractButton *button : box->buttons())
            m_box.buttonHasIcon = m_box.buttonHasIcon || !button->icon().isNull();
        m_box.direction = box->layoutDirection();
        if (const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
            m_box.font = label->font();
            int textWidth = 0;
            for (const QString &line : label->text().split(QLatin1Char('\n')))
                textWidth = std::max(textWidth, label->fontMetrics().horizontalAdvance(line));
            const QPoint origin = label->mapTo(box, label->contentsRect().topLeft());
            m_box.leftMargin = origin.x();
            m_box.rightMargin = box->width() - origin.x() - textWidth;
        }
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        m_box.copied = QGuiApplication::clipboard()->text();
        if (QAbstractButton *ok = box->button(QMessageBox::Ok))
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            box->done(0);  // a box without OK fails the test, but must not hang it
    }

    QElapsedTimer m_clock;
    ShownBox m_box;
};

}  // namespace levelwise::test
