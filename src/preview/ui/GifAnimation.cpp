#include "preview/ui/GifAnimation.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QSet>

namespace vc {

namespace {

QPointer<TGIFanime> g_active;

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
    // Frees itself once the thread has ended.
    connect(this, &QThread::finished, this, &QObject::deleteLater);
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
    {
        std::lock_guard lock(m_mutex);
        if (m_stop)
            return false;
        m_drawn = false;
    }
    // The thread object lives on the window thread and outlives run(), so
    // the call is delivered there (or dropped with the object).
    QMetaObject::invokeMethod(
        this, [this, frame, number] { drawFrame(frame, number); }, Qt::QueuedConnection);
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_drawn || m_stop; });
    return !m_stop;
}

bool TGIFanime::pause(int ms) {
    std::unique_lock lock(m_mutex);
    return !m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stop; });
}

void TGIFanime::drawFrame(const QImage& frame, int number) {
    bool stopped = false;
    {
        std::lock_guard lock(m_mutex);
        stopped = m_stop;
    }
    if (!stopped && !m_target)
        requestStop(); // the box is gone: nothing left to play in
    else if (!stopped) {
        // A frame that could not be decoded leaves the box as it was.
        if (!frame.isNull())
            m_target->setPixmap(QPixmap::fromImage(frame));
        ++m_framesDrawn;
    }
    {
        std::lock_guard lock(m_mutex);
        m_drawn = true;
    }
    m_wake.notify_all();
    if (!stopped && m_target)
        Q_EMIT frameDrawn(number);
}

void TGIFanime::run() {
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
