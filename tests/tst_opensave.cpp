// A part file through the window, as an author meets it. Opening: each way in, the choice
// among parts, the question before replacing, the account. Saving: Ctrl+S writes the form's
// changes into the file and keeps the rest, the title marks what is unsaved, closing or opening
// another file asks first, a file changed, gone or refused on disk is never overwritten unasked
// nor half written, and Ctrl+Maj+S saves elsewhere. (tst_generation opens every text it
// generates again.)
#include "contents.h"
#include "displayscale.h"
#include "formfields.h"
#include "mainwindow.h"
#include "partconfig.h"
#include "partfile.h"
#include "windowdriver.h"

#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

const QByteArray handText = "PART {\n\tname = hand // mine\n\tmass = 3\n\tMODEL { model = x }\n}\n";
const QByteArray threeParts = "PART { name = a\ntitle = Réservoir A }\nPART { name = b }\nPART { title = C }\n";

} // namespace

class TestOpenSave : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<MainWindow> window;

    // A part of our own, named tank by Moi; its mass is 0.
    const QByteArray own = [] {
        GenerationRequest form = freshForm();
        form.auteur = form.createur = QStringLiteral("Moi"), form.nom = QStringLiteral("tank"), form.titre = QStringLiteral("Tank");
        return buildPartConfig(form).toUtf8();
    }();
    static QByteArray withMass(QByteArray text, const char *mass) { return text.replace("\nmass = 0\n", "\nmass = " + QByteArray(mass) + '\n'); }

    QString write(const QString &name, const QByteArray &bytes)
    {
        if (const QString failure = savePartFileBytes(dir.filePath(name), bytes); !failure.isEmpty())
            QTest::qFail(qPrintable(failure), __FILE__, __LINE__);
        return dir.filePath(name);
    }
    // Our own part at path, opened without a word.
    void openOwn()
    {
        write("reservoir.cfg", own);
        QCOMPARE(answerModals([&] { window->openPartFile(path); }), QStringList());
        QCOMPARE(title(), QStringLiteral("reservoir.cfg — Tallowin"));
    }
    // The author's tank at path, opened: its first part, and its account closed.
    void openAuthorsTank()
    {
        write("reservoir.cfg", authorsTank);
        QCOMPARE(answerModals([&] { window->openPartFile(path); }, {}, QString(), {Qt::Key_Return}).size(), 2);
    }

    QString title() const { return window->windowHandle()->title(); }
    void typeMass(const char *mass) { enterValue(field(*window, "Mass"), QString::fromUtf8(mass)); }

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
        window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
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

    // Each way in opens reservoir.cfg (the dialog in the folder last used, a drop even onto a
    // text field), names the window after it; an argument that names no file changes nothing.
    void waysIn_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("nom");
        for (const char *way : {"the tool bar button", "Ctrl+O", "a drop onto Nom", "reservoir.cfg"})
            QTest::newRow(way) << way << "tank";
        for (const char *way : {"absent.cfg", ".", ""})
            QTest::newRow(qPrintable(QStringLiteral("argument \"%1\"").arg(way))) << way << "";
    }
    void waysIn()
    {
        QFETCH(QString, way);
        QFETCH(QString, nom);
        const bool dialog = way == "the tool bar button" || way == "Ctrl+O";
        write("reservoir.cfg", own);
        rememberChosenFile(dialog ? path : QDir::home().filePath("x.cfg"));
        auto *button = qobject_cast<QToolButton *>(field<QToolBar>(*window, "mainToolBar")->widgetForAction(
            window->findChild<QAction *>("actionOuvrir")));
        QVERIFY(button && !button->icon().isNull() && button->text() == QStringLiteral("Ouvrir..."));
        QMimeData data; // as a file manager drags a file
        data.setUrls({QUrl::fromLocalFile(path)});
        data.setText(QUrl::fromLocalFile(path).toString());
        QWidget *target = field(*window, "Nom");
        QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop(target->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        const QStringList said = answerModals([&] {
            if (way == "Ctrl+O")
                QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
            else if (dialog)
                QTest::mouseClick(button, Qt::LeftButton);
            else if (way == "a drop onto Nom")
                QVERIFY(QApplication::sendEvent(target, &enter) && enter.isAccepted() && QApplication::sendEvent(target, &drop));
            else
                window->openStartFile(way.isEmpty() ? QStringList{"tallowin"} : QStringList{"tallowin", dir.filePath(way)});
        }, {}, path);
        QCOMPARE(said, dialog ? QStringList("Ouvrir une pièce|" + dir.path() + "||Configuration de pièce (*.cfg);;Tous les fichiers (*)")
                              : QStringList());
        QTRY_COMPARE(field<QLineEdit>(*window, "Nom")->text(), nom); // a drop opens the file once it is over
        QCOMPARE(window->windowHandle()->title(), nom.isEmpty() ? QStringLiteral("Tallowin") : QStringLiteral("reservoir.cfg — Tallowin"));
        if (!nom.isEmpty())
            QCOMPARE(proposedFolder(), dir.path());
    }

    // Several parts: names and titles listed, the first chosen; Return opens the chosen one, Escape nothing.
    void severalParts_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("nom");
        QTest::newRow("Return") << QList<int>{Qt::Key_Return} << "a";
        QTest::newRow("Down, Return") << QList<int>{Qt::Key_Down, Qt::Key_Return} << "b";
        QTest::newRow("Escape") << QList<int>{Qt::Key_Escape} << "";
    }
    void severalParts()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QString, nom);
        const QString path = write("pack.cfg", threeParts);
        const QStringList said = answerModals([&] { window->openPartFile(path); }, {}, QString(), keys);
        QCOMPARE(said.value(0), QStringLiteral("Ouvrir une pièce|a — Réservoir A, b, (sans nom) — C|0"));
        QCOMPARE(said.size(), nom.isEmpty() ? 1 : 2); // and the account of the parts left in the file
        QCOMPARE(field<QLineEdit>(*window, "Nom")->text(), nom);
    }

    // What was typed is replaced only once the author says so; an account only when the form
    // cannot hold the whole file, and again from the status bar; a file without a part leaves
    // the form as it was.
    void replacingAndAccount_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("typed");   // into Auteur first
        QTest::addColumn<QString>("answer");  // to the question, if any: its default when empty
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QString>("auteur");
        const QString question = "Ouvrir une pièce|Remplacer le formulaire par le contenu de r.cfg ?";
        QTest::newRow("nothing typed: no question") << own << "" << "" << QStringList() << "Moi";
        QTest::newRow("Annuler") << own << "x" << "Annuler" << QStringList(question) << "x";
        QTest::newRow("Escape") << own << "x" << "" << QStringList(question) << "x";
        QTest::newRow("Remplacer") << own << "x" << "Remplacer" << QStringList(question) << "Moi";
        QTest::newRow("by hand: an account") << handText << "" << "" << QStringList("Ouvrir une pièce|r.cfg : 2 valeurs "
            "reprises ; 2 lignes que le formulaire ne montre pas resteront dans le fichier.|ligne 2 : le "
            "commentaire « // mine » ; le jeu l'ignore.\nligne 4 : « MODEL » : le formulaire n'a pas de champ pour ce bloc.") << "";
        QTest::newRow("a patch") << QByteArray("@PART[tank] { @mass = 2 }") << "x" << "" << QStringList(
            "Ouvrir une pièce|r.cfg ne définit aucune pièce : il modifie des pièces existantes (@PART[...]).") << "x";
    }
    void replacingAndAccount()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, typed);
        QFETCH(QString, answer);
        QFETCH(QStringList, said);
        QFETCH(QString, auteur);
        const QString path = write("r.cfg", bytes);
        QTest::keyClicks(field(*window, "Auteur"), typed);
        QCOMPARE(answerModals([&] { window->openPartFile(path); }, {answer}), said);
        QCOMPARE(field<QLineEdit>(*window, "Auteur")->text(), auteur);
        if (auteur == "Moi") // opened, nothing typed since: no question
            QCOMPARE(answerModals([&] { window->openPartFile(path); }), QStringList());
        if (bytes != handText)
            return;
        QWidget *account = field(*window, "accountButton"); // shown again from the status bar while the file is open
        QVERIFY(account->isVisible());
        QCOMPARE(answerModals([&] { QTest::mouseClick(account, Qt::LeftButton); }), said);
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
            activate(*window);
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
        openOwn();
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
        QCOMPARE(pressKeys(*window, QKeySequence::Save, {answer}), QStringList(said.replace("PATH", QDir::toNativeSeparators(path))));
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
        openOwn();
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
        if (openedFile) {
            openOwn();
        } else {
            QCOMPARE(pressKeys(*window, QKeySequence::Save), QStringList("Erreur|Veuillez remplir les champs Auteur; Créateur; Nom et Titre."));
            fillRequired(*window);
        }
        typeMass("4");
        const QStringList said = pressKeys(*window, openedFile ? QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S) : QKeySequence::Save, {}, copy);
        QCOMPARE(said, QStringList("Enregistrer la pièce|" + dir.path() + (openedFile ? "|reservoir.cfg|" : "|N.cfg|")
                                   + "Configuration de pièce (*.cfg);;Tous les fichiers (*)"));
        QCOMPARE(contents(path), openedFile ? own : QByteArray("<none>"));
        QVERIFY(contents(copy).contains("mass = 4"));
        QCOMPARE(title(), QStringLiteral("copie.cfg — Tallowin"));
        typeMass("5"); // the copy is the file opened now
        QCOMPARE(pressKeys(*window, QKeySequence::Save), QStringList());
        QVERIFY(contents(copy).contains("mass = 5"));
    }
};

QTEST_MAIN(TestOpenSave)
#include "tst_opensave.moc"
