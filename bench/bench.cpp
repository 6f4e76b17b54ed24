// Prints the program's figures, one a line, each a median over repeated runs:
// the text builder, the reading of part files and the opening of one into the window,
// start-up against the same form alone and a bare Qt window (wall time and, with valgrind,
// instructions), a press of "Générer !" and memory over many presses.
#include "fencodegenere.h"
#include "formfields.h"
#include "mainwindow.h"
#include "partconfig.h"
#include "partfile.h"
#include "partreading.h"
#include "partwriting.h"
#include "translation.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTest>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void print(const QString &figure, double value, const char *unit, const QString &how)
{
    std::printf("%-52s %10.2f %-3s (%s)\n", qPrintable(figure), value, unit, qPrintable(how));
    std::fflush(stdout);
}

// The form as it opens, the required fields filled.
GenerationRequest defaultForm()
{
    GenerationRequest r = freshForm();
    r.nom = QStringLiteral("tankA");
    r.auteur = r.createur = QStringLiteral("auteur1");
    r.titre = QStringLiteral("Tank A");
    return r;
}

void builderFigures()
{
    const int texts = 2000;
    const int runs = 11;
    const QPair<const char *, GenerationRequest> forms[] = {
        {"builder, default form", defaultForm()}, {"builder, all-blocks form", everyBlockOn(defaultForm())}};
    for (const auto &form : forms) {
        QVector<double> perText;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            for (int i = 0; i < texts; ++i)
                buildPartConfig(form.second);
            perText << timer.nsecsElapsed() / 1e3 / texts;
        }
        print(QLatin1String(form.first), median(perText), "us", QStringLiteral("per text, median of %1 runs of %2").arg(runs).arg(texts));
    }
}

// A part of about `size` bytes: the builder's text with every block on, then modules the form
// has no field for, `modules` of them, filled up with values.
QByteArray largePart(int size, int modules)
{
    QString text = buildPartConfig(everyBlockOn(defaultForm()));
    text.chop(1);
    const int perModule = (size - text.size()) / modules;
    for (int m = 0; m < modules; ++m) {
        QString module = QStringLiteral("MODULE\n{\n   name = ModuleBench%1\n").arg(m);
        for (int v = 0; module.size() < perModule; ++v)
            module += QStringLiteral("   value%1 = %2, 0.5, // réglage\n").arg(v).arg(v * 7);
        text += module + QStringLiteral("}\n");
    }
    return (text + QLatin1Char('}')).toUtf8();
}

// The reading of a part file: throughput on a large file of many parts, and one part of
// 80 KB with 20 modules, read and laid into the form's record.
void readerFigures()
{
    QByteArray many;
    while (many.size() < 16 << 20)
        many += largePart(80 << 10, 20) + '\n';
    const FormShape shape = formShape();
    const QPair<const char *, QByteArray> files[] = {{"reading, 16 MiB file of 80 KB parts", many},
                                                     {"reading, one 80 KB part of 20 modules", largePart(80 << 10, 20)}};
    for (const auto &file : files) {
        QVector<double> ms;
        int lines = 0;
        for (int run = 0; run < 7; ++run) {
            QElapsedTimer timer;
            timer.start();
            const PartFile read = readPartFile(file.second);
            lines = readPart(read, 0, shape).linesNotShown;
            ms << timer.nsecsElapsed() / 1e6;
        }
        print(QLatin1String(file.first), file.second.size() / 1e6 / (median(ms) / 1e3), "MB/s",
              QStringLiteral("%1 bytes in %2 ms, median of 7 runs; %3 lines left out of the first part")
                  .arg(file.second.size()).arg(median(ms), 0, 'f', 2).arg(lines));
    }
}

