// Pressing "Générer !": the required fields, each of the 44 form values typed on its own and
// all of them by keyboard alone, each on its own line as its field shows it, the fields the
// game will read otherwise, and many presses that leave nothing behind.
#include "contents.h"
#include "displayscale.h"
#include "formfields.h"
#include "mainwindow.h"
#include "partconfig.h"
#include "partfile.h"
#include "windowdriver.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QStatusBar>
#include <QTextEdit>
#include <QtTest>

namespace {

using R = GenerationRequest;

// The rows of the table: its values, or its checked states.
void addRows(bool values)
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < formFields.size(); ++i) {
        if (bool(formFields[i].value) == values)
            QTest::newRow(formFields[i].widget) << i;
    }
}


} // namespace

class TestGeneration : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<MainWindow> window; // made once for all rows

    // Every block on, with the names fillRequired() types: each row starts from this text,
    // opened from a file, what the row before left unsaved dropped; nothing typed.
    void openEveryBlock() { openText(*window, dir.filePath("every.cfg"), named(everyBlockOn())); }

    // The text Ctrl+S writes into the file opened, with nothing asked.
    QString saved()
    {
        const QStringList asked = pressKeys(*window, QKeySequence::Save);
        return asked.isEmpty() ? QString::fromUtf8(contents(dir.filePath("every.cfg"))) : asked.join('\n');
    }

    // Every block on, one field changed as a person does: saved in place and generated, the
    // text changes just so; a number field then keeps to its maximum. Under Wine, where each
    // result dialog takes a second, a sample of the rows is generated.
    void pressWithOneChange()
    {
        QFETCH(int, row);
        const FormField &f = formFields[row];
#ifdef Q_OS_WIN
        const bool generated = row % 8 == 0;
#else
        const bool generated = true;
#endif
        openEveryBlock();
        QWidget *widget = field(*window, f.widget);
        enterValue(widget, QString::fromUtf8(f.typed));
        R expected = named(everyBlockOn());
        if (f.checked)
            expected.*f.checked = false;
        else
            expected.*f.value = QString::fromUtf8(f.written);
        if (f.value == &R::fuelAmount) // the oxidizer follows at 0.9 times the fuel
            expected.oxiAmount = QStringLiteral("1111111.10");
        QCOMPARE(saved(), buildPartConfig(expected));
        if (generated) {
            const QList<Shown> shown = pressGenerer(*window);
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].text, buildPartConfig(expected));
        }
        if (f.maximum) { // typed, then one step up: the field stays at its largest
            enterValue(widget, QString::fromUtf8(f.maximum).replace('.', ','));
            QTest::keyClick(widget, Qt::Key_Up);
            QCOMPARE(static_cast<QAbstractSpinBox *>(widget)->text(), QLatin1String(f.maximum));
            expected.*f.value = QLatin1String(f.maximum);
            if (f.value == &R::fuelAmount)
                expected.oxiAmount = QStringLiteral("900000000.00");
            QCOMPARE(saved(), buildPartConfig(expected));
        }
    }

public:
    static void initMain() { enableUnroundedScaling(); } // as the program starts

