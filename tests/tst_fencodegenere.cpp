// The result dialog: the clipboard, its look, and the save button.
#include "contents.h"
#include "fencodegenere.h"
#include "partfile.h"
#include "windowdriver.h"

#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

namespace {
// Non-ASCII letters, a tab and "\n" line ends, as the text builder writes them.
const QString code = QStringLiteral("PART\n{\n\tname = Réservoir « été » Ω\n\tmass = 1.250\n}\n");

} // namespace

class TstFenCodeGenere : public QObject
{
    Q_OBJECT
private slots:
    void clipboard_data()
    {
        QTest::addColumn<QString>("action");
        for (const char *action : {"Fermer", "Escape", "edit, copy a word, Copier"})
            QTest::newRow(action) << QString::fromUtf8(action);
    }
    void clipboard()
    {
        QFETCH(QString, action);
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("avant"));
        FenCodeGenere dialog(code);
        QCOMPARE(clipboard->text(), code); // before any button
        dialog.show();
        if (action == "Fermer") {
            QTest::mouseClick(field<QPushButton>(dialog, "fermer"), Qt::LeftButton);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        } else if (action == "Escape") {
            QTest::keyClick(&dialog, Qt::Key_Escape);
        } else {
            auto *text = dialog.findChild<QTextEdit *>();
            QTextCursor cursor = text->textCursor();
            cursor.insertText(QStringLiteral("modifié "));
            cursor.movePosition(QTextCursor::PreviousWord, QTextCursor::KeepAnchor);
            text->setTextCursor(cursor);
            text->copy();
            QCOMPARE(clipboard->text(), QStringLiteral("modifié "));
            QTest::mouseClick(field<QPushButton>(dialog, "copier"), Qt::LeftButton);
        }
        QCOMPARE(dialog.isVisible(), action.endsWith("Copier"));
        QCOMPARE(clipboard->text(), code); // exactly as generated, without the edits
    }

    void layoutAndLook()
    {
        FenCodeGenere dialog(code);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // 1200 x 800 where the screen has room, never beyond it, so that "Fermer" stays in reach.
        const QRect room = dialog.screen()->availableGeometry();
        QVERIFY(room.contains(dialog.frameGeometry()));
        if (room.width() >= 1400 && room.height() >= 1000)
            QCOMPARE(dialog.size(), QSize(1200, 800));
        // The text takes the room the buttons leave; the save button keeps its own spelling.
        QVERIFY(dialog.findChild<QTextEdit *>()->height() > dialog.height() / 2);
        QCOMPARE(field<QPushButton>(dialog, "enregistrer")->text(), QStringLiteral("Enregister sous..."));
    }

    // Saving: the name offered, the file written or not, a question first over a file opened with lines left out.
    void saveButton_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("answer"); // to the question before saving over the file opened
        QTest::newRow("accepted") << true << "";
        QTest::newRow("cancelled") << false << "";
        QTest::newRow("over the file opened, Annuler") << true << "Annuler";
        QTest::newRow("over the file opened, Remplacer") << true << "Remplacer";
    }
    void saveButton()
    {
        QFETCH(bool, accept);
        QFETCH(QString, answer);
#ifdef Q_OS_WIN
        // There the program opens the system's file dialog, which a test cannot drive, and
        // Qt's own, under Wine, now and then ends the process. The wiring is the same on
        // every platform; the naming and the writing are tested without a window.
        QSKIP("no file dialog that a test can drive");
#endif
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("choisi.cfg"));
        FenCodeGenere dialog(code, nullptr, QStringLiteral("Réservoir R/1"));
        if (!answer.isEmpty()) {
            QFile opened(path);
            QVERIFY(opened.open(QIODevice::WriteOnly) && opened.write("PART { MODEL {} }") > 0);
            dialog.keepLinesOf(path, 2);
        }
        dialog.show();
        rememberChosenFile(dir.filePath("x.cfg"));
        const QStringList said = answerModals([&] { QTest::mouseClick(field<QPushButton>(dialog, "enregistrer"), Qt::LeftButton); },
                                              {answer, "&Yes"}, accept ? path : QString()); // "&Yes": the file dialog's "replace?"
        QCOMPARE(said.value(0), "Enregistrer la configuration|" + dir.path() + "|Réservoir R_1.cfg|"
                                "Configuration de pièce (*.cfg);;Tous les fichiers (*)");
        QCOMPARE(said.value(2).section('|', 1), answer.isEmpty() ? QString()
                 : QStringLiteral("choisi.cfg a 2 lignes que le texte généré n'a pas : l'enregistrer sous ce nom les ferait perdre."));
        QCOMPARE(contents(path), !accept ? QByteArray("<none>") : answer == "Annuler" ? QByteArray("PART { MODEL {} }") : code.toUtf8());
        QVERIFY(dialog.isVisible()); // still open, the author can still copy
        if (accept && answer != "Annuler") // the next proposal is in the folder just used
            QCOMPARE(proposedPartFile(QStringLiteral("x")), dir.filePath(QStringLiteral("x.cfg")));
    }
};

QTEST_MAIN(TstFenCodeGenere)
#include "tst_fencodegenere.moc"
