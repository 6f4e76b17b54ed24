#ifndef READINGMARKS_H
#define READINGMARKS_H

#include "gamereading.h"

#include <QObject>
#include <QPointer>
#include <QVector>

class QAction;
class QLabel;
class QStatusBar;
class QWidget;

// Marks, as the author types, each text field whose value the game will read otherwise
// than typed: a small icon inside the field, the explanation as its tooltip and in the
// status bar while the field has the focus. Nothing moves and the values stay as typed.
class ReadingMarks : public QObject
{
    Q_OBJECT

public:
    // fields: the form's line edits and text edit, in the order of TextField.
    ReadingMarks(const QList<QWidget *> &fields, QStatusBar *statusBar, QObject *parent);

    // From now on the status bar names every field the game will misread, when no marked
    // field has the focus: called once a text has been generated.
    void showSummary();

private:
    struct Field
    {
        TextField kind;
        QWidget *widget;
        QAction *icon;   // a line edit's mark
        QLabel *corner;  // the text edit's mark
        QList<ReadingWarning> warnings;
    };

    // « Attention : Nom, Description — … », or empty when the game reads every field as typed.
    QString summary() const;
    Field &fieldOf(const QWidget *widget);
    void check(Field &field);
    void showStatus();

    QVector<Field> fields;
    QPointer<QStatusBar> statusBar;
    bool summaryShown = false;
    QString shown; // the message last shown
};

#endif // READINGMARKS_H
