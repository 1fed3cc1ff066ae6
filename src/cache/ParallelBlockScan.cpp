#include "cache/ParallelBlockScan.h"

#include "cache/CacheIndexWalker.h"
#include "cache/IndexWalk.h"
#include "platform/TimeText.h"
#include "recall/RecallConditions.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace vc {

namespace {

// Bytes of file in one piece of work: 2048 blocks.
constexpr qint64 kStretch = qint64(1) << 18;

struct Piece {
    QByteArray text; // the output texts of the accepted lines
    int records = 0;
    bool stopped = false; // the text budget ended the scan in this stretch
    bool done = false;
};

// What the threads share: the stretches handed out and those waiting to be
// passed on, in a ring of slots.
class Pieces {
public:
    Pieces(qint64 count, int slots) : m_count(count), m_slots(size_t(slots)) {}

    // The next stretch to decode, or -1 when there is none (or the scan
    // stopped). Waits while the ring is full.
    qint64 take() {
        std::unique_lock lock(m_mutex);
        m_room.wait(lock, [&] {
            return m_stop || m_next >= m_count || m_next < m_passed + qint64(m_slots.size());
        });
        if (m_stop || m_next >= m_count)
            return -1;
        return m_next++;
    }
    void put(qint64 index, Piece&& piece) {
        std::lock_guard lock(m_mutex);
        Piece& slot = m_slots[size_t(index % qint64(m_slots.size()))];
        slot = std::move(piece);
        slot.done = true;
        // Only the stretch the writer waits for is worth waking it.
        if (index == m_passed)
            m_ready.notify_one();
    }
    // Waits for stretch index and takes it out of the ring.
    Piece pass(qint64 index) {
        std::unique_lock lock(m_mutex);
        Piece& slot = m_slots[size_t(index % qint64(m_slots.size()))];
        m_ready.wait(lock, [&] { return slot.done; });
        Piece piece = std::move(slot);
        slot = Piece();
        ++m_passed;
        // One slot is free: one waiting thread can take a stretch.
        m_room.notify_one();
        return piece;
    }
    void stop() {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        m_room.notify_all();
    }
    // An empty text array for the next piece, with the room of one written
    // before when there is one: the texts go round between the threads
    // instead of being allocated, grown and freed for every stretch.
    QByteArray spareText() {
        {
            std::lock_guard lock(m_mutex);
            if (!m_spare.empty()) {
                QByteArray text = std::move(m_spare.back());
                m_spare.pop_back();
                return text;
            }
        }
        QByteArray text;
        text.reserve(kStretch);
        return text;
    }
    void giveBack(QByteArray&& text) {
        text.resize(0);
        std::lock_guard lock(m_mutex);
        m_spare.push_back(std::move(text));
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_ready; // the writer waits for its stretch
    std::condition_variable m_room;  // the scanning threads wait for a slot
    const qint64 m_count;
    std::vector<Piece> m_slots;
    std::vector<QByteArray> m_spare;
    qint64 m_next = 0;
    qint64 m_passed = 0;
    bool m_stop = false;
};

void decodeStretches(IndexFileReader& reader, int32_t fileSize, double version, qint64 end,
                     const ScanOutput& output, Pieces& pieces) {
    // One sink for all the thread's stretches: its working arrays keep their
    // room from one stretch to the next.
    RecordSink local;
    QByteArray* text = nullptr;
    local.Fields = [&](const RecordFields& fields) { output.appendText(fields, *text); };
    for (qint64 index; (index = pieces.take()) >= 0;) {
        Piece piece;
        piece.text = pieces.spareText();
        text = &piece.text;
        local.RecordCount = 0;
        const qint64 begin = index * kStretch;
        const qint64 stretchEnd = std::min(begin + kStretch, end);
        walk::Walk walk(reader, fileSize, version, local,
                        walk::Walk::textBudgetFor(stretchEnd - begin));
        piece.stopped = !walk.scanBlocks(begin, stretchEnd, nullptr);
        piece.records = local.RecordCount;
        text = nullptr;
        pieces.put(index, std::move(piece));
    }
}

} // namespace

double WalkCacheIndexInto(const QString& fileName, const WalkOptions& options, ScanOutput& output) {
    RecordSink sink;
    QByteArray text;
    sink.Fields = [&](const RecordFields& fields) {
        text.resize(0);
        output.appendText(fields, text);
        output.write(text);
    };
    const double version = WalkCacheIndex(fileName, options, sink);
    output.RecordCount += sink.RecordCount;
    return version;
}

double ScanCacheIndexInParallel(const QString& fileName, int threads, const WalkOptions& options,
                                ScanOutput& output) {
    // Asking whether the time texts are fast also reads the pattern the
    // threads will share, before they start. QLocale's own formatting and
    // the recall filter stay on one thread.
    const RecallConditionSet* filter = options.context.filter;
    if (threads <= 1 || (filter && !filter->isEmpty()) || !timeTextsAreFast() ||
        isDailyOrWeeklyHistory(fileName))
        return WalkCacheIndexInto(fileName, options, output);

    std::vector<std::unique_ptr<IndexFileReader>> readers;
    readers.push_back(std::make_unique<IndexFileReader>(fileName, options.evidenceFiles()));
    IndexHeader header;
    if (!OpenCacheIndex(*readers.front(), fileName, options.context.report, header))
        return 0;
    for (int t = 1; t < threads; ++t) {
        readers.push_back(std::make_unique<IndexFileReader>(fileName, options.evidenceFiles()));
        if (!readers.back()->open()) {
            readers.pop_back();
            break;
        }
    }
    const double version = header.version;
    const int32_t fileSize = header.statedSize;
    const qint64 end = std::min<qint64>(fileSize, readers.front()->realSize());
    const qint64 count = end <= 0 ? 0 : (end + kStretch - 1) / kStretch;

    Pieces pieces(count, 4 * int(readers.size()));
    std::vector<std::thread> workers;
    for (auto& reader : readers)
        workers.emplace_back(decodeStretches, std::ref(*reader), fileSize, version, end,
                             std::cref(output), std::ref(pieces));
    for (qint64 index = 0; index < count; ++index) {
        Piece piece = pieces.pass(index);
        if (!piece.text.isEmpty())
            output.write(piece.text);
        output.RecordCount += piece.records;
        pieces.giveBack(std::move(piece.text));
        if (piece.stopped)
            break;
    }
    pieces.stop();
    for (std::thread& worker : workers)
        worker.join();
    return version;
}

} // namespace vc
