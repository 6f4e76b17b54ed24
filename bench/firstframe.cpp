// Linked into a start-up probe: ends the process at the first frame its main
// window paints, so that a run measures start-up and nothing after it. Where:
//   (no argument)        once the first frame is complete: the window and all
//                        its children painted and the frame handed to the screen
//   --until-paint-event  at the window's first paint event, as the toolkit
//                        begins that frame: everything built, laid out, polished
#include <QApplication>
#include <QEvent>
#include <QMainWindow>

#include <cstdlib>

namespace {

class FirstFrame : public QObject
{
public:
    FirstFrame(bool atPaintEvent, QObject *parent) : QObject(parent), atPaintEvent(atPaintEvent) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<QMainWindow *>(watched)) {
            if (atPaintEvent)
                std::_Exit(0);
            // The window gets its paint event first, then its children, then the
            // frame goes to the screen, all before the event loop runs again:
            // leave from there, without the tear-down.
            QMetaObject::invokeMethod(qApp, [] { std::_Exit(0); }, Qt::QueuedConnection);
            qApp->removeEventFilter(this);
        }
        return false;
    }

private:
    const bool atPaintEvent;
};

// Runs inside the application object's constructor, before main() goes on.
void watchFirstFrame()
{
    const bool atPaintEvent = QCoreApplication::arguments().contains(QStringLiteral("--until-paint-event"));
    qApp->installEventFilter(new FirstFrame(atPaintEvent, qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchFirstFrame)