// From a file chosen to the form filled with it and painted, for one 80 KB part of 20 modules
// (whose account box is then closed).
class OpenClock : public QObject
{
public:
    explicit OpenClock(QWidget *form) : form(form) {}
    double open(MainWindow &window, const QString &path)
    {
        painted = -1;
        clock.start();
        window.openPartFile(path);
        return painted;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched == form && painted < 0)
            painted = clock.nsecsElapsed() / 1e6;
        if (auto *box = qobject_cast<QMessageBox *>(watched); box && event->type() == QEvent::Show)
            QMetaObject::invokeMethod(box, [box] { box->accept(); }, Qt::QueuedConnection);
        return false;
    }

private:
    QWidget *form;
    QElapsedTimer clock;
    double painted = -1;
};

void openFigures()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("large.cfg"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(largePart(80 << 10, 20)) <= 0)
        return void(std::printf("opening: cannot write the file\n"));
    file.close();
    MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return void(std::printf("opening: the window was never shown\n"));
    OpenClock clock(window.centralWidget());
    qApp->installEventFilter(&clock);
    QVector<double> ms;
    for (int run = 0; run < 21; ++run)
        ms << clock.open(window, path);
    print("opening an 80 KB part of 20 modules, median", median(ms), "ms",
          QStringLiteral("file chosen to form painted, 21 runs, target under 16"));
    print("opening an 80 KB part of 20 modules, maximum", *std::max_element(ms.begin(), ms.end()), "ms", QStringLiteral("21 runs"));
}

// Writing an 80 KB part of 20 modules back: unchanged, against reading it; then in the window,
// from the key press of Ctrl+S to the file written, with five fields changed and a group on.
void saveFigures()
{
    const QByteArray bytes = largePart(80 << 10, 20);
    PartDocument document;
    document.bytes = bytes;
    QVector<double> readMs, writeMs;
    for (int run = 0; run < 21; ++run) {
        QElapsedTimer timer;
        timer.start();
        document.file = readPartFile(bytes);
        document.reading = readPart(document.file, 0, formShape());
        readMs << timer.nsecsElapsed() / 1e6;
        document.opened = document.reading.request;
        timer.start();
        const PartWriting writing = document.writeBack(document.opened);
        writeMs << timer.nsecsElapsed() / 1e6;
        if (writing.bytes != bytes)
            return void(std::printf("saving: the unchanged document is not its file\n"));
    }
    print("an unchanged 80 KB part written back, median", median(writeMs), "ms",
          QStringLiteral("21 runs, target at most its reading: %1 ms").arg(median(readMs), 0, 'f', 2));

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("large.cfg"));
    if (!savePartFileBytes(path, bytes).isEmpty())
        return void(std::printf("saving: cannot write the file\n"));
    MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowActive(&window))
        return void(std::printf("saving: the window was never active\n"));
    OpenClock clock(window.centralWidget()); // closes the account of the file
    qApp->installEventFilter(&clock);
    clock.open(window, path);
    qApp->removeEventFilter(&clock);
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return void(std::printf("saving: the window was never active again\n"));
    QVector<double> ms;
    for (int run = 0; run < 21; ++run) {
        const QString value = QString::number(run + 1);
        for (const char *name : {"Mass", "Cost", "Resist", "Temp", "PuissanceMax"})
            window.findChild<QDoubleSpinBox *>(QLatin1String(name))->setValue(value.toDouble());
        window.findChild<QGroupBox *>(QStringLiteral("Wing"))->setChecked(run % 2 == 0);
        QElapsedTimer timer;
        timer.start();
        QTest::keySequence(&window, QKeySequence::Save);
        ms << timer.nsecsElapsed() / 1e6;
        if (window.isWindowModified())
            return void(std::printf("saving: Ctrl+S did not save\n"));
    }
    print("saving an 80 KB part in place, median", median(ms), "ms",
          QStringLiteral("Ctrl+S to file written, 5 fields and a group changed, 21 runs, target under 16"));
    print("saving an 80 KB part in place, maximum", *std::max_element(ms.begin(), ms.end()), "ms", QStringLiteral("21 runs"));
}

