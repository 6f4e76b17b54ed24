#ifndef FORMFONT_H
#define FORMFONT_H

class QWidget;

// The form's fixed geometries were laid out for the Windows dialog font at 8 points. Gives
// the form that font where it exists, else Tahoma or a font made with its metrics, at the
// size where every label, check box and group title reads whole. The toolkit scales it
// with the screen, as it scales the geometries.
void setFormFont(QWidget *form);

#endif // FORMFONT_H
