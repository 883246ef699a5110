#include "picture_button.h"

#include "form_values.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStylePainter>

namespace levelwise {
namespace {

using form::kFaceMargin;

}  // namespace

PictureButton::PictureButton(const QString &caption, QImage picture, QWidget *parent)
    : QPushButton(caption, parent), m_picture(std::move(picture))
{
}

// Space presses it as it does every push button; Enter as the window's key rules say. It is
// no default button, so Enter in a field never reaches it.
void PictureButton::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && form::ActionOf(form::ControlKind::PictureButton, form::Key::Enter) ==
                     form::KeyAction::Press) {
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
    const form::Rgb faceRgb = form::kButtonFaceColour;
    const QColor faceColour = Colour(faceRgb);
    const bool down = isDown() || isChecked();
    painter.fillRect(face, faceColour);

    // Pressed, the picture and the caption move one pixel down and right, as on a real key.
    const QPoint shift = down ? QPoint(1, 1) : QPoint(0, 0);
    const QRect pictureArea = face.adjusted(kFaceMargin, kFaceMargin, -kFaceMargin, -kFaceMargin);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setClipRect(pictureArea);
    const QPoint centred = pictureArea.center() - m_picture.rect().center() + shift;
    painter.drawImage(centred, m_picture);
    painter.restore();

    const form::Shades shades = form::BevelShades(faceRgb);
    const QColor light = Colour(down ? shades.dark : shades.light);
    const QColor dark = Colour(down ? shades.light : shades.dark);
    // The bevel in whole pixels of the screen, as wide on every side however it is scaled: a
    // line of one logical pixel at 1.25 covers one device pixel on some sides and two on others.
    const qreal ratio = devicePixelRatioF();
    const int bevel = std::max(1, qRound(form::kBevelWidth * ratio));
    const QSize size = (QSizeF(face.size()) * ratio).toSize();
    painter.save();
    painter.scale(1 / ratio, 1 / ratio);
    for (int i = 0; i < bevel; ++i) {
        const int width = size.width() - 2 * i, height = size.height() - 2 * i;
        painter.fillRect(QRect(i, i, width, 1), light);
        painter.fillRect(QRect(i, i, 1, height), light);
        painter.fillRect(QRect(i, size.height() - 1 - i, width, 1), dark);
        painter.fillRect(QRect(size.width() - 1 - i, i, 1, height), dark);
    }
    painter.restore();

    painter.setPen(Colour(form::kButtonCaptionColour));
    painter.drawText(face.translated(shift), Qt::AlignCenter | Qt::TextShowMnemonic, text());

    // The focus shows from the start, whatever the style (styles hide it until a key is
    // used, yet Enter and Space press the button at once): a dotted frame in the caption's
    // colour inside the picture, as Windows draws a button's focus.
    if (hasFocus()) {
        QPen dotted(Colour(form::kButtonCaptionColour), 1, Qt::CustomDashLine);
        dotted.setDashPattern({1, 1});
        painter.setPen(dotted);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(face.adjusted(kFaceMargin + 1, kFaceMargin + 1, -kFaceMargin - 2,
                                       -kFaceMargin - 2));
    }
}

}  // namespace levelwise