// Runs a program to its end, its output thrown away: its wall time in ms, or -1 if it failed.
double runToEnd(const QStringList &command)
{
    QVector<QByteArray> bytes;
    QVector<char *> argv;
    for (const QString &word : command)
        bytes << QFile::encodeName(word);
    for (QByteArray &word : bytes)
        argv << word.data();
    argv << nullptr;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    int status = -1;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0)
        waitpid(child, &status, 0);
    const double ms = timer.nsecsElapsed() / 1e6;
    posix_spawn_file_actions_destroy(&actions);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ms : -1;
}

// Instructions a program runs, counted by callgrind; -1 if that failed.
double instructions(QStringList valgrindAndProgram)
{
    QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("callgrind.out"));
    valgrindAndProgram.insert(1, QStringLiteral("--tool=callgrind"));
    valgrindAndProgram.insert(2, QStringLiteral("--callgrind-out-file=") + out);
    if (runToEnd(valgrindAndProgram) < 0)
        return -1;
    QFile file(out);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith("totals:") || line.startsWith("summary:"))
            return line.mid(line.indexOf(':') + 1).trimmed().toDouble();
    }
    return -1;
}

// Start-up of the program against the same form in a plain window and against a bare
// window, all to the same point of their first frame (see firstframe.cpp): wall time, then
// instructions.
void startupFigures(const char *until, const QStringList &arguments)
{
    const QString folder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QStringList names = {QStringLiteral("tallowin"), QStringLiteral("form alone"), QStringLiteral("bare window")};
    const QStringList probes = {QStringLiteral("tallowin-startup-probe"), QStringLiteral("form-window-probe"),
                                QStringLiteral("bare-window-probe")};
    const int runs = 21;
    QVector<QVector<double>> ms(probes.size());
    for (int run = -1; run < runs; ++run) { // interleaved, a busy moment hits them all; run -1 warms the file cache
        for (int i = 0; i < probes.size(); ++i) {
            const double wall = runToEnd(QStringList(folder + probes[i]) + arguments);
            if (run >= 0)
                ms[i] << wall;
        }
    }
    const QString figure = QStringLiteral("start-up to %1, ").arg(QLatin1String(until));
    for (const QVector<double> &walls : ms) {
        if (walls.contains(-1)) {
            std::printf("%sa probe failed to run\n", qPrintable(figure));
            return;
        }
    }
    const QString how = QStringLiteral("wall, median of %1 runs").arg(runs);
    for (int i = 0; i < probes.size(); ++i)
        print(figure + names[i], median(ms[i]), "ms", how);
    print(figure + QStringLiteral("wall ratio to a bare window"), median(ms[0]) / median(ms[2]), "x", QStringLiteral("target at most 1.7"));

    const QString valgrind = QStandardPaths::findExecutable(QStringLiteral("valgrind"));
    if (valgrind.isEmpty()) {
        std::printf("%sinstructions: skipped, valgrind is not installed\n", qPrintable(figure));
        return;
    }
    QVector<double> ir;
    for (const QString &probe : probes)
        ir << instructions(QStringList{valgrind, folder + probe} + arguments);
    if (*std::min_element(ir.begin(), ir.end()) <= 0) {
        std::printf("%sinstructions: callgrind failed\n", qPrintable(figure));
        return;
    }
    for (int i = 0; i < probes.size(); ++i)
        print(figure + names[i], ir[i] / 1e6, "M", QStringLiteral("instructions, callgrind Ir"));
    print(figure + QStringLiteral("instructions beyond the form alone"), (ir[0] / ir[1] - 1) * 100, "%", QStringLiteral("target at most 1"));
    print(figure + QStringLiteral("instructions, to a bare window"), ir[0] / ir[2], "x", QStringLiteral("target at most 1.85"));
}

