#include "app/first_paint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// Watches the window's first exposure, during whose handling the window paints itself; the
// work goes after it.
class FirstExposure : public QObject {
  public:
    FirstExposure(QWidget& window, std::function<void()> work)
        : QObject(&window), m_window(window), m_work(std::move(work)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && m_window.windowHandle()->isExposed()) {
            QTimer::singleShot(0, &m_window, std::move(m_work));
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

  private:
    QWidget& m_window;
    std::function<void()> m_work;
};

} // namespace

void afterFirstPaint(QWidget& window, std::function<void()> work) {
    window.winId(); // the window's handle, made now if it is not shown yet
    window.windowHandle()->installEventFilter(new FirstExposure(window, std::move(work)));
}
