#include "main_window.h"

#include "accessibility.h"
#include "form1.h"
#include "form_values.h"
#include "message_box.h"
#include "number_settings.h"
#include "picture_button.h"
#include "pictures.h"
#include "retracement.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QValidator>


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

// The user's number settings, all from Qt's system locale: its separators, and the group
// sizes read from its own 1234567, as the page reads a browser's. Qt's plain "C" locale leaves
// groups out of its numbers; asked to write them, it gives the English ones.
NumberSettings SystemNumberSettings()
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    const std::u16string group = locale.groupSeparator().toStdU16String();
    return {locale.decimalPoint().toStdU16String(), group,
            form::GroupSizesFromSample(locale.toString(1234567).toStdU16String(), group)};
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

QString ObjectName(std::string_view name)
{
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
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

QWidget *Form1::Widget(const form::ControlEntry &entry) const
{
    return m_controls[std::size_t(&entry - form::kControls.data())];
}

void Form1::CreateControls()
{
    for (std::size_t i = 0; i < form::kControls.size(); ++i)
        m_controls[i] = CreateControl(form::kControls[i]);
    m_text1 = static_cast<QLineEdit *>(Widget(form::Control("Text1")));
    m_text2 = static_cast<QLineEdit *>(Widget(form::Control("Text2")));
    m_combo1 = static_cast<QComboBox *>(Widget(form::Control("Combo1")));
    m_command1 = static_cast<QPushButton *>(Widget(form::Control("Command1")));
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
        auto *label = static_cast<QLabel *>(Widget(*form::FindControl(pair.label)));
        QWidget *field = Widget(*form::FindControl(pair.field));
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
        QWidget *control = Widget(*entry);
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
    OutcomeBox box(form::Present(outcome), this);
    box.exec();
}

}  // namespace levelwise
