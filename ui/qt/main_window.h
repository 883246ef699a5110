// The one window of Levelwise: three fields, the calculate button, and the message boxes.
#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace levelwise {

struct CalculationOutcome;
namespace form {
struct ControlEntry;
}

// The application title, as Qt text.
QString ApplicationTitle();

// One of the PNG pictures built into the program, such as ":/levelwise/logo.png".
QImage BundledPicture(const QString &path);

// The font of the window's text, and of its message boxes.
QFont DialogFont();

class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *CreateControl(const form::ControlEntry &entry);
    void CreateControls();
    void ApplyColours();
    void SetTabOrder();

    void OnCommand1Clicked();
    void ShowOutcome(const CalculationOutcome &outcome);

    QImage m_background;
    QLineEdit *m_text1 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QComboBox *m_combo1 = nullptr;
    QPushButton *m_command1 = nullptr;
};

}  // namespace levelwise
