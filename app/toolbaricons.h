#ifndef TOOLBARICONS_H
#define TOOLBARICONS_H

#include <QIcon>
#include <QStyle>

// A tool bar button's icon: the desktop theme's when it has one (read when first drawn), else
// the style's own image, the one whose size suits the button's size at the display's scale,
// from pixels kept undecoded up to 32 pixels. The style's icon would decode every size it has
// (16, 32 and 128 pixels) at start-up.
QIcon toolBarIcon(const QString &themeName, QStyle::StandardPixmap standard, const QWidget *widget, int size);

#endif // TOOLBARICONS_H
