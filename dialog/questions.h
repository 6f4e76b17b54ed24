#ifndef QUESTIONS_H
#define QUESTIONS_H

#include <QMessageBox>

// The questions asked before something the author made is replaced or lost, and the account
// of a file opened. In each question the button that loses nothing is the default, and Échap
// answers it.

// "Remplacer" or "Annuler": true for "Remplacer".
bool askToReplace(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &question);

// `action` or "Annuler", with details under the question when there are any: true for action.
bool askToGoOn(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &question,
               const QString &action, const QString &details = QString());

// Before the changes to an opened file would be lost (closing, opening another file):
// « Enregistrer les modifications de reservoir.cfg ? », Enregistrer, Ne pas enregistrer or Annuler.
enum class ChangesAnswer { Save, Discard, Cancel };
ChangesAnswer askToSaveChanges(QWidget *parent, const QString &fileName);

// What the form shows of the file it was filled from: the summary, with one line per item
// under its details.
void showAccount(QWidget *parent, const QString &summary, const QString &details);

#endif // QUESTIONS_H
