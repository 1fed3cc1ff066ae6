#pragma once

#include "app/WindowLayer.h"

#include "preview/pictures/AnimatedGif.h"

#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QSize>
#include <QThread>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace vc {

// Plays an animated GIF in a picture box. The thread decodes the frames
// and pauses between them; each frame is handed to the window thread,
// which draws it into the box while the thread waits. The thread never
// touches a widget. It ends after 1000 passes over the frames, when asked
// to stop, or when its box is gone, and then deletes itself.
class TGIFanime : public QThread {
    Q_OBJECT

public:
    // Starts playing at once. fit: the box's size; larger frames are shrunk
    // to it, smaller ones keep their size.
    TGIFanime(std::shared_ptr<const AnimatedGif> gif, QLabel* target, QSize fit);
    // Stops and waits for the thread if it still runs (the program ending).
    ~TGIFanime() override;

    static constexpr int kCycleLimit = 1000;

    // Asks the thread to stop; does not wait. A frame already handed over
    // is not drawn any more, and a pause ends at once. Window thread only.
    void requestStop();
    bool stopRequested() const;

    // The pause after a frame, before the next one is drawn: the next
    // frame's delay (hundredths of a second) times 10, plus 50 ms.
    static int pauseMs(int delay) { return delay * 10 + 50; }

    // Whether the animation draws into this box (window thread).
    bool playsIn(const QLabel* box) const { return box && m_target == box; }

    // Frames drawn so far (window thread).
    int framesDrawn() const { return m_framesDrawn; }

Q_SIGNALS:
    // A frame was drawn into the box (window thread); frame: its number.
    void frameDrawn(int frame);

protected:
    void run() override;
    bool event(QEvent* event) override;

private:
    // Worker: the frames, with their pauses, until stopped or done.
    void play();
    // Window thread: draws the frame handed over into the box, unless
    // stopped or the box is gone, then lets the thread go on.
    void drawFrame();
    // Worker: hands a frame to the window thread and waits until it is drawn
    // or the thread is stopped. False when stopped. The frame passes through
    // the members below under the mutex; the event that asks the window
    // thread to draw carries nothing.
    bool handOver(const QImage& frame, int number);
    // Worker: sleeps, waking early when stopped. False when stopped.
    bool pause(int ms);

    QPointer<QLabel> m_target; // read and written on the window thread only
    QSize m_fit;
    std::shared_ptr<const AnimatedGif> m_gif;
    int m_framesDrawn = 0;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;   // guarded by m_mutex
    bool m_drawn = false;  // guarded by m_mutex
    QImage m_frame;        // guarded by m_mutex: the frame handed over
    int m_frameNumber = 0; // guarded by m_mutex
};

// The one animation of the program, or nullptr. Window thread only.
TGIFanime* ActiveAnimation();
// Starts an animation in a box, stopping the active one first; it becomes
// the active animation.
TGIFanime* StartAnimation(std::shared_ptr<const AnimatedGif> gif, QLabel* box, QSize fit);
// Asks the active animation to stop and forgets it; does not wait.
void StopActiveAnimation();
// Stops every animation still running (the active one and those finishing
// after a stop) and waits for them: call before the window closes for good
// and before PictureServiceShutdown.
void ShutdownAnimations();

} // namespace vc
