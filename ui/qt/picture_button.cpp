#include "picture_button.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace levelwise {
namespace {

constexpr int kBevel = 2;  // width of the raised or sunken edge, drawn in shades of the face
constexpr int kFaceMargin = 3;  // face colour left visible around the picture

}  // namespace

PictureButton::PictureButton(const QString &caption, QImage picture, QWidget *parent)
    : QPushButton(caption, parent), m_picture(std::move(picture))
{
}

// Enter on the focused button presses it, as Space does; it is no default button, so Enter
// in a field never reaches it.
void PictureButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!event->isAutoRepeat())
            click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    const QRect face = rect();
    const QColor faceColour = palette().color(QPalette::Button);
    const bool down = isDown() || isChecked();
    painter.fillRect(face, faceColour);

    // Pressed, the picture and the caption move one pixel down and right, as on a real key.
    const QPoint shift = down ? QPoint(1, 1) : QPoint(0, 0);
    const QRect pictureArea = face.adjusted(kFaceMargin, kFaceMargin, -kFaceMargin, -kFaceMargin);
    painter.save();
    painter.setClipRect(pictureArea);
    const QPoint centred = pictureArea.center() - m_picture.rect().center() + shift;
    painter.drawImage(centred, m_picture);
    painter.restore();

    const QColor light = down ? faceColour.darker(160) : faceColour.lighter(130);
    const QColor dark = down ? faceColour.lighter(130) : faceColour.darker(160);
    for (int i = 0; i < kBevel; ++i) {
        const QRect edge = face.adjusted(i, i, -i, -i);
        painter.setPen(light);
        painter.drawLine(edge.topLeft(), edge.topRight());
        painter.drawLine(edge.topLeft(), edge.bottomLeft());
        painter.setPen(dark);
        painter.drawLine(edge.bottomLeft(), edge.bottomRight());
        painter.drawLine(edge.topRight(), edge.bottomRight());
    }

    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(face.translated(shift), Qt::AlignCenter | Qt::TextShowMnemonic, text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = face.adjusted(kFaceMargin + 1, kFaceMargin + 1, -kFaceMargin - 1,
                                   -kFaceMargin - 1);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

}  // namespace levelwise
