#ifndef WINDOWDRIVER_H
#define WINDOWDRIVER_H

#include <QString>
#include <QWidget>

#include <functional>

class QDialog;

// One modal window that a press of "Générer !" opened.
struct Shown
{
    bool isErrorBox = false;
    QString title;
    QString text; // the message, or the result dialog's text
};

// Clicks "Générer !" in the window and closes each modal window it opens,
// after handing a result dialog to whileOpen. Each result text is also read as
// the configuration syntax, and the test fails on the first fault, unless the
// author's values hold braces (written as typed: the format has no escape).
QList<Shown> pressGenerer(QWidget &window, const std::function<void(QDialog *)> &whileOpen = {},
                          bool checkSyntax = true);

// The window's widget of that object name; the test stops when there is none.
template<typename T> T *field(QWidget &window, const char *name)
{
    T *widget = window.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

#endif // WINDOWDRIVER_H
