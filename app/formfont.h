#ifndef FORMFONT_H
#define FORMFONT_H

class QWidget;

// How far, in pixels, the text of a label, check box or group box title runs
// past its own widget or a parent that clips it (parents up to the window):
// its advance width, trailing spaces aside, from where the style draws it.
// 0 or less when the whole text shows; 0 for any other widget.
int textOverflow(const QWidget *widget);

// The form's fixed geometries were laid out for the Windows dialog font at 8
// points. Gives the form that font where it exists, else Tahoma or a font made
// with its metrics, at 8 points or, if some text would be cut there (another
// style, another screen resolution), at the largest smaller size where none is.
void setFormFont(QWidget *form);

#endif // FORMFONT_H
