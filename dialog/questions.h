#ifndef REPLACEQUESTION_H
#define REPLACEQUESTION_H

#include <QMessageBox>

// Asks before something the author made is replaced: "Remplacer" or "Annuler", the latter
// the default, so that neither Entrée nor Échap loses anything. True for "Remplacer".
bool askToReplace(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &question);

#endif // REPLACEQUESTION_H
