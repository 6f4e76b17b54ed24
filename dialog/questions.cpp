#include "questions.h"

#include <QPushButton>

bool askToGoOn(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &question,
               const QString &action, const QString &details)
{
    QMessageBox box(icon, title, question, QMessageBox::NoButton, parent);
    const QPushButton *goOn = box.addButton(action, QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole));
    box.setDetailedText(details);
    box.exec();
    return box.clickedButton() == goOn;
}

bool askToReplace(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &question)
{
    return askToGoOn(parent, icon, title, question, QStringLiteral("Remplacer"));
}

ChangesAnswer askToSaveChanges(QWidget *parent, const QString &fileName)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tallowin"),
                    QStringLiteral("Enregistrer les modifications de %1 ?").arg(fileName), QMessageBox::NoButton, parent);
    QPushButton *save = box.addButton(QStringLiteral("Enregistrer"), QMessageBox::AcceptRole);
    const QPushButton *discard = box.addButton(QStringLiteral("Ne pas enregistrer"), QMessageBox::DestructiveRole);
    box.setEscapeButton(box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole));
    box.setDefaultButton(save);
    box.exec();
    return box.clickedButton() == save ? ChangesAnswer::Save
         : box.clickedButton() == discard ? ChangesAnswer::Discard : ChangesAnswer::Cancel;
}

void showAccount(QWidget *parent, const QString &summary, const QString &details)
{
    QMessageBox account(QMessageBox::Information, QStringLiteral("Ouvrir une pièce"), summary, QMessageBox::Ok, parent);
    account.setDetailedText(details);
    account.exec();
}
