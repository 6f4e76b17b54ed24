#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QMainWindow>

struct GenerationRequest;
class ReadingMarks;
class Ui_MainWindow;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

public slots:
    void modif(double fuel);
    void genererCode();

private:
    GenerationRequest request() const;

    Ui_MainWindow *ui;
    ReadingMarks *readingMarks;
};

#endif // MAINWINDOW_H
