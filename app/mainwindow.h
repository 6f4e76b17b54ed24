#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "formshape.h"
#include "generationrequest.h"
#include "partwriting.h"

#include <QMainWindow>

#include <optional>

class QToolButton;
class ReadingMarks;
class Ui_MainWindow;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Fills the form from the part file at path as the game reads it, after asking which part
    // when it holds several and before losing anything typed or changed; then says what the
    // form does not show. The file becomes the document the form edits. A file it cannot read
    // leaves the form as it was, with one sentence.
    void openPartFile(const QString &path);

    // The program's arguments: the first one, when it names an existing file, is opened
    // (what "Ouvrir avec" and a file dropped on the program give).
    void openStartFile(const QStringList &arguments);

    // What each field holds: its label, decimals and maximum, entries, longest text; and the
    // form as it opens. Asked of the widgets once.
    const FormShape &shape() const;

public slots:
    void modif(double fuel);
    void genererCode();
    // Writes the opened file back with the form's changes, and nothing else; without one,
    // saves the generated text as "Enregistrer sous..." does. True once saved.
    bool enregistrer();
    // Writes the same to a file the author chooses, which becomes the opened one.
    bool enregistrerSous();

protected:
    // A file dropped anywhere on the window is opened, even onto a field that takes text.
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Asks before unsaved changes to the opened file are lost.
    void closeEvent(QCloseEvent *event) override;

private:
    // The form's values; a number still being typed is read as the field will show it once
    // left, and with commit the field is made to show it.
    GenerationRequest request(bool commit = true) const;
    void setForm(const GenerationRequest &form);
    void chooseFile();
    // Anything typed since the form was opened or started.
    bool touched() const;
    bool requiredFilled();
    // False when the author cancels, or saving the changes failed.
    bool changesMaySafelyGo();
    // The form's changes in the opened file, written back at path.
    bool writeDocument(const QString &path);
    // The file at path, whose bytes are these and in which the form's part is the part-th,
    // becomes the document, with the form as it is.
    void becomeDocument(const QString &path, const QByteArray &bytes, int part);
    void showModified();
    void showAccount();
    // The button of the status bar that shows the account again, while there is one.
    void showAccountButton();

    Ui_MainWindow *ui;
    ReadingMarks *readingMarks;
    QToolButton *accountButton = nullptr;
    mutable FormShape formShape; // fresh: the form as it opens; fields asked when first needed
    GenerationRequest untouched;
    std::optional<PartDocument> document;
};

#endif // MAINWINDOW_H
