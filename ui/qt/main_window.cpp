#include "main_window.h"

#include "accessibility.h"
#include "form1.h"
#include "form_values.h"
#include "number_settings.h"
#include "picture_button.h"
#include "pictures.h"
#include "retracement.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStyleFactory>
#include <QValidator>

#include <clocale>

namespace levelwise {
namespace {

QSize ToSize(form::Size size) { return {size.width, size.height}; }

template <std::size_t N> QStringList Families(const std::array<std::u16string_view, N> &families)
{
    QStringList list;
    for (const std::u16string_view family : families)
        list << Text(family);
    return list;
}

QFont TitleFont()
{
    QFont font;
    font.setFamilies(Families(form::kTitleFontFamilies));
    font.setPointSize(form::kTitleFontPoints);
    font.setBold(true);
    return font;
}

// Separators as Qt knows them for the system locale; the group sizes from the C library,
// which Qt has set to the user's locale at start.
NumberSettings SystemNumberSettings()
{
    const QLocale locale = QLocale::system();
    const std::lconv *conventions = std::localeconv();
    return {locale.decimalPoint().toStdU16String(), locale.groupSeparator().toStdU16String(),
            form::GroupSizesFromPosix(conventions ? conventions->grouping : "")};
}

// A cell copied from a spreadsheet ends in a line break, which a one-line field shows as
// nothing; dropped, as Windows' fields and browsers drop it, the price reads as it looks.
class LineBreakDropper : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &position) const override
    {
        for (qsizetype i = input.size() - 1; i >= 0; --i) {
            if (input[i] == QLatin1Char('\r') || input[i] == QLatin1Char('\n')) {
                input.remove(i, 1);
                position -= i < position ? 1 : 0;
            }
        }
        return Acceptable;
    }
};

// The direction list turns on the mouse wheel only when it has the focus, as on Windows: a
// wheel over it from elsewhere neither takes the focus nor changes "Long" to "Short" unseen.
class WheelOnlyWithFocus : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel)
            return false;
        // The window's focus, active or not: under a desktop with no window manager it is not.
        auto *list = static_cast<QWidget *>(watched);
        if (QWidget *focus = list->window()->focusWidget(); list == focus || list->isAncestorOf(focus))
            return false;
        event->ignore();  // for the window under it, as an unturned control leaves it
        return true;
    }
};

// Drops what a message box must not take: the repeats of a key held since before it opened.
class HeldKeyFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override
    {
        return (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
               !form::BoxTakesKey(static_cast<QKeyEvent *>(event)->isAutoRepeat());
    }
};

QString ObjectName(std::string_view name)
{
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

// What Ctrl+C in a message box copies, laid out as Windows message boxes copy theirs: the
// caption, the text and the buttons between dashed lines.
QString BoxClipboardText(const QMessageBox &box)
{
    const QString rule = QStringLiteral("---------------------------\n");
    QStringList buttons;
    for (const QAbstractButton *button : box.buttons())
        buttons << button->text().remove(QLatin1Char('&'));
    return rule + box.windowTitle() + QLatin1Char('\n') + rule + box.text() + QLatin1Char('\n') +
           rule + buttons.join(QStringLiteral("   ")) + QLatin1Char('\n') + rule;
}

// On Wayland, Qt draws the title bars itself (GNOME, Weston): the caption in a 14 px font,
// centred on the whole bar but cut short of three buttons at the right (minimize and maximize
// even on a box), which with their gaps and margins take about 80 px. A box as narrow as its
// text ("Levelw") grows so that the caption stands whole between equal margins; its text
// stays at the left, as a box wider for its caption shows it.
void KeepCaptionWhole(QMessageBox &box)
{
    constexpr int kTitleButtonsWidth = 80;
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")) || !label ||
        !box.layout())
        return;
    QFont titleFont = QGuiApplication::font();
    titleFont.setPixelSize(14);
    const int needed = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) +
                       2 * kTitleButtonsWidth;
    const int missing = needed - box.layout()->totalSizeHint().width();
    if (missing > 0)
        label->setMinimumWidth(label->sizeHint().width() + missing);
}

}  // namespace

QString ApplicationTitle() { return Text(form::kApplicationTitle); }

QFont DialogFont()
{
    QFont font;
    font.setFamilies(Families(form::kDialogFontFamilies));
    font.setPointSize(form::kDialogFontPoints);
    return font;
}

