// Opening a part file as an author does: each way in, the choice among parts, the question
// before replacing, the account. (tst_generation opens every text it generates again.)
#include "displayscale.h"
#include "mainwindow.h"
#include "partfile.h"
#include "windowdriver.h"

#include <QLineEdit>
#include <QMimeData>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

const QByteArray ownText = "PART{\nname = tank\nauthor = Moi\ntitle = Tank\nmanufacturer = Moi\nmass = 2\n}";
const QByteArray handText = "PART {\n\tname = hand // mine\n\tmass = 3\n\tMODEL { model = x }\n}\n";
const QByteArray threeParts = "PART { name = a\ntitle = Réservoir A }\nPART { name = b }\nPART { title = C }\n";

} // namespace

class TestOpening : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<MainWindow> window;

    QString write(const QString &name, const QByteArray &bytes)
    {
        savePartFile(dir.filePath(name), QString::fromUtf8(bytes));
        return dir.filePath(name);
    }

public:
    static void initMain() { enableUnroundedScaling(); } // as the program starts

private slots:
    void init()
    {
        window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
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
#ifdef Q_OS_WIN
        if (dialog)
            QSKIP("the system's file dialog, which a test cannot drive");
#endif
        const QString path = write("reservoir.cfg", ownText);
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
    // cannot hold the whole file; a file without a part leaves the form as it was.
    void replacingAndAccount_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("typed");   // into Auteur first
        QTest::addColumn<QString>("answer");  // to the question, if any: its default when empty
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QString>("auteur");
        const QString question = "Ouvrir une pièce|Remplacer le formulaire par le contenu de r.cfg ?";
        QTest::newRow("nothing typed: no question") << ownText << "" << "" << QStringList() << "Moi";
        QTest::newRow("Annuler") << ownText << "x" << "Annuler" << QStringList(question) << "x";
        QTest::newRow("Escape") << ownText << "x" << "" << QStringList(question) << "x";
        QTest::newRow("Remplacer") << ownText << "x" << "Remplacer" << QStringList(question) << "Moi";
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
    }
};

QTEST_MAIN(TestOpening)
#include "tst_opening.moc"
