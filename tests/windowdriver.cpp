#include "windowdriver.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QListWidget>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

QStringList answerModals(const std::function<void()> &action, const QStringList &answers, const QString &path,
                         const QList<int> &keys)
{
    QStringList said;
    const auto handle = [&](QDialog *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            said << box->windowTitle() + '|' + box->text() + (box->detailedText().isEmpty() ? "" : '|' + box->detailedText());
            for (const QString &answer : answers) {
                for (QAbstractButton *button : box->buttons()) {
                    if (button->text() == answer) // clicked once the box's own loop runs
                        return void(QTimer::singleShot(0, button, &QAbstractButton::click));
                }
            }
            return QTest::keyClick(box, answers.contains(QStringLiteral("Échap")) ? Qt::Key_Escape : Qt::Key_Return);
        }
        if (auto *files = qobject_cast<QFileDialog *>(modal)) {
            said << files->windowTitle() + '|' + files->directory().absolutePath() + '|' + files->selectedFiles().value(0).section('/', -1)
                    + '|' + files->nameFilters().join(";;");
            // Once the dialog's own loop runs: its question before replacing a file opens inside it.
            return void(QTimer::singleShot(0, files, [files, path] {
                auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                name->setText(path); // set rather than typed: the completer would take Return
                path.isEmpty() ? files->reject() : QTest::keyClick(name, Qt::Key_Return);
            }));
        }
        if (auto *text = modal->findChild<QTextEdit *>()) { // the result dialog
            said << modal->windowTitle() + '|' + text->toPlainText();
            return field<QPushButton>(*modal, "fermer")->click();
        }
        auto *list = modal->findChild<QListWidget *>();
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        said << modal->windowTitle() + '|' + items.join(", ") + '|' + QString::number(list->currentRow());
        for (const int key : keys)
            QTest::keyClick(list, Qt::Key(key));
    };
    QPointer<QDialog> handled;
    QElapsedTimer since; // the answer may take a moment to land on a busy machine
    QTimer timer; // fires inside the modal loops that action opens
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (modal && modal == handled && since.elapsed() > 20000) {
            QTest::qFail("a modal window was left open", __FILE__, __LINE__);
            modal->reject();
        } else if (modal && modal != handled) {
            handled = modal;
            since.start();
            handle(modal);
        }
    });
    timer.start(10);
    action();
    return said;
}

void activate(QWidget &window)
{
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        QTest::qFail("the window is not active", __FILE__, __LINE__);
}

QStringList pressKeys(QWidget &window, const QKeySequence &keys, const QStringList &answers, const QString &path)
{
    activate(window);
    return answerModals([&] { QTest::keySequence(&window, keys); }, answers, path);
}

QList<Shown> pressGenerer(QWidget &window, const std::function<void()> &press)
{
    QList<Shown> shown;
    const auto click = [&] { QTest::mouseClick(field<QPushButton>(window, "generer"), Qt::LeftButton); };
    for (const QString &said : answerModals(press ? press : click)) // the message boxes with their Return
        shown.append({said.startsWith(QLatin1String("Erreur|")), said.section('|', 1)});
    return shown;
}

void typeText(QWidget *widget, const QString &text, Qt::KeyboardModifiers modifiers)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            QTest::keyClick(widget, Qt::Key_Return, modifiers);
        } else if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1(), modifiers);
        } else { // é is Qt::Key_Eacute, as a keyboard sends it
            const ushort upper = c.toUpper().unicode();
            const auto key = upper < 0x100 ? Qt::Key(upper) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), modifiers);
        }
    }
}

void enterValue(QWidget *field, const QString &keys)
{
    if (qobject_cast<QAbstractButton *>(field) || qobject_cast<QGroupBox *>(field))
        return QTest::keyClick(field, Qt::Key_Space);
    if (qobject_cast<QComboBox *>(field)) {
        for (int i = 0; i < keys.size(); ++i)
            QTest::keyClick(field, Qt::Key_Down);
        return;
    }
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    typeText(field, keys);
}

void fillRequired(QWidget &window)
{
    for (const char *name : {"Auteur", "Createur", "Nom", "Titre"})
        QTest::keyClicks(field<QLineEdit>(window, name), QLatin1String(name).left(1));
}
