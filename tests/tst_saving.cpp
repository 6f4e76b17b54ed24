// Saving the opened file as an author does: Ctrl+S writes the form's changes into it and keeps
// the rest, the title marks what is unsaved, closing or opening another file asks first, a
// file changed, gone or refused on disk is never overwritten unasked nor half written, and
// Ctrl+Maj+S saves elsewhere.
#include "contents.h"
#include "displayscale.h"
#include "formfields.h"
#include "mainwindow.h"
#include "partconfig.h"
#include "partfile.h"
#include "windowdriver.h"

#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QProcess>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

class TestSaving : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<MainWindow> window;

    // A part of our own, opened without a word, where each test starts; its mass is 0.
    const QByteArray own = [] {
        GenerationRequest form = freshForm();
        form.auteur = form.createur = QStringLiteral("Moi"), form.nom = QStringLiteral("tank"), form.titre = QStringLiteral("Tank");
        return buildPartConfig(form).toUtf8();
    }();
    static QByteArray withMass(QByteArray text, const char *mass) { return text.replace("\nmass = 0\n", "\nmass = " + QByteArray(mass) + '\n'); }

    // The author's tank in its place, opened: its first part, and its account closed.
    void openAuthorsTank()
    {
        QCOMPARE(savePartFileBytes(path, authorsTank), QString());
        QCOMPARE(answerModals([&] { window->openPartFile(path); }, {}, QString(), {Qt::Key_Return}).size(), 2);
    }

    QString title() const { return window->windowHandle()->title(); }
    void typeMass(const char *mass) { enterValue(field(*window, "Mass"), QString::fromUtf8(mass)); }
    // Keys into the window once it is active again, as the desktop gives it back after a box.
    QStringList press(QKeySequence keys, const QStringList &answers = {}, const QString &file = QString())
    {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            QTest::qFail("the window is not active", __FILE__, __LINE__);
        return answerModals([&] { QTest::keySequence(window.get(), keys); }, answers, file);
    }

public:
    static void initMain()
    {
        enableUnroundedScaling(); // as the program starts
        // The toolkit's own file dialog, the same on every platform, which a test can drive:
        // a test cannot drive the system's.
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    }

