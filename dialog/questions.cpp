#include "replacequestion.h"

#include <QPushButton>

bool askToReplace(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &question)
{
    QMessageBox box(icon, title, question, QMessageBox::NoButton, parent);
    const QPushButton *replace = box.addButton(QStringLiteral("Remplacer"), QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == replace;
}
