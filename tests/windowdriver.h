#ifndef WINDOWDRIVER_H
#define WINDOWDRIVER_H

#include <QWidget>
#include <QtTest/qtestcase.h>

#include <functional>

// Runs action and returns what each modal window it opened said ("title|text|details"): a message
// box answered with the first of answers that names one of its buttons, else with Échap when
// answers hold "Échap", else Return; a part choice with keys; a file dialog with path, or
// cancelled when path is empty; the result dialog ("title|its text") with its "Fermer". A
// window left open for 20 s is rejected, so that a test fails instead of hanging.
QStringList answerModals(const std::function<void()> &action, const QStringList &answers = {},
                         const QString &path = QString(), const QList<int> &keys = {});

// Gives the window the focus back, as the desktop does after a box, and waits until it has it.
void activate(QWidget &window);

// Keys pressed in the window once it is active, and what the windows they open said (above).
QStringList pressKeys(QWidget &window, const QKeySequence &keys, const QStringList &answers = {},
                      const QString &path = QString());

// One modal window that a press of "Générer !" opened.
struct Shown
{
    bool isErrorBox = false; // titled "Erreur"
    QString text; // the message, or the result dialog's text
};

// Presses "Générer !" (with the mouse, unless press does it another way) and closes
// what it opens.
QList<Shown> pressGenerer(QWidget &window, const std::function<void()> &press = {});

// Types text into widget key by key, as a keyboard does; letters beyond ASCII too.
void typeText(QWidget *widget, const QString &text, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Enters keys into a field as a person does: they replace all its text, each "v" is the Down arrow of a drop-down list, and a check box or a group's
// title is toggled with Space whatever the keys.
void enterValue(QWidget *field, const QString &keys);

// Types an author, creator, name and title, so that "Générer !" builds a text.
void fillRequired(QWidget &window);

// The window's widget of that object name. Where there is none the test fails, and goes on
// with a hidden stand-in so that the other tests still run.
template<typename T = QWidget> T *field(const QWidget &window, const QString &name)
{
    if (T *widget = window.findChild<T *>(name))
        return widget;
    QTest::qFail(qPrintable(QStringLiteral("no widget ") + name), __FILE__, __LINE__);
    static T *standIn = new T;
    return standIn;
}

#endif // WINDOWDRIVER_H
