#include "fencodegenere.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>
#include <functional>
#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {
// Non-ASCII letters, a tab and "\n" line ends, as the text builder writes them.
const QString code = QStringLiteral("PART\n{\n\tname = Réservoir « été » Ω\n\tmass = 1.250\n}\n");
const QString copyText = QStringLiteral("Copier le texte généré");
const QString saveText = QStringLiteral("Enregister sous...");

QPushButton *button(const QWidget &dialog, const QString &text)
{
    const auto buttons = dialog.findChildren<QPushButton *>();
    auto found = std::find_if(buttons.begin(), buttons.end(), [&](QPushButton *b) { return b->text() == text; });
    return found == buttons.end() ? nullptr : *found;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList entries(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// Hands the next modal window to `act`; set up before the call that opens it,
// since that call returns only once the window is closed. A modal window still
// open afterwards is rejected and counted, so a test fails instead of hanging.
struct ModalWatcher {
    explicit ModalWatcher(std::function<void(QWidget *)> act)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, act] {
            QWidget *w = QApplication::activeModalWidget();
            if (w && !seen.isEmpty()) {
                ++leftOpen;
                static_cast<QDialog *>(w)->reject();
            } else if (w) {
                seen = w->metaObject()->className();
                act(w);
            }
        });
        timer.start(10);
    }
    QString seen;
    int leftOpen = 0;
    QTimer timer;
};
} // namespace

class TstFenCodeGenere : public QObject
{
    Q_OBJECT
private slots:
    void clipboard_data()
    {
        QTest::addColumn<QString>("action");
        for (const char *action : {"Fermer", "Escape", "edit, copy elsewhere, Copier", "copy a word, Copier"})
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
        auto *text = dialog.findChild<QTextEdit *>();
        QTextCursor cursor = text->textCursor();
        if (action == "Fermer") {
            QTest::mouseClick(button(dialog, QStringLiteral("Fermer")), Qt::LeftButton);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        } else if (action == "Escape") {
            QTest::keyClick(&dialog, Qt::Key_Escape);
        } else {
            if (action.startsWith("edit")) {
                cursor.insertText(QStringLiteral("modifié "));
                clipboard->setText(QStringLiteral("autre chose"));
            } else {
                cursor.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
                text->setTextCursor(cursor);
                text->copy();
            }
            QVERIFY(clipboard->text() != code);
            QTest::mouseClick(button(dialog, copyText), Qt::LeftButton);
        }
        QCOMPARE(dialog.isVisible(), action.endsWith("Copier"));
        QCOMPARE(clipboard->text(), code); // exactly as generated, without the edits
    }

    void layoutAndLook()
    {
        FenCodeGenere dialog(code);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // 1200 x 800 where the screen has room; never beyond it (the offscreen
        // test screen is 800 x 600), so that "Fermer" stays in reach.
        const QRect room = dialog.screen()->availableGeometry();
        QVERIFY(room.contains(dialog.frameGeometry()));
        if (room.width() >= 1400 && room.height() >= 1000)
            QCOMPARE(dialog.size(), QSize(1200, 800));
        QVERIFY(dialog.windowTitle().isEmpty());
        auto *text = dialog.findChild<QTextEdit *>();
        QCOMPARE(text->toPlainText(), code);
        QCOMPARE(text->font().family(), QStringLiteral("Verdana"));
        const QList<QWidget *> topToBottom = {text, button(dialog, copyText),
            button(dialog, saveText), button(dialog, QStringLiteral("Fermer"))};
        for (int i = 1; i < topToBottom.size(); ++i)
            QVERIFY(topToBottom[i] && topToBottom[i]->y() > topToBottom[i - 1]->geometry().bottom());
        QVERIFY(text->height() > dialog.height() / 2); // the text area takes what is left
    }

