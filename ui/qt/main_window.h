// The one window of Levelwise: three fields, the calculate button, and the message boxes.
#pragma once

#include "form1.h"

#include <QFont>
#include <QImage>
#include <QWidget>

#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace levelwise {

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
    QWidget *Widget(const form::ControlEntry &entry) const;  // the control made for a row

    void OnCommand1Clicked();
    void ShowOutcome(const CalculationOutcome &outcome);

    QImage m_background;
    std::array<QWidget *, form::kControls.size()> m_controls{};  // in the table's order
    QLineEdit *m_text1 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QComboBox *m_combo1 = nullptr;
    QPushButton *m_command1 = nullptr;
};

}  // namespace levelwise
