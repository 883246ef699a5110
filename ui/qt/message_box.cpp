#include "message_box.h"

#include "form_values.h"
#include "main_window.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>

namespace levelwise {

OutcomeBox::OutcomeBox(const form::Presentation &shown, QWidget *parent)
    : QMessageBox(shown.kind == form::BoxKind::ErrorReport ? Warning : NoIcon, ApplicationTitle(),
                  Text(shown.text), Ok, parent)
{
    setTextFormat(Qt::PlainText);
    // The window's font, set on the box itself: a desktop's font for message boxes (qt6ct's,
    // say) would otherwise win over the program's.
    setFont(DialogFont());
    if (parent)
        setLayoutDirection(parent->layoutDirection());  // a window of its own inherits none
    // Some desktop styles put a tick on OK; the box's buttons carry their word alone.
    for (QAbstractButton *button : buttons())
        button->setIcon(QIcon());
    if (icon() == NoIcon)
        DropIconColumn();
    KeepCaptionWhole();
    // A held Enter that opened the box does not close it: its repeats reach no button.
    for (QWidget *part : findChildren<QWidget *>())
        part->installEventFilter(this);
    installEventFilter(this);
    // Ctrl+C copies the whole box, so the levels can be pasted elsewhere.
    auto *copy = new QShortcut(QKeySequence::Copy, this);
    connect(copy, &QShortcut::activated, this,
            [this] { QGuiApplication::clipboard()->setText(ClipboardText()); });
}

// Drops what the box must not take: the repeats of a key held since before it opened.
bool OutcomeBox::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
        !form::BoxTakesKey(static_cast<QKeyEvent *>(event)->isAutoRepeat()))
        return true;
    return QMessageBox::eventFilter(watched, event);
}

// Without an icon, Qt still indents the text as if one stood beside it; the indent goes, so
// the text keeps the same margin on both sides.
void OutcomeBox::DropIconColumn()
{
    auto *grid = qobject_cast<QGridLayout *>(layout());
    if (!grid)
        return;
    for (int i = grid->count() - 1; i >= 0; --i) {
        int row, column, rows, columns;
        grid->getItemPosition(i, &row, &column, &rows, &columns);
        if (column == 0 && grid->itemAt(i)->spacerItem())
            delete grid->takeAt(i);
    }
    grid->setHorizontalSpacing(0);  // nor any gap after the icon's empty column
}

// On Wayland, Qt draws the title bars itself (GNOME, Weston): the caption in a 14 px font,
// centred on the whole bar but cut short of three buttons at the right (minimize and maximize
// even on a box), which with their gaps and margins take about 80 px. A box as narrow as its
// text ("Levelw") grows so that the caption stands whole between equal margins; its text
// stays at the left, as a box wider for its caption shows it.
void OutcomeBox::KeepCaptionWhole()
{
    constexpr int kTitleButtonsWidth = 80;
    auto *label = findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")) || !label ||
        !layout())
        return;
    QFont titleFont = QGuiApplication::font();
    titleFont.setPixelSize(14);
    const int needed =
        QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + 2 * kTitleButtonsWidth;
    const int missing = needed - layout()->totalSizeHint().width();
    if (missing > 0)
        label->setMinimumWidth(label->sizeHint().width() + missing);
}

// What Ctrl+C copies, laid out as Windows message boxes copy theirs: the caption, the text
// and the buttons between dashed lines.
QString OutcomeBox::ClipboardText() const
{
    const QString rule = QStringLiteral("---------------------------\n");
    QStringList words;
    for (const QAbstractButton *button : buttons())
        words << button->text().remove(QLatin1Char('&'));
    return rule + windowTitle() + QLatin1Char('\n') + rule + text() + QLatin1Char('\n') + rule +
           words.join(QStringLiteral("   ")) + QLatin1Char('\n') + rule;
}

}  // namespace levelwise
