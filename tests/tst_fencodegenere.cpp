// The result dialog: the clipboard, its look, and the save button.
#include "fencodegenere.h"
#include "partfile.h"
#include "windowdriver.h"

#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QLineEdit>
#include <QPushButton>
#include <QLayout>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

namespace {
// Non-ASCII letters, a tab and "\n" line ends, as the text builder writes them.
const QString code = QStringLiteral("PART\n{\n\tname = Réservoir « été » Ω\n\tmass = 1.250\n}\n");

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}
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
        // Top to bottom: the text, then copy, save and close; the text takes the room left.
        QStringList order;
        for (int i = 0; i < dialog.layout()->count(); ++i) {
            QWidget *widget = dialog.layout()->itemAt(i)->widget();
            order << (qobject_cast<QTextEdit *>(widget) ? QStringLiteral("text") : widget->property("text").toString());
        }
        QCOMPARE(order, QStringList({"text", "Copier le texte généré", "Enregister sous...", "Fermer"}));
        QVERIFY(dialog.findChild<QTextEdit *>()->height() > dialog.height() / 2);
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
        QString proposed;
        QStringList asked;
        // Each answer waits for the window's own event loop: the next window opens inside it.
        const auto later = [](QDialog *modal, std::function<void()> act) { QTimer::singleShot(0, modal, act); };
        handleModals([&] { QTest::mouseClick(field<QPushButton>(dialog, "enregistrer"), Qt::LeftButton); },
                     [&](QDialog *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal)) { // the file dialog's "replace?", then ours
                asked << box->text();
                for (QAbstractButton *button : box->buttons()) {
                    if (QString(button->text()).remove('&') == answer || button->text() == "&Yes")
                        return later(modal, [button] { button->click(); });
                }
            }
            auto *files = qobject_cast<QFileDialog *>(modal);
            if (!files)
                return modal->reject();
            proposed = QFileInfo(files->selectedFiles().value(0)).fileName() + '|'
                + files->windowTitle() + '|' + files->nameFilters().join(";;");
            later(modal, [files, path, accept] {
                // Set the name rather than type it: typing may open the completer, which takes Return.
                auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                name->setText(path);
                accept ? QTest::keyClick(name, Qt::Key_Return) : files->reject();
            });
        });
        QCOMPARE(proposed, QStringLiteral("Réservoir R_1.cfg|Enregistrer la configuration|"
                                          "Configuration de pièce (*.cfg);;Tous les fichiers (*)"));
        QCOMPARE(asked.value(1), answer.isEmpty() ? QString()
                 : QStringLiteral("choisi.cfg a 2 lignes que le texte généré n'a pas : l'enregistrer sous ce nom les ferait perdre."));
        QCOMPARE(contents(path), !accept ? QByteArray("<unreadable>") : answer == "Annuler" ? QByteArray("PART { MODEL {} }") : code.toUtf8());
        QVERIFY(dialog.isVisible()); // still open, the author can still copy
        if (accept && answer != "Annuler") // the next proposal is in the folder just used
            QCOMPARE(proposedPartFile(QStringLiteral("x")), dir.filePath(QStringLiteral("x.cfg")));
    }
};

QTEST_MAIN(TstFenCodeGenere)
#include "tst_fencodegenere.moc"
