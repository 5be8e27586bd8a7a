// Linked into the start-up probe and its baseline alike: ends the process's
// event loop as soon as the main window has been painted once and the events
// queued until then are handled, so both are timed to the same moment.
#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>
#include <cstdio>

namespace {

// A start-up that never shows its window (a modal error box, say) must not
// hang whoever runs the probe.
constexpr int kGiveUpMilliseconds = 60000;
constexpr int kNeverShownExitCode = 3;

class QuitWhenShown : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_done) {
            auto* window = qobject_cast<QMainWindow*>(watched);
            if (window != nullptr && window->isWindow()) {
                m_done = true;
                // A zero timeout fires once the events already queued (the
                // rest of the first paint among them) are handled.
                QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
            }
        }
        return false;
    }

private:
    bool m_done = false;
};

void installQuitWhenShown() {
    qApp->installEventFilter(new QuitWhenShown(qApp));
    QTimer::singleShot(kGiveUpMilliseconds, qApp, [] {
        std::fprintf(stderr, "the main window was never shown\n");
        QCoreApplication::exit(kNeverShownExitCode);
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installQuitWhenShown)