// Times each press from the click to the first painted frame of its result
// dialog, then closes the dialog.
class PressClock : public QObject
{
public:
    void press(QPushButton *button)
    {
        painted = false;
        sinceClick.start();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QVector<double> pressMs;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || painted)
            return false;
        if (auto *dialog = dynamic_cast<FenCodeGenere *>(watched)) {
            painted = true;
            // Runs once the whole frame is painted and flushed, as in the start-up probes.
            QMetaObject::invokeMethod(dialog, [this, dialog] {
                pressMs << sinceClick.nsecsElapsed() / 1e6;
                dialog->accept();
            }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QElapsedTimer sinceClick;
    bool painted = false;
};

double residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) { // /proc files have no size: read to the end
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble();
    }
    return -1;
}

void pressFigures()
{
    QTranslator translator; // as main() does
    installToolkitTranslator(translator, languageCode(QLocale::system().name()));
    MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::printf("presses: the window was never shown\n");
        return;
    }
    for (const char *name : {"Auteur", "Createur", "Nom", "Titre"})
        window.findChild<QLineEdit *>(QLatin1String(name))->setText(QStringLiteral("auteur1"));
    for (const FormField &field : formFields) { // every feature group and check box on
        if (field.checked)
            window.findChild<QWidget *>(QLatin1String(field.widget))->setProperty("checked", true);
    }

    PressClock clock;
    qApp->installEventFilter(&clock);
    auto *button = window.findChild<QPushButton *>(QStringLiteral("generer"));
    double after10 = 0;
    for (int press = 1; press <= 1000; ++press) {
        clock.press(button);
        if (press == 10)
            after10 = residentKiB();
    }
    const double after1000 = residentKiB();
    const QVector<double> first200 = clock.pressMs.mid(0, 200);
    const QString how = QStringLiteral("click to dialog painted, all-blocks form, first %1 presses").arg(first200.size());
    print("press, median", median(first200), "ms", how + QStringLiteral(", target at most 5"));
    print("press, maximum", *std::max_element(first200.begin(), first200.end()), "ms", how + QStringLiteral(", target at most 15"));
    print("resident memory after 10 presses", after10, "KiB", QStringLiteral("VmRSS"));
    print("resident memory after 1000 presses", after1000, "KiB", QStringLiteral("VmRSS"));
    print("memory growth, press 10 to 1000", after1000 - after10, "KiB", QStringLiteral("target under 256"));

    // A 1 MiB description, braces and every kind of line break in it: one more key typed
    // into it (the game's reading checked again), then a press.
    QString big;
    while (big.size() < (1 << 20))
        big += QStringLiteral("Réservoir {de 2 m} // voir\r\nhttp://exemple.fr\u2028\t\u202Eabc\n");
    auto *description = window.findChild<QTextEdit *>(QStringLiteral("Description"));
    description->setPlainText(big);
    description->moveCursor(QTextCursor::End);
    QElapsedTimer typing;
    typing.start();
    QTest::keyClick(description, Qt::Key_X);
    print("a key typed into a 1 MiB description", typing.nsecsElapsed() / 1e6, "ms", QStringLiteral("once"));
    clock.press(button);
    print("press with a 1 MiB description", clock.pressMs.last(), "ms", QStringLiteral("click to dialog painted, once, target under 1000"));
}

// The offscreen platform says at each fixed-size window that it cannot pass the size on: the
// figures, one a line, would drown in it.
QtMessageHandler toolkitHandler = nullptr;
void dropOffscreenNoise(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support propagateSizeHints()")))
        toolkitHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    toolkitHandler = qInstallMessageHandler(dropOffscreenNoise);
    QApplication application(argc, argv);
    builderFigures();
    readerFigures();
    openFigures();
    saveFigures();
    {
        // The probes start in an empty folder, the same on every run: no Logo.ico to load.
        QTemporaryDir emptyFolder;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(emptyFolder.path());
        startupFigures("complete first frame", {});
        startupFigures("first paint event", {QStringLiteral("--until-paint-event")});
        QDir::setCurrent(previous);
    }
    pressFigures();
    return 0;
}
