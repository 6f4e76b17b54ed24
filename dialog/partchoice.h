#ifndef PARTCHOICE_H
#define PARTCHOICE_H

#include <QDialog>
#include <QStringList>

class QListWidget;

// Asks which of a file's parts to open: each part's name and title in a list, the first one
// chosen. Entrée or a double click opens the chosen one, Échap changes nothing.
class PartChoice : public QDialog
{
public:
    // parts: "name — title" for each part, in the file's order.
    PartChoice(const QString &fileName, const QStringList &parts, QWidget *parent = nullptr);

    // The part chosen, or -1 when the author changed their mind.
    static int choose(const QString &fileName, const QStringList &parts, QWidget *parent);

private:
    QListWidget *list;
};

#endif // PARTCHOICE_H
