// A push button drawn in picture style: a face colour, a picture clipped to the face, and
// the caption on top.
#pragma once

#include <QImage>
#include <QPushButton>

namespace levelwise {

class PictureButton : public QPushButton {
    Q_OBJECT

public:
    PictureButton(const QString &caption, QImage picture, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QImage m_picture;
};

}  // namespace levelwise
