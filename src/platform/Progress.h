#pragma once

#include <algorithm>

namespace vc {

// The shared progress bar as the loaders see it: a position from 0 to 100
// that readers and table fills only ever move forward. The main window binds
// it to a QProgressBar; headless runs and tests use a plain counter.
class Progress {
public:
    virtual ~Progress() = default;
    virtual int position() const = 0;
    virtual void setPosition(int position) = 0;

    // Moves the bar to p when that is further than where it stands.
    void raiseTo(int p) {
        if (position() < p)
            setPosition(p);
    }
};

// A progress counter with no widget behind it.
class CountingProgress : public Progress {
public:
    int position() const override { return m_position; }
    void setPosition(int position) override {
        m_position = position;
        ++m_moves;
    }
    int moves() const { return m_moves; }

private:
    int m_position = 0;
    int m_moves = 0;
};

// Position of an optional bar: 0 when there is none.
inline int progressStart(const Progress* progress) {
    return progress ? progress->position() : 0;
}

} // namespace vc
