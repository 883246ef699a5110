#include "main_window.h"

#include "picture_button.h"
#include "pictures.h"
#include "retracement.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>

namespace levelwise {
namespace {

constexpr QSize kClientSize{391, 276};  // 5865 x 4140 twips
constexpr int kPriceMaxLength = 11;

const QColor kBackgroundColour{81, 133, 201};
const QColor kTextColour{128, 128, 255};
const QColor kButtonFaceColour{128, 128, 255};

QFont TitleFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    font.setPointSize(12);
    font.setBold(true);
    return font;
}

NumberSettings SystemNumberSettings()
{
    const QLocale locale = QLocale::system();
    return {locale.decimalPoint().toStdU16String(), locale.groupSeparator().toStdU16String()};
}

struct Presentation {
    QMessageBox::Icon icon;
    QString text;
};

// Every outcome of a click, success or failure, becomes one message box. A price that is
// not a number or out of range is reported, and the window stays open for a corrected try.
Presentation Present(const CalculationOutcome &outcome)
{
    switch (outcome.kind) {
    case OutcomeKind::Report:
    case OutcomeKind::MissingInput:
        return {QMessageBox::NoIcon,
                QString::fromStdU16String(outcome.message).replace(u'\r', u'\n')};
    case OutcomeKind::ConversionError:
        return {QMessageBox::Warning, QStringLiteral("Típuseltérés: az ár nem szám.")};
    case OutcomeKind::Overflow:
        return {QMessageBox::Warning,
                QStringLiteral("Túlcsordulás: az érték kívül esik a számolható tartományon.")};
    }
    Q_UNREACHABLE();
}

}  // namespace

// The platform's dialog font where there is one, else a metric twin of Arial that keeps
// "Legalacsonyabb érték:" on one line in its 113 pixels.
QFont DialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Shell Dlg 2"), QStringLiteral("Liberation Sans")});
    font.setPointSize(8);
    return font;
}

Form1::Form1(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_background(HatchPicture(kBackgroundPictureSize))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    // The window shows the application icon, set once at start for every window.
    setFixedSize(kClientSize);
    // Set before the controls exist, so each inherits it as it is made instead of being told
    // of a change, and measuring its text again, afterwards.
    setFont(DialogFont());
    CreateControls();
    ApplyColours();
    SetTabOrder();
    connect(m_command1, &QPushButton::clicked, this, &Form1::OnCommand1Clicked);
}

QLabel *Form1::AddLabel(const char *name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QLineEdit *Form1::AddPriceField(const char *name, const QString &text, const QRect &geometry)
{
    auto *field = new QLineEdit(text, this);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(geometry);
    field->setMaxLength(kPriceMaxLength);  // refuses typing beyond, cuts a longer paste
    return field;
}

// Positions in pixels at 96 dots per inch; Qt scales them on denser screens.
void Form1::CreateControls()
{
    m_label7 = AddLabel("Label7", QString::fromLatin1(kApplicationTitle), {128, 8, 265, 33});
    m_label7->setFont(TitleFont());
    AddLabel("Label2", QStringLiteral("Legalacsonyabb érték:"), {8, 72, 113, 17});
    m_text1 = AddPriceField("Text1", QStringLiteral("15620"), {128, 72, 73, 19});
    AddLabel("Label6", QStringLiteral("Az értékek tizedes jel nélkül"), {240, 72, 161, 17});
    AddLabel("Label10", QStringLiteral("írandók be."), {240, 88, 153, 17});
    AddLabel("Label3", QStringLiteral("Legmagasabb érték:"), {8, 96, 113, 17});
    m_text2 = AddPriceField("Text2", QStringLiteral("15700"), {128, 96, 73, 19});
    AddLabel("Label5", QStringLiteral("Korrekció előtti trend iránya:"), {8, 144, 113, 25});

    m_combo1 = new QComboBox(this);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setGeometry(128, 144, 73, 21);
    m_combo1->setEditable(true);
    m_combo1->addItems({QStringLiteral("Long"), QStringLiteral("Short")});
    // Keep exactly what is typed: no completion turning "long" into "Long", and Enter does
    // not add the typed text to the list.
    m_combo1->setCompleter(nullptr);
    m_combo1->setInsertPolicy(QComboBox::NoInsert);

    auto *image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(240, 160, 145, 110);
    image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image1->setPixmap(QPixmap::fromImage(BundledPicture(QStringLiteral(":/levelwise/logo.png"))));

    m_command1 = new PictureButton(QStringLiteral("Számol"), HatchPicture(kButtonPictureSize), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setGeometry(120, 192, 89, 25);

    AddLabel("Label11", QStringLiteral("© 2026 a Levelwise készítői"), {8, 256, 177, 25});
}

void Form1::ApplyColours()
{
    QPalette form = palette();
    form.setColor(QPalette::Window, kBackgroundColour);  // hidden under the picture
    form.setColor(QPalette::WindowText, kTextColour);
    setPalette(form);

    for (QWidget *field : {static_cast<QWidget *>(m_text1), static_cast<QWidget *>(m_text2),
                           static_cast<QWidget *>(m_combo1)}) {
        QPalette colours = field->palette();
        colours.setColor(QPalette::Text, kTextColour);
        colours.setColor(QPalette::ButtonText, kTextColour);
        field->setPalette(colours);
    }

    QPalette button = m_command1->palette();
    button.setColor(QPalette::Button, kButtonFaceColour);
    button.setColor(QPalette::ButtonText, QPalette().color(QPalette::ButtonText));
    m_command1->setPalette(button);
}

void Form1::SetTabOrder()
{
    setTabOrder(m_command1, m_text1);
    setTabOrder(m_text1, m_text2);
    setTabOrder(m_text2, m_combo1);
    m_command1->setFocus();
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
    const Presentation shown = Present(outcome);
    QMessageBox box(shown.icon, QString::fromLatin1(kApplicationTitle), shown.text,
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace levelwise