private slots:
    void initTestCase()
    {
        window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanupTestCase()
    {
        window->setWindowModified(false); // nothing to ask when it goes
    }

    void requiredFields_data()
    {
        QTest::addColumn<QStringList>("empty");
        for (const char *name : {"Auteur", "Createur", "Nom", "Titre"})
            QTest::newRow(name) << QStringList(QLatin1String(name));
        QTest::newRow("all four") << QStringList({"Auteur", "Createur", "Nom", "Titre"});
    }
    void requiredFields()
    {
        QFETCH(QStringList, empty);
        openEveryBlock();
        for (const QString &name : empty)
            enterValue(field(*window, name), QString());
        QApplication::clipboard()->setText(QStringLiteral("before"));

        const QList<Shown> shown = pressGenerer(*window);
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].isErrorBox);
        QCOMPARE(shown[0].text, QStringLiteral("Veuillez remplir les champs Auteur; Créateur; Nom et Titre."));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
    }

    // A value typed into one field, every block on: read from another widget, or not read,
    // it changes the text. A number field also keeps to its maximum.
    void eachValueReachesItsLine_data() { addRows(true); }
    void eachValueReachesItsLine() { pressWithOneChange(); }

    // One feature group or check box unticked with Space, every other one on.
    void eachCheckReachesItsLines_data() { addRows(false); }
    void eachCheckReachesItsLines() { pressWithOneChange(); }

    // The whole form with the keyboard alone, as it opens: Tab from field to field in reading
    // order, each value typed, each check box and group toggled with Space, "Générer !" pressed
    // with Space; then Shift+Tab back the same way.
    void wholeFormByKeyboard()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const auto focused = [] { // a spin box's focus is in its line edit
            QWidget *widget = QApplication::focusWidget();
            if (widget && qobject_cast<QAbstractSpinBox *>(widget->parentWidget()))
                widget = widget->parentWidget();
            return widget ? widget->objectName() : QString();
        };
        for (const FormField &f : formFields) { // Tab leaves every field, the description too
            QCOMPARE(focused(), QLatin1String(f.widget));
            enterValue(QApplication::focusWidget(), QString::fromUtf8(f.typed));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(focused(), QStringLiteral("generer"));
        const QList<Shown> shown = pressGenerer(window, [] {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        });
        QVERIFY(shown.size() == 1 && !shown[0].isErrorBox); // each value reached its line in the rows above
        activate(window);
        QTRY_COMPARE(focused(), QStringLiteral("generer"));
        for (int i = formFields.size() - 1; i >= 0; --i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
            QCOMPARE(focused(), QLatin1String(formFields[i].widget));
        }
    }

    // A value the game will read otherwise is marked as it is typed, explained in the status
    // bar, and named there after "Générer !"; the text keeps it as typed.
    void gameReadingWarnings()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        fillRequired(window);
        auto *nom = field<QLineEdit>(window, "Nom");
        auto *description = field<QTextEdit>(window, "Description");
        const auto mark = [](QWidget *widget) { return widget->findChild<QObject *>("readingMark"); };
        QVERIFY(!mark(nom) || !mark(nom)->property("visible").toBool()); // made when first needed
        QTest::mouseClick(description->viewport(), Qt::LeftButton);
        typeText(description, QStringLiteral("voir http://exemple.fr"));
        QVERIFY(window.statusBar()->currentMessage().startsWith("Description : le jeu lira"));
        QCOMPARE(window.statusBar()->currentMessage(), mark(description)->property("toolTip").toString());
        QTest::mouseClick(nom, Qt::LeftButton);
        enterValue(nom, QStringLiteral("mon_reservoir"));
        QVERIFY(mark(nom)->property("visible").toBool());
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral(
            "Nom : le jeu nommera la pièce « mon.reservoir » ; il remplace chaque _ par un point."));
        QTest::mouseClick(field(window, "Titre"), Qt::LeftButton);
        QCOMPARE(window.statusBar()->currentMessage(), QString());

        const QStringList lines = pressGenerer(window).value(0).text.split('\n');
        QVERIFY(lines.contains("name = mon_reservoir") && lines.contains("description = voir http://exemple.fr"));
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral(
            "Attention : Nom, Description — le jeu les lira autrement (voir les champs marqués)"));
        description->clear();
        QVERIFY(!mark(description)->property("visible").toBool());
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral(
            "Attention : Nom — le jeu le lira autrement (voir le champ marqué)"));
    }

    // The form as it opens, pressed again and again: the same text every time, and nothing
    // left behind. The package checks expect this text from the same four names: it is
    // written where TALLOWIN_FRESH_FORM_TEXT says.
    void freshFormManyPresses()
    {
#ifdef Q_OS_WIN
        const int presses = 10; // a dialog takes about a second to open under Wine
#else
        const int presses = 200;
#endif
        MainWindow window;
        window.show();
        fillRequired(window);
        // The toolkit's animations (first layout, a button's hover) come and go on their own.
        const auto lasting = [&window] {
            const auto all = window.findChildren<QObject *>();
            return std::count_if(all.begin(), all.end(), [](QObject *o) { return !qobject_cast<QAbstractAnimation *>(o); });
        };
        const auto children = lasting();
        const int windows = QApplication::topLevelWidgets().size();
        const QString first = pressGenerer(window).value(0).text;
        QCOMPARE(first, buildPartConfig(named(freshForm())));
        QFile file(qEnvironmentVariable("TALLOWIN_FRESH_FORM_TEXT"));
        if (!file.fileName().isEmpty())
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(first.toUtf8()) > 0);
        for (int i = 1; i < presses; ++i)
            QCOMPARE(pressGenerer(window).value(0).text, first);
        QCOMPARE(lasting(), children);
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    }
};

QTEST_MAIN(TestGeneration)
#include "tst_generation.moc"
