#include "windowdriver.h"

#include "configsyntax.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

QList<Shown> pressGenerer(QWidget &window, const std::function<void(QDialog *)> &whileOpen,
                          bool checkSyntax)
{
    QList<Shown> shown;
    QTimer closer; // runs inside the modal loops that the click opens
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!modal)
            return;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            shown.append({box->icon() == QMessageBox::Critical, box->windowTitle(), box->text()});
            box->accept();
            return;
        }
        const QString text = modal->findChild<QTextEdit *>()->toPlainText();
        const QString problem = checkSyntax ? configSyntaxError(text) : QString();
        QTest::qVerify(problem.isEmpty(), "configSyntaxError(text).isEmpty()", qPrintable(problem),
                       __FILE__, __LINE__);
        shown.append({false, modal->windowTitle(), text});
        if (whileOpen)
            whileOpen(modal);
        for (auto *button : modal->findChildren<QPushButton *>()) {
            if (button->text() == QLatin1String("Fermer"))
                button->click();
        }
    });
    closer.start();
    QTest::mouseClick(field<QPushButton>(window, "generer"), Qt::LeftButton);
    return shown;
}
