#include "preview/ui/GifAnimation.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPixmap>
#include <QSet>

namespace vc {

namespace {

QPointer<TGIFanime> g_active;

// The events by which the thread asks the window thread to draw a frame,
// and tells it that it has ended.
QEvent::Type frameEventType() {
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

QEvent::Type endEventType() {
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

// Every animation thread object alive, so the program can wait for them
// before it ends. Window thread only.
QSet<TGIFanime*>& liveAnimations() {
    static QSet<TGIFanime*> live;
    return live;
}

} // namespace

TGIFanime::TGIFanime(std::shared_ptr<const AnimatedGif> gif, QLabel* target, QSize fit)
    : m_target(target), m_fit(fit), m_gif(std::move(gif)) {
    liveAnimations().insert(this);
    static const bool postRoutine = [] {
        qAddPostRoutine(&ShutdownAnimations);
        return true;
    }();
    Q_UNUSED(postRoutine);
    start();
}

TGIFanime::~TGIFanime() {
    liveAnimations().remove(this);
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    wait();
    // Take the lock the thread released last, so that what it did before
    // ending is seen here before its members go.
    std::lock_guard lock(m_mutex);
}

void TGIFanime::requestStop() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
}

bool TGIFanime::stopRequested() const {
    std::lock_guard lock(m_mutex);
    return m_stop;
}

bool TGIFanime::handOver(const QImage& frame, int number) {
    std::unique_lock lock(m_mutex);
    if (m_stop)
        return false;
    m_frame = frame;
    m_frameNumber = number;
    m_drawn = false;
    // The thread object lives on the window thread and outlives run(), so
    // the event is delivered there (or dropped with the object). It is made
    // and posted under the lock, which event() takes before reading it: the
    // hand-over is ordered by this mutex alone, not only by Qt's event
    // queue (whose locks ThreadSanitizer cannot see into).
    QCoreApplication::postEvent(this, new QEvent(frameEventType()));
    m_wake.wait(lock, [this] { return m_drawn || m_stop; });
    return !m_stop;
}

bool TGIFanime::pause(int ms) {
    std::unique_lock lock(m_mutex);
    return !m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stop; });
}

bool TGIFanime::event(QEvent* event) {
    {
        std::lock_guard lock(m_mutex); // see handOver()
    }
    if (event->type() == frameEventType()) {
        drawFrame();
        return true;
    }
    if (event->type() == endEventType()) {
        deleteLater();
        return true;
    }
    return QThread::event(event);
}

void TGIFanime::drawFrame() {
    QImage frame;
    int number = 0;
    bool stopped = false;
    {
        std::lock_guard lock(m_mutex);
        stopped = m_stop;
        frame = std::move(m_frame);
        m_frame = QImage();
        number = m_frameNumber;
    }
    const bool draws = !stopped && m_target;
    if (!stopped && !m_target)
        requestStop(); // the box is gone: nothing left to play in
    // A frame that could not be decoded leaves the box as it was.
    if (draws && !frame.isNull())
        m_target->setPixmap(QPixmap::fromImage(frame));
    if (draws)
        ++m_framesDrawn;
    {
        std::lock_guard lock(m_mutex);
        m_drawn = true;
    }
    m_wake.notify_all();
    if (draws)
        Q_EMIT frameDrawn(number);
}

void TGIFanime::run() {
    play();
    // Frees itself: the window thread deletes the object once told.
    std::lock_guard lock(m_mutex); // see handOver()
    QCoreApplication::postEvent(this, new QEvent(endEventType()));
}

void TGIFanime::play() {
    GifFrameReader frames(m_gif, m_fit);
    const int count = frames.frameCount();
    if (count <= 0)
        return;
    int current = 0;
    QImage next = frames.frame(current);
    for (int cycles = 0; cycles < kCycleLimit;) {
        if (!handOver(next, current))
            return;
        if (++current >= count) {
            current = 0;
            ++cycles;
        }
        // Decoded before the pause, so the window gets it without delay.
        next = frames.frame(current);
        if (!pause(pauseMs(frames.delayOf(current))))
            return;
    }
}

TGIFanime* ActiveAnimation() {
    return g_active.data();
}

TGIFanime* StartAnimation(std::shared_ptr<const AnimatedGif> gif, QLabel* box, QSize fit) {
    StopActiveAnimation();
    g_active = new TGIFanime(std::move(gif), box, fit);
    return g_active.data();
}

void StopActiveAnimation() {
    if (g_active)
        g_active->requestStop();
    g_active = nullptr;
}

void ShutdownAnimations() {
    g_active = nullptr;
    const QSet<TGIFanime*> live = liveAnimations();
    for (TGIFanime* animation : live)
        animation->requestStop();
    for (TGIFanime* animation : live)
        delete animation; // waits for its thread
}

} // namespace vc