private slots:
    void init()
    {
        path = dir.filePath("reservoir.cfg");
        QCOMPARE(savePartFileBytes(path, own), QString());
        window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(answerModals([&] { window->openPartFile(path); }), QStringList());
        QCOMPARE(title(), QStringLiteral("reservoir.cfg — Tallowin"));
    }
    void cleanup()
    {
        window->setWindowModified(false); // nothing to ask when it goes
        window.reset();
        if (QTest::currentDataTag() == QByteArray("read-only"))
            QProcess::execute("chattr", {"-i", path});
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QDir(path).removeRecursively();
        QFile::remove(path);
    }

    // Masse set to 0,375, the fuel's capacity changed, the reaction wheel switched on and the
    // xenon tank off, saved with Ctrl+S or the tool bar button: the file differs only in those
    // lines, after a question for the xenon's comment, and opened again it fills the form as it
    // was left. The title's mark comes with the change and goes with the save, the status bar
    // says what changed; saved again with nothing changed, nothing is written.
    void saveInPlace_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("answer");
        QTest::newRow("Ctrl+S") << "Ctrl+S" << "Enregistrer";
        QTest::newRow("the tool bar button") << "button" << "Enregistrer";
        QTest::newRow("Ctrl+S, Annuler") << "Ctrl+S" << "Annuler";
    }
    void saveInPlace()
    {
        QFETCH(QString, way);
        QFETCH(QString, answer);
        openAuthorsTank();
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        typeMass("0,375");
        QTRY_COMPARE(title(), QStringLiteral("reservoir.cfg* — Tallowin"));
        enterValue(field(*window, "Fuel"), QStringLiteral("120"));
        for (const char *box : {"SAS", "Xenon_2"})
            enterValue(field(*window, box), QString());
        const auto save = [&] {
            window->activateWindow(); // as the desktop gives it back after a box
            if (!QTest::qWaitForWindowActive(window.get()))
                QTest::qFail("the window is not active", __FILE__, __LINE__);
            if (way == "button")
                QTest::mouseClick(window->findChild<QToolBar *>()->widgetForAction(window->findChild<QAction *>("actionEnregistrer")), Qt::LeftButton);
            else
                QTest::keySequence(window.get(), QKeySequence::Save);
        };
        QCOMPARE(answerModals(save, {answer}), QStringList("Enregistrer|Enregistrer supprimera une ligne de reservoir.cfg que le "
                                                            "formulaire ne contient pas.|ligne 25 : amount = 400 // plein"));
        QByteArray expected = authorsTank;
        expected.replace("mass = 0.25", "mass = 0.375").replace("mount = 90", "mount = 120.00")
            .replace("\tmaxTemp = 2000\r\n", "\tmaxTemp = 2000\r\n\t// --- SAS parameters ---\r\n\r\n\tmaxTorque = 0\r\n\r\n")
            .replace("\tRESOURCE\r\n\t{\r\n\t\tname = XenonGas\r\n\t\tamount = 400 // plein\r\n\t\tmaxAmount = 400\r\n\t}\r\n", "");
        QCOMPARE(contents(path), answer == "Annuler" ? authorsTank : expected);
        QCOMPARE(title(), answer == "Annuler" ? QStringLiteral("reservoir.cfg* — Tallowin") : QStringLiteral("reservoir.cfg — Tallowin"));
        if (answer == "Annuler")
            return;
#ifdef Q_OS_UNIX // Windows has only its read-only attribute
        QCOMPARE(QFile::permissions(path) & ~QFile::ReadUser & ~QFile::WriteUser, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
#endif
        QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral(
            "reservoir.cfg enregistré : 3 valeurs changées, 4 lignes ajoutées, 6 lignes supprimées"));
        if (way == "Ctrl+S") { // opened again in a new window: the same form, the same text
            MainWindow again;
            again.show();
            answerModals([&] { again.openPartFile(path); }, {}, QString(), {Qt::Key_Return});
            QCOMPARE(pressGenerer(again).value(0).text, pressGenerer(*window).value(0).text);
        }
        QVERIFY(QFile::remove(path)); // saved again with nothing changed: not written
        QCOMPARE(answerModals(save), QStringList());
        QCOMPARE(contents(path), QByteArray("<none>"));
        QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("reservoir.cfg est à jour : rien à enregistrer."));
    }

    // The file as another program left it: a question before overwriting a changed file, one
    // sentence where it cannot be saved; the form keeps its changes whatever happens.
    void fileOnDisk_data()
    {
        QTest::addColumn<QString>("disk");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QByteArray>("after"); // the file's contents, "saved" for the form's changes
        const QString changed = "Enregistrer|reservoir.cfg a été modifié en dehors de Tallowin depuis son ouverture. L'écraser ?";
        const QString cannot = "Erreur|Impossible d'enregistrer le fichier « PATH » : %1 ; « Enregistrer sous... » peut enregistrer le formulaire ailleurs.";
        QTest::newRow("changed, Annuler") << "changed" << "Annuler" << changed << QByteArray("PART { name = other }");
        QTest::newRow("changed, Échap") << "changed" << "Échap" << changed << QByteArray("PART { name = other }");
        QTest::newRow("changed, Écraser") << "changed" << "Écraser" << changed << QByteArray("saved");
        QTest::newRow("gone") << "gone" << "" << cannot.arg("il n'existe plus") << QByteArray("<none>");
        QTest::newRow("a folder") << "folder" << "" << cannot.arg("c'est maintenant un dossier") << QByteArray("<none>");
        QTest::newRow("read-only") << "read-only" << "" << cannot.arg("le fichier n'est plus accessible en écriture") << QByteArray("own");
    }
    void fileOnDisk()
    {
        QFETCH(QString, disk);
        QFETCH(QString, answer);
        QFETCH(QString, said);
        QFETCH(QByteArray, after);
        typeMass("2");
        if (disk == "changed")
            QCOMPARE(savePartFileBytes(path, "PART { name = other }"), QString());
        if (disk == "gone" || disk == "folder")
            QVERIFY(QFile::remove(path));
        if (disk == "folder")
            QVERIFY(QDir(dir.path()).mkdir("reservoir.cfg"));
        if (disk == "read-only" && QFile::setPermissions(path, QFile::ReadOwner) && QFileInfo(path).isWritable())
            QProcess::execute("chattr", {"+i", path}); // where the user writes into read-only files: immutable
        if (disk == "read-only" && QFileInfo(path).isWritable())
            QSKIP("this user writes into read-only files");
        QCOMPARE(press(QKeySequence::Save, {answer}), QStringList(said.replace("PATH", QDir::toNativeSeparators(path))));
        QCOMPARE(contents(path), after == "saved" ? withMass(own, "2") : after == "own" ? own : after);
        QCOMPARE(title(), after == "saved" ? QStringLiteral("reservoir.cfg — Tallowin") : QStringLiteral("reservoir.cfg* — Tallowin"));
        QCOMPARE(field<QDoubleSpinBox>(*window, "Mass")->text(), QStringLiteral("2"));
    }

    // Closing with unsaved changes, or opening another file, asks first; Échap changes nothing.
    void changesAsked_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("goesOn");  // the window closed, the other file opened
        QTest::addColumn<bool>("saved");
        for (const char *action : {"close", "open another"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1, Enregistrer").arg(action))) << action << "Enregistrer" << true << true;
            QTest::newRow(qPrintable(QStringLiteral("%1, Ne pas enregistrer").arg(action))) << action << "Ne pas enregistrer" << true << false;
            QTest::newRow(qPrintable(QStringLiteral("%1, Annuler").arg(action))) << action << "Annuler" << false << false;
            QTest::newRow(qPrintable(QStringLiteral("%1, Échap").arg(action))) << action << "Échap" << false << false;
        }
    }
    void changesAsked()
    {
        QFETCH(QString, action);
        QFETCH(QString, answer);
        QFETCH(bool, goesOn);
        QFETCH(bool, saved);
        const QString other = dir.filePath("autre.cfg");
        QCOMPARE(savePartFileBytes(other, "PART { name = autre }"), QString());
        const auto act = [&] { action == "close" ? void(window->close()) : window->openPartFile(other); };
        QCOMPARE(answerModals(act), QStringList()); // nothing changed: no question
        if (action == "open another")
            window->openPartFile(path);
        else
            window->show();
        typeMass("3");
        QCOMPARE(answerModals(act, {answer}), QStringList("Tallowin|Enregistrer les modifications de reservoir.cfg ?"));
        QCOMPARE(contents(path), saved ? withMass(own, "3") : own);
        QCOMPARE(action == "close" ? !window->isVisible() : field<QLineEdit>(*window, "Nom")->text() == "autre", goesOn);
    }

    // Ctrl+Maj+S: the file dialog in the file's folder, the file's name proposed; the file chosen
    // gets the same text and becomes the one opened. Without a file opened, Ctrl+S asks for a
    // name too, after the required fields, and saves the generated text.
    void saveAs_data()
    {
        QTest::addColumn<bool>("openedFile");
        QTest::newRow("a file opened, Ctrl+Maj+S") << true;
        QTest::newRow("nothing opened, Ctrl+S") << false;
    }
    void saveAs()
    {
        QFETCH(bool, openedFile);
        const QString copy = dir.filePath("copie.cfg");
        QFile::remove(copy);
        if (!openedFile) {
            window = std::make_unique<MainWindow>();
            window->show();
            QCOMPARE(press(QKeySequence::Save), QStringList("Erreur|Veuillez remplir les champs Auteur; Créateur; Nom et Titre."));
            fillRequired(*window);
        }
        typeMass("4");
        const QStringList said = press(openedFile ? QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S) : QKeySequence::Save, {}, copy);
        QCOMPARE(said, QStringList("Enregistrer la pièce|" + dir.path() + (openedFile ? "|reservoir.cfg|" : "|N.cfg|")
                                   + "Configuration de pièce (*.cfg);;Tous les fichiers (*)"));
        QCOMPARE(contents(path), own);
        QVERIFY(contents(copy).contains("mass = 4"));
        QCOMPARE(title(), QStringLiteral("copie.cfg — Tallowin"));
        typeMass("5"); // the copy is the file opened now
        QCOMPARE(press(QKeySequence::Save), QStringList());
        QVERIFY(contents(copy).contains("mass = 5"));
    }

    // The account of a file the form does not show whole, read again from the status bar.
    void accountAgain()
    {
        openAuthorsTank();
        auto *button = window->findChild<QToolButton *>("accountButton");
        QVERIFY(button && button->isVisible());
        QCOMPARE(answerModals([&] { QTest::mouseClick(button, Qt::LeftButton); }).value(0).section('|', 0, 1), QStringLiteral(
            "Ouvrir une pièce|reservoir.cfg : 12 valeurs reprises ; 16 lignes que le formulaire ne montre pas resteront dans le fichier."));
    }
};

QTEST_MAIN(TestSaving)
#include "tst_saving.moc"
