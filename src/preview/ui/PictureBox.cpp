#include "preview/ui/PictureBox.h"

#include "preview/ui/GifAnimation.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QPixmap>
#include <QPointer>

#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace vc {

namespace {

// Puts a loaded picture into a box: the still picture, or the animation
// started; whatever played before is stopped, as any picture that loads
// stops it.
ShownPicture putPicture(QLabel* box, const Picture& picture, QSize fit) {
    StopActiveAnimation();
    box->clear();
    ShownPicture shown;
    shown.status = picture.status;
    if (picture.animation) {
        StartAnimation(picture.animation, box, fit);
        shown.content = BoxContent::Animation;
    } else if (!picture.image.isNull()) {
        // The box is stretched, proportions kept: a picture smaller than it
        // is enlarged to fit (a larger one was read at the box's size).
        QImage image = picture.image;
        if (!fit.isEmpty() && image.width() < fit.width() && image.height() < fit.height())
            image = image.scaled(fit, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        box->setPixmap(QPixmap::fromImage(image));
        shown.content = BoxContent::Picture;
    }
    return shown;
}

QSize fitOf(const QLabel* box, QSize fit) {
    return fit.isValid() ? fit : box->contentsRect().size();
}

// The thread that reads the pictures of RequestPicture, one after the
// other in the order asked for. It starts when there is work and ends when
// there is none. Files and pictures pass between the threads through the
// queues below under the mutex (the event that wakes the window thread
// carries nothing), so the hand-over is ordered by that mutex alone.
class PictureThread : public QObject {
public:
    ~PictureThread() override { shutdown(); }

    // Window thread.
    void submit(QLabel* box, const QString& file, QSize fit,
                std::function<void(const ShownPicture&)> done) {
        drop(box);
        const quint64 id = m_nextId++;
        m_pending.insert(id, Pending{QPointer<QLabel>(box), fit, std::move(done)});
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(Job{id, file, fit});
        if (!m_running) {
            if (m_thread.joinable())
                m_thread.join(); // ended already: it found no work under this lock
            m_running = true;
            m_thread = std::thread([this] { run(); });
        }
    }

    // Window thread: forgets the requests for a box; one not yet started is
    // never read.
    void drop(const QLabel* box) {
        QList<quint64> ids;
        for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it)
            if (it->box == box || it->box.isNull())
                ids << it.key();
        if (ids.isEmpty())
            return;
        for (quint64 id : ids)
            m_pending.remove(id);
        std::lock_guard lock(m_mutex);
        std::erase_if(m_jobs, [&](const Job& job) { return ids.contains(job.id); });
    }

    bool pending(const QLabel* box) const {
        for (const Pending& p : m_pending)
            if (p.box == box)
                return true;
        return false;
    }

    // Window thread: drops every request and waits for the thread.
    void shutdown() {
        m_pending.clear();
        {
            std::lock_guard lock(m_mutex);
            m_jobs.clear();
        }
        if (m_thread.joinable())
            m_thread.join();
        std::lock_guard lock(m_mutex); // what the thread did is seen from here on
        m_done.clear();
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() != wakeType())
            return QObject::event(event);
        std::vector<Read> done;
        {
            std::lock_guard lock(m_mutex);
            done.swap(m_done);
        }
        for (Read& read : done) {
            const Pending request = m_pending.take(read.id);
            if (!request.box)
                continue; // dropped, or the box is gone
            const ShownPicture shown = putPicture(request.box, read.picture, request.fit);
            if (request.done)
                request.done(shown);
        }
        return true;
    }

private:
    struct Job {
        quint64 id = 0;
        QString file;
        QSize fit;
    };
    struct Read {
        quint64 id = 0;
        Picture picture;
    };
    struct Pending {
        QPointer<QLabel> box;
        QSize fit;
        std::function<void(const ShownPicture&)> done;
    };

    static QEvent::Type wakeType() {
        static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
        return type;
    }

    // The picture thread.
    void run() {
        for (;;) {
            Job job;
            {
                std::lock_guard lock(m_mutex);
                if (m_jobs.empty()) {
                    m_running = false;
                    return;
                }
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            Picture picture = LoadPicture(job.file, job.fit);
            std::lock_guard lock(m_mutex);
            m_done.push_back(Read{job.id, std::move(picture)});
            QCoreApplication::postEvent(this, new QEvent(wakeType()));
        }
    }

    // Window thread only.
    QHash<quint64, Pending> m_pending;
    quint64 m_nextId = 1;
    std::thread m_thread;

    std::mutex m_mutex;
    std::deque<Job> m_jobs;   // guarded by m_mutex
    std::vector<Read> m_done; // guarded by m_mutex
    bool m_running = false;   // guarded by m_mutex
};

PictureThread& pictureThread() {
    static PictureThread thread;
    return thread;
}

} // namespace

ShownPicture ShowPicture(QLabel* box, const QString& file, QSize fit) {
    StopActiveAnimation();
    if (!box)
        return ShownPicture();
    pictureThread().drop(box);
    box->clear();
    fit = fitOf(box, fit);
    return putPicture(box, LoadPicture(file, fit), fit);
}

void RequestPicture(QLabel* box, const QString& file, QSize fit,
                    std::function<void(const ShownPicture&)> done) {
    StopActiveAnimation();
    if (!box)
        return;
    box->clear();
    pictureThread().submit(box, file, fitOf(box, fit), std::move(done));
}

bool PicturePending(const QLabel* box) {
    return box && pictureThread().pending(box);
}

void ClearPicture(QLabel* box) {
    if (!box)
        return;
    pictureThread().drop(box);
    if (TGIFanime* animation = ActiveAnimation(); animation && animation->playsIn(box))
        StopActiveAnimation();
    box->clear();
}

void WaitForPictureLoads() {
    pictureThread().shutdown();
}

} // namespace vc
