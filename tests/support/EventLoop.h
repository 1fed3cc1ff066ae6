#pragma once

#include <QApplication>
#include <QElapsedTimer>

// Runs the window thread's events until done() holds or the time is up;
// false when the time ran out.
template <typename Done> bool processUntil(Done done, int timeoutMs = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Runs the window thread's events for a while.
inline void processFor(int ms) {
    processUntil([] { return false; }, ms);
}
