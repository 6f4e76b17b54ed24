// Saving a part's text, without a window: the file name offered, the folder remembered, and
// a failed save that says which file and why and leaves the old file as it was; a file that
// cannot be read as a part file, and why.
#include "contents.h"
#include "partfile.h"

#include <QtTest>
#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

#include <functional>

namespace {
const QString code = QStringLiteral("PART\n{\n\tname = Réservoir « été » Ω\n\tmass = 1.250\n}\n");


#ifdef Q_OS_UNIX
// A full disk: the process's file size is limited while write runs.
void withFullDisk(const std::function<void()> &write)
{
    rlimit normal, low;
    getrlimit(RLIMIT_FSIZE, &normal);
    low = normal;
    low.rlim_cur = 8; // writes past 8 bytes fail with EFBIG
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &low);
    write();
    setrlimit(RLIMIT_FSIZE, &normal);
    std::signal(SIGXFSZ, handler);
}
#else
void withFullDisk(const std::function<void()> &) {} // the row is skipped
#endif
} // namespace

class TestPartFile : public QObject
{
    Q_OBJECT
private slots:
    // The name offered for a part, in the folder of the file last chosen in this run.
    void offeredFile_data()
    {
        QTest::addColumn<QString>("partName");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("accents and dots kept") << "Réservoir été.v2" << "Réservoir été.v2.cfg";
        QTest::newRow("forbidden") << "a/b\\c:d*e?f\"g<h>i|j" << "a_b_c_d_e_f_g_h_i_j.cfg";
        QTest::newRow("control characters") << "\tx\ny\x7f" << "x_y_.cfg";
        QTest::newRow("dots and spaces only") << " .. . " << "piece.cfg";
    }
    void offeredFile()
    {
        QFETCH(QString, partName);
        QFETCH(QString, fileName);
        QCOMPARE(partFileName(partName), fileName);
        QTemporaryDir dir;
        rememberChosenFile(dir.filePath(QStringLiteral("choisi.cfg")));
        QCOMPARE(proposedPartFile(partName), dir.filePath(fileName));
    }

    // A failed save says in one sentence which file and why, and leaves the old file as it
    // was, with no temporary file beside it. Reason "*": the toolkit's, without the path. A
    // file that cannot be read as a part file ("read:" rows) says so, in one sentence too.
    void saveTo_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason"); // empty when the save succeeds
        QTest::newRow("read: gone") << "absent.cfg" << "il n'existe pas";
        QTest::newRow("read: a folder") << "dossier.cfg" << "c'est un dossier";
        QTest::newRow("read: 200 MB") << "ancien.cfg" << "il fait 200 Mo, bien plus qu'un fichier de pièces (4 Mo au plus)";
        QTest::newRow("read: unreadable") << "ancien.cfg" << "il n'est pas accessible en lecture";
#ifdef Q_OS_UNIX
        QTest::newRow("read: a device that never ends") << "/dev/zero" << "ce n'est pas un fichier ordinaire";
#endif
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
        if (row == "read: unreadable" && (!old.setPermissions({}) || QFileInfo(old).isReadable()))
            QSKIP("this user reads unreadable files");
        if (row == "read: 200 MB")
            QVERIFY(old.resize(200 << 20)); // sparse: no disk used
        if (row.startsWith("read: ")) {
            const QString path = target.startsWith('/') ? target : dir.filePath(target);
            QByteArray bytes;
            QCOMPARE(readPartFileBytes(path, &bytes), QStringLiteral("Impossible d'ouvrir le fichier « %1 » : %2.")
                                                          .arg(QDir::toNativeSeparators(path), reason));
            QVERIFY(bytes.isEmpty());
            return;
        }
        const auto entries = [&] { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); };
        const QStringList before = entries();
        const QString path = dir.filePath(target);
        QString text;
        diskFull ? withFullDisk([&] { text = savePartFile(path, code); }) : void(text = savePartFile(path, code));
        const bool result = text.isEmpty();
        QCOMPARE(result, reason.isEmpty());
        QStringList after = before;
        if (result && !after.contains(target)) // and no temporary file left beside it
            (after << target).sort();
        QCOMPARE(entries(), after);
        if (result) {
            QCOMPARE(contents(path), code.toUtf8()); // UTF-8, no byte-order mark, "\n" kept
            return;
        }
        QCOMPARE(contents(old.fileName()), oldContents);
        const QString native = QDir::toNativeSeparators(path);
        const QString start = QStringLiteral("Impossible d'enregistrer le fichier « %1 » : ").arg(native);
        if (reason != "*")
            QCOMPARE(text, start + reason + '.');
        QVERIFY2(text.startsWith(start) && text.endsWith('.') && !text.endsWith("..") && !text.contains('\n')
                 && text.count(QFileInfo(path).fileName()) == 1, qPrintable(text));
    }
};

QTEST_APPLESS_MAIN(TestPartFile)
#include "tst_partfile.moc"
