#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "formshape.h"
#include "generationrequest.h"

#include <QMainWindow>

class ReadingMarks;
class Ui_MainWindow;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Fills the form from the part file at path as the game reads it, after asking which part
    // when it holds several and before replacing anything typed; then says what the form
    // could not hold. A file it cannot read leaves the form as it was, with one sentence.
    void openPartFile(const QString &path);

    // The program's arguments: the first one, when it names an existing file, is opened
    // (what "Ouvrir avec" and a file dropped on the program give).
    void openStartFile(const QStringList &arguments);

public slots:
    void modif(double fuel);
    void genererCode();

protected:
    // A file dropped anywhere on the window is opened, even onto a field that takes text.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    GenerationRequest request() const;
    void setForm(const GenerationRequest &form);
    // What each field holds: its label, decimals and maximum, entries, longest text.
    QVector<FormShape::Field> shapeFields() const;
    void chooseFile();
    // Anything typed since the form was opened or started.
    bool touched() const;

    Ui_MainWindow *ui;
    ReadingMarks *readingMarks;
    FormShape formShape; // fresh: the form as it opens
    GenerationRequest untouched;
    QString openedFile;
    int linesLeftOut = 0;
};

#endif // MAINWINDOW_H
