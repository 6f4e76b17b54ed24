#ifndef TEXTFIT_H
#define TEXTFIT_H

#include <QString>

class QAbstractSpinBox;
class QWidget;

// How far, in pixels, the text of a label, check box or group box title runs past its own
// widget or a parent that clips it (parents up to the window): its advance width, trailing
// spaces aside, from where the style draws it. 0 or less when the whole text shows; 0 for
// any other widget.
int textOverflow(const QWidget *widget);

// How far a number field's text would run past the room its line edit gives it, where the
// edit would start to scroll the number: 0 or less when the whole number shows.
int numberOverflow(const QAbstractSpinBox *field, const QString &text);

#endif // TEXTFIT_H
