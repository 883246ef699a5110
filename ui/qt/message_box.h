// The message box a click on "Számol" opens: the outcome as the shared description presents
// it, in the window's font and direction, with the keys and the copy Windows' boxes have.
#pragma once

#include "form1.h"

#include <QMessageBox>

namespace levelwise {

class OutcomeBox : public QMessageBox {
    Q_OBJECT

public:
    OutcomeBox(const form::Presentation &shown, QWidget *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void DropIconColumn();
    void KeepCaptionWhole();
    QString ClipboardText() const;
};

}  // namespace levelwise
