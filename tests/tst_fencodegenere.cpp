// The result dialog: the clipboard, its look, and saving the text to a file.
#include "fencodegenere.h"
#include "windowdriver.h"

#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>
#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {
// Non-ASCII letters, a tab and "\n" line ends, as the text builder writes them.
const QString code = QStringLiteral("PART\n{\n\tname = Réservoir « été » Ω\n\tmass = 1.250\n}\n");

QPushButton *button(const QWidget &dialog, const char *text)
{
    for (auto *b : dialog.findChildren<QPushButton *>()) {
        if (b->text() == QString::fromUtf8(text))
            return b;
    }
    qFatal("no button %s", text);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

#ifdef Q_OS_UNIX
// A full disk: the process's file size is limited while write runs.
bool withFullDisk(const std::function<bool()> &write)
{
    rlimit normal, low;
    getrlimit(RLIMIT_FSIZE, &normal);
    low = normal;
    low.rlim_cur = 8; // writes past 8 bytes fail with EFBIG
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &low);
    const bool result = write();
    setrlimit(RLIMIT_FSIZE, &normal);
    std::signal(SIGXFSZ, handler);
    return result;
}
#else
bool withFullDisk(const std::function<bool()> &) { return false; } // the row is skipped
#endif
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
            QTest::mouseClick(button(dialog, "Fermer"), Qt::LeftButton);
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
            QTest::mouseClick(button(dialog, "Copier le texte généré"), Qt::LeftButton);
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
    }

    void proposedFileName_data()
    {
        QTest::addColumn<QString>("partName");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("accents and dots kept") << "Réservoir été.v2" << "Réservoir été.v2.cfg";
        QTest::newRow("forbidden") << "a/b\\c:d*e?f\"g<h>i|j" << "a_b_c_d_e_f_g_h_i_j.cfg";
        QTest::newRow("control characters") << "\tx\ny\x7f" << "x_y_.cfg";
        QTest::newRow("dots and spaces only") << " .. . " << "piece.cfg";
    }
    void proposedFileName()
    {
        QFETCH(QString, partName);
        QFETCH(QString, fileName);
        QCOMPARE(FenCodeGenere::proposedFileName(partName), fileName);
    }

    // A failed save says in one sentence which file and why, and leaves the old file as it
    // was, with no temporary file beside it. Reason "*": the toolkit's, without the path.
    void saveTo_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason"); // empty when the save succeeds
        QTest::newRow("new file") << "nouveau.cfg" << "";
        QTest::newRow("replaces a longer file") << "ancien.cfg" << "";
        QTest::newRow("missing folder") << "absent/piece.cfg" << "son dossier n'existe pas";
        QTest::newRow("a folder") << "dossier.cfg" << "c'est un dossier";
        QTest::newRow("read-only") << "ancien.cfg" << "le fichier existant n'est pas accessible en écriture";
        QTest::newRow("disk full") << "ancien.cfg" << "l'écriture a échoué, le disque est peut-être plein";
        QTest::newRow("name too long") << QString(300, 'n') + ".cfg" << "*";
    }
    void saveTo()
    {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        const QByteArray row = QTest::currentDataTag();
        const bool diskFull = row == "disk full";
#ifndef Q_OS_UNIX
        if (diskFull)
            QSKIP("no file size limit to fill the disk with on this system");
#endif
        QTemporaryDir dir;
        const QByteArray oldContents(300, 'x');
        QFile old(dir.filePath(QStringLiteral("ancien.cfg")));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(oldContents) > 0);
        old.close();
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dossier.cfg")));
        if (row == "read-only" && old.setPermissions(QFile::ReadOwner) && QFileInfo(old).isWritable())
            QSKIP("this user writes into read-only files");
        const auto entries = [&] {
            return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        };
        const QStringList before = entries();
        const QString path = dir.filePath(target);
        FenCodeGenere dialog(code);
        QString box;
        bool result = false;
        handleModals([&] { result = diskFull ? withFullDisk([&] { return dialog.saveTo(path); })
                                             : dialog.saveTo(path); },
                     [&](QDialog *modal) {
            if (auto *message = qobject_cast<QMessageBox *>(modal))
                box = message->windowTitle() + '|' + QString::number(message->icon()) + '|' + message->text();
            modal->reject();
        });
        QCOMPARE(result, reason.isEmpty());
        QStringList after = before;
        if (result && !after.contains(target))
            (after << target).sort();
        QCOMPARE(entries(), after);
        if (result) {
            QVERIFY(box.isEmpty());
            QCOMPARE(contents(path), code.toUtf8()); // UTF-8, no byte-order mark, "\n" kept
            return;
        }
        QCOMPARE(contents(old.fileName()), oldContents);
        QCOMPARE(box.section('|', 0, 1), QStringLiteral("Erreur|%1").arg(QMessageBox::Critical));
        const QString text = box.section('|', 2), native = QDir::toNativeSeparators(path);
        const QString start = QStringLiteral("Impossible d'enregistrer le fichier « %1 » : ").arg(native);
        if (reason != "*")
            QCOMPARE(text, start + reason + '.');
        QVERIFY2(text.startsWith(start) && text.endsWith('.') && !text.endsWith("..") && !text.contains('\n')
                 && text.count(QFileInfo(path).fileName()) == 1, qPrintable(text));
    }

    void saveButton_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("accepted") << true;
        QTest::newRow("cancelled") << false;
    }
    void saveButton()
    {
        QFETCH(bool, accept);
#ifdef Q_OS_WIN
        // The program opens the system's own file dialog there, which a test cannot
        // drive; Qt's widget runs the same save path (name, folder, writing).
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
#endif
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("choisi.cfg"));
        FenCodeGenere dialog(code, nullptr, QStringLiteral("Réservoir R/1"));
        dialog.show();
        QString proposed;
        handleModals([&] { QTest::mouseClick(button(dialog, "Enregister sous..."), Qt::LeftButton); },
                     [&](QDialog *modal) {
            auto *files = qobject_cast<QFileDialog *>(modal);
            if (!files)
                return modal->reject();
            proposed = QFileInfo(files->selectedFiles().value(0)).fileName() + '|'
                + files->windowTitle() + '|' + files->nameFilters().join(";;");
            // Set the name rather than type it: typing may open the completer, which takes Return.
            auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            name->setText(path);
            accept ? QTest::keyClick(name, Qt::Key_Return) : files->reject();
        });
        QCOMPARE(proposed, QStringLiteral("Réservoir R_1.cfg|Enregistrer la configuration|"
                                          "Configuration de pièce (*.cfg);;Tous les fichiers (*)"));
        QCOMPARE(contents(path), accept ? code.toUtf8() : QByteArray("<unreadable>"));
        QVERIFY(dialog.isVisible()); // still open, the author can still copy
        if (accept) // the next proposal is in the folder just used
            QCOMPARE(FenCodeGenere::proposedPath(QStringLiteral("x")), dir.filePath(QStringLiteral("x.cfg")));
    }
};

QTEST_MAIN(TstFenCodeGenere)
#include "tst_fencodegenere.moc"