    void proposedFileName_data()
    {
        QTest::addColumn<QString>("partName");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("plain") << "Reservoir_A.v2" << "Reservoir_A.v2.cfg";
        QTest::newRow("accents kept") << "Réservoir été" << "Réservoir été.cfg";
        QTest::newRow("forbidden") << "a/b\\c:d*e?f\"g<h>i|j" << "a_b_c_d_e_f_g_h_i_j.cfg";
        QTest::newRow("control characters") << "\tx\ny\x7f" << "x_y_.cfg";
        QTest::newRow("empty") << "" << "piece.cfg";
        QTest::newRow("dots and spaces only") << " .. . " << "piece.cfg";
    }
    void proposedFileName()
    {
        QFETCH(QString, partName);
        QFETCH(QString, fileName);
        QCOMPARE(FenCodeGenere::proposedFileName(partName), fileName);
    }

    void saveTo_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<bool>("saved");
        QTest::newRow("new file") << "nouveau.cfg" << false << true;
        QTest::newRow("replaces a longer file") << "ancien.cfg" << false << true;
        QTest::newRow("path is a folder") << "dossier" << false << false;
        QTest::newRow("missing folder") << "absent/piece.cfg" << false << false;
        QTest::newRow("disk full") << "ancien.cfg" << true << false;
    }
    void saveTo()
    {
        QFETCH(QString, target);
        QFETCH(bool, diskFull);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dossier")));
        const QByteArray oldContents(300, 'x');
        QFile old(dir.filePath(QStringLiteral("ancien.cfg")));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(oldContents) > 0);
        old.close();
        const QString path = dir.filePath(target);
        FenCodeGenere dialog(code);
        QString boxText;
        ModalWatcher watcher([&](QWidget *w) {
            if (auto *box = qobject_cast<QMessageBox *>(w))
                boxText = box->windowTitle() + '|' + QString::number(box->icon()) + '|' + box->text();
            static_cast<QDialog *>(w)->reject();
        });
        if (diskFull) {
#ifdef Q_OS_UNIX
            // A full disk: writes past the file size limit fail with EFBIG.
            rlimit normal, low;
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &normal), 0);
            low = normal;
            low.rlim_cur = 8;
            const auto handler = std::signal(SIGXFSZ, SIG_IGN);
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &low), 0);
            const bool result = dialog.saveTo(path);
            setrlimit(RLIMIT_FSIZE, &normal);
            std::signal(SIGXFSZ, handler);
            QCOMPARE(result, saved);
#else
            QSKIP("needs a file size limit");
#endif
        } else {
            QCOMPARE(dialog.saveTo(path), saved);
        }
        // "ancien.cfg", "dossier" and the new file if one was made: no temporary file left.
        QCOMPARE(entries(dir).size(), saved && target == "nouveau.cfg" ? 3 : 2);
        QCOMPARE(watcher.leftOpen, 0);
        if (saved) {
            QVERIFY(watcher.seen.isEmpty());
            QCOMPARE(contents(path), code.toUtf8()); // UTF-8, no byte-order mark, "\n" kept
            return;
        }
        QCOMPARE(boxText.section('|', 0, 1), QStringLiteral("Erreur|%1").arg(QMessageBox::Critical));
        QVERIFY2(boxText.contains(QDir::toNativeSeparators(path)), qPrintable(boxText));
        QCOMPARE(contents(old.fileName()), oldContents);
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
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("choisi.cfg"));
        FenCodeGenere dialog(code, nullptr, QStringLiteral("Réservoir R/1"));
        dialog.show();
        QString proposed;
        ModalWatcher watcher([&](QWidget *w) {
            auto *files = qobject_cast<QFileDialog *>(w);
            if (!files)
                return static_cast<QDialog *>(w)->reject();
            proposed = QFileInfo(files->selectedFiles().value(0)).fileName() + '|'
                + files->windowTitle() + '|' + files->nameFilters().join(";;");
            // Set the name field rather than type in it: typing may open the
            // completer popup, which then takes the Return key.
            auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(path);
            accept ? QTest::keyClick(name, Qt::Key_Return) : files->reject();
        });
        QTest::mouseClick(button(dialog, saveText), Qt::LeftButton);
        QCOMPARE(watcher.seen, QStringLiteral("QFileDialog"));
        QCOMPARE(watcher.leftOpen, 0);
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