Form1::Form1(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_background(HatchPicture(ToSize(form::kBackgroundPictureSize)))
{
    InstallAccessibility();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(ApplicationTitle());
    // The window shows the application icon, set once at start for every window.
    setFixedSize(ToSize(form::kClientSize));
    // The window's places are fixed: under a right-to-left language (or -reverse) nothing
    // mirrors, neither the direction list's arrow nor the captions, nor the boxes it opens.
    setLayoutDirection(Qt::LeftToRight);
    // Set before the controls exist, so each inherits it as it is made instead of being told
    // of a change, and measuring its text again, afterwards.
    setFont(DialogFont());
    CreateControls();
    ApplyColours();
    SetTabOrder();
    connect(m_command1, &QPushButton::clicked, this, &Form1::OnCommand1Clicked);
}

QWidget *Form1::CreateControl(const form::ControlEntry &entry)
{
    const QString text = Text(entry.text);
    QWidget *control = nullptr;
    switch (entry.kind) {
    case form::ControlKind::Label: {
        auto *label = new QLabel(text, this);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        control = label;
        break;
    }
    case form::ControlKind::TextBox: {
        auto *field = new QLineEdit(text, this);
        field->setMaxLength(form::kPriceMaxLength);  // refuses typing beyond, cuts a longer paste
        field->setValidator(new LineBreakDropper(field));
        control = field;
        break;
    }
    case form::ControlKind::ComboBox: {
        auto *combo = new QComboBox(this);
        combo->setEditable(true);
        for (const std::u16string_view item : form::kDirectionItems)
            combo->addItem(Text(item));
        combo->setCurrentText(text);
        // Keep exactly what is typed: no completion turning "long" into "Long", and Enter
        // does not add the typed text to the list.
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setFocusPolicy(Qt::StrongFocus);
        combo->installEventFilter(new WheelOnlyWithFocus(combo));
        control = combo;
        break;
    }
    case form::ControlKind::Picture: {
        auto *image = new QLabel(this);
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        image->setPixmap(QPixmap::fromImage(LogoPicture(devicePixelRatioF())));
        image->setAccessibleName(Text(form::kLogoDescription));
        control = image;
        break;
    }
    case form::ControlKind::PictureButton:
        control = new PictureButton(text, HatchPicture(ToSize(form::kButtonPictureSize)), this);
        break;
    }
    control->setObjectName(ObjectName(entry.name));
    // Positions in pixels at 96 dots per inch; Qt scales them on denser screens.
    control->setGeometry(entry.bounds.left, entry.bounds.top, entry.bounds.width,
                         entry.bounds.height);
    if (entry.font == form::ControlFont::Title)
        control->setFont(TitleFont());
    // On a denser screen the lines of a caption can come out a fraction taller than at 96 dpi;
    // its box grows down to keep the last line whole.
    if (auto *label = qobject_cast<QLabel *>(control);
        label && !label->text().isEmpty() && devicePixelRatioF() > 1) {
        const int needed = label->heightForWidth(entry.bounds.width);
        if (needed > entry.bounds.height)
            label->resize(entry.bounds.width, needed);
    }
    return control;
}

void Form1::CreateControls()
{
    for (const form::ControlEntry &entry : form::kControls) {
        QWidget *control = CreateControl(entry);
        if (entry.name == "Text1")
            m_text1 = static_cast<QLineEdit *>(control);
        else if (entry.name == "Text2")
            m_text2 = static_cast<QLineEdit *>(control);
        else if (entry.name == "Combo1")
            m_combo1 = static_cast<QComboBox *>(control);
        else if (entry.name == "Command1")
            m_command1 = static_cast<QPushButton *>(control);
    }
    // A desktop style may pad a combo box beyond the window's 21 pixels and cut its text;
    // Qt's compact Fusion style then draws that one box, in the desktop's colours.
    if (m_combo1->minimumSizeHint().height() > m_combo1->height()) {
        static QStyle *const compact = [] {
            QStyle *style = QStyleFactory::create(QStringLiteral("Fusion"));
            style->setParent(qApp);
            return style;
        }();
        m_combo1->setStyle(compact);
    }
    // Each field is named by its label: screen readers say the label with the field.
    for (const form::FieldLabel &pair : form::kFieldLabels) {
        auto *label = findChild<QLabel *>(ObjectName(pair.label), Qt::FindDirectChildrenOnly);
        auto *field = findChild<QWidget *>(ObjectName(pair.field), Qt::FindDirectChildrenOnly);
        field->setAccessibleName(label->text());  // before anything asks for its interface
        if (form::Hinted(pair.field))
            field->setAccessibleDescription(Text(form::Hint()));
        label->setBuddy(field);
    }
}

void Form1::ApplyColours()
{
    QPalette form = palette();
    form.setColor(QPalette::Window, Colour(form::kBackgroundColour));  // hidden under the picture
    form.setColor(QPalette::WindowText, Colour(form::kTextColour));
    setPalette(form);

    for (QWidget *field : {static_cast<QWidget *>(m_text1), static_cast<QWidget *>(m_text2),
                           static_cast<QWidget *>(m_combo1)}) {
        QPalette colours = field->palette();
        colours.setColor(QPalette::Text, Colour(form::kTextColour));
        colours.setColor(QPalette::ButtonText, Colour(form::kTextColour));
        field->setPalette(colours);
    }
}

void Form1::SetTabOrder()
{
    QWidget *previous = nullptr;
    for (const form::ControlEntry *entry : form::TabOrder()) {
        auto *control = findChild<QWidget *>(ObjectName(entry->name), Qt::FindDirectChildrenOnly);
        if (previous)
            setTabOrder(previous, control);
        else
            control->setFocus();
        previous = control;
    }
}

// The window has one size. Where the title bar is drawn by Qt itself (Wayland compositors
// without their own decorations) it offers maximize regardless, and a window manager may be
// asked for full screen; either request is undone.
void Form1::changeEvent(QEvent *event)
{
    constexpr Qt::WindowStates kOtherSizes = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (event->type() == QEvent::WindowStateChange && (windowState() & kOtherSizes))
        setWindowState(windowState() & ~kOtherSizes);
    QWidget::changeEvent(event);
}


void Form1::paintEvent(QPaintEvent *)
{
    QPainter(this).drawImage(0, 0, m_background);  // unscaled, clipped at the edges
}

void Form1::OnCommand1Clicked()
{
    ShowOutcome(RunCalculation(m_text1->text().toStdU16String(), m_text2->text().toStdU16String(),
                               m_combo1->currentText().toStdU16String(), SystemNumberSettings()));
}

void Form1::ShowOutcome(const CalculationOutcome &outcome)
{
    const form::Presentation shown = form::Present(outcome);
    const QMessageBox::Icon icon =
        shown.kind == form::BoxKind::ErrorReport ? QMessageBox::Warning : QMessageBox::NoIcon;
    QMessageBox box(icon, ApplicationTitle(), Text(shown.text), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    // The window's font, set on the box itself: a desktop's font for message boxes (qt6ct's,
    // say) would otherwise win over the program's.
    box.setFont(DialogFont());
    box.setLayoutDirection(layoutDirection());  // a window of its own inherits no direction
    // Some desktop styles put a tick on OK; the box's buttons carry their word alone.
    for (QAbstractButton *button : box.buttons())
        button->setIcon(QIcon());
    // Without an icon, Qt still indents the text as if one stood beside it; the indent goes,
    // so the text keeps the same margin on both sides.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout());
        grid && icon == QMessageBox::NoIcon) {
        for (int i = grid->count() - 1; i >= 0; --i) {
            int row, column, rows, columns;
            grid->getItemPosition(i, &row, &column, &rows, &columns);
            if (column == 0 && grid->itemAt(i)->spacerItem())
                delete grid->takeAt(i);
        }
        grid->setHorizontalSpacing(0);  // nor any gap after the icon's empty column
    }
    KeepCaptionWhole(box);
    // A held Enter that opened the box does not close it: its repeats reach no button.
    HeldKeyFilter heldKeys;
    for (QWidget *part : box.findChildren<QWidget *>())
        part->installEventFilter(&heldKeys);
    box.installEventFilter(&heldKeys);
    // Ctrl+C copies the whole box, so the levels can be pasted elsewhere.
    auto *copy = new QShortcut(QKeySequence::Copy, &box);
    connect(copy, &QShortcut::activated, &box,
            [&box] { QGuiApplication::clipboard()->setText(BoxClipboardText(box)); });
    box.exec();
}

}  // namespace levelwise
