#ifndef READINGMARKS_H
#define READINGMARKS_H

#include "gamereading.h"

#include <QObject>
#include <QPointer>
#include <QVector>

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
    // « Attention : Nom, Description — … », or empty when the game reads every field as typed.
    QString summary() const;

private:
    struct Field
    {
        TextField kind;
        QWidget *widget;
        QObject *mark; // the line edit's icon action, or the label on the text edit
        QList<ReadingWarning> warnings;
    };

    Field &fieldOf(const QWidget *widget);
    void check(Field &field);
    void showStatus();

    QVector<Field> fields;
    QPointer<QStatusBar> statusBar;
    bool summaryShown = false;
};

#endif // READINGMARKS_H
