#pragma once

// The walk over one cache index file, shared by the walker and its parallel
// block scan. Not for use outside the cache folder.

#include "cache/IndexFileReader.h"
#include "cache/IndexFormat.h"
#include "cache/RecordDecoders.h"
#include "platform/Progress.h"

#include <algorithm>
#include <cstring>

namespace vc::walk {

using namespace index_format;

// Moves the bar by the share of the walk done so far: "done" bytes of the
// stated file size. The bar never passes the end of the walk's share.
class WalkProgress {
public:
    WalkProgress(Progress* progress, int share, int32_t fileSize)
        : m_progress(progress), m_start(progressStart(progress)), m_share(share),
          m_fileSize(fileSize) {}

    void step() {
        m_done += kBlockSize;
        // A stated size of 0 or below gives no steps (and no division by it).
        if (!m_progress || m_fileSize <= 0)
            return;
        // Clamped before it becomes an int: a small stated size with a long
        // hash chain gives values far beyond the range of one.
        const double reached = m_done / double(m_fileSize) * m_share;
        const int p = m_start + int(std::min<double>(m_share, reached));
        if (p > m_last) {
            m_last = p;
            m_progress->raiseTo(p);
        }
    }
    void finish() {
        if (m_progress)
            m_progress->raiseTo(m_start + m_share);
    }

private:
    Progress* m_progress;
    int m_start;
    int m_share;
    int32_t m_fileSize;
    double m_done = 0.0;
    int m_last = -1;
};

class Walk {
public:
    Walk(IndexFileReader& file, int32_t fileSize, double version, RecordSink& sink)
        : Walk(file, fileSize, version, sink, textBudgetFor(file.realSize())) {}
    Walk(IndexFileReader& file, int32_t fileSize, double version, RecordSink& sink,
         qint64 textBudget)
        : m_file(file), m_fileSize(fileSize), m_version(version), m_sink(sink),
          m_textBudget(textBudget), m_textAtStart(file.textBytesRead()) {}

    // The text sound records of so many bytes of file could hold, with room
    // for a few fields at the longest.
    static qint64 textBudgetFor(qint64 bytes) { return 4 * bytes + 16 * kMaxFieldLength; }

    int32_t valueAt(qint64 offset) {
        unsigned char bytes[4];
        m_file.ReadAt(offset, 4, bytes);
        return LittleEndianValue(bytes, 4);
    }

    // Hands the record at offset to its decoder. False once the decoders have
    // taken more text than sound records of this file could hold: only a
    // crafted file gets there, and the walk stops rather than spend time in
    // proportion to the square of its size.
    bool dispatch(qint64 offset) {
        unsigned char signature[4];
        m_file.ReadAt(offset, 4, signature);
        if (std::memcmp(signature, "REDR", 4) == 0) {
            DecodeRedrRecord(m_file, int32_t(offset), m_fileSize, m_sink);
        } else if (std::memcmp(signature, "URL", 3) == 0 ||
                   std::memcmp(signature, "LEAK", 4) == 0) {
            const QByteArrayView text(reinterpret_cast<const char*>(signature), 4);
            DecodeUrlRecord(m_file, int32_t(offset), text, m_fileSize, m_version, m_sink);
        } else {
            return true;
        }
        return m_file.textBytesRead() - m_textAtStart <= m_textBudget;
    }

    // Every block start below the stated size, as far as the file reaches
    // (beyond it every block reads as zeros, which no signature matches).
    void linearScan(WalkProgress& progress) { scanBlocks(0, linearScanEnd(), &progress); }

    // Where the block scan ends: the stated size, as far as the file reaches.
    qint64 linearScanEnd() const { return std::min<qint64>(m_fileSize, m_file.realSize()); }

    // The block starts from begin (a multiple of the block size) below end.
    // False when the text budget stopped the scan.
    bool scanBlocks(qint64 begin, qint64 end, WalkProgress* progress) {
        for (qint64 pos = begin; pos < end; pos += kBlockSize) {
            if (!dispatch(pos))
                return false;
            if (progress)
                progress->step();
        }
        return true;
    }

    void hashWalk(WalkProgress& progress) {
        const qint64 first = valueAt(kFirstHashTableOffset);
        const qint64 tables = distinctTables(first);
        // Sound tables do not overlap, so all their entries together fit in
        // the file; entries beyond that count only repeat others.
        qint64 entryBudget = m_file.realSize() / 8 + 1;
        qint64 table = first;
        for (qint64 t = 0; t < tables && table != 0; ++t) {
            const qint64 next = valueAt(table + kHashTableNextOffset);
            const qint64 end = std::min<qint64>(
                table + qint64(valueAt(table + kHashTableBlocksOffset)) * kBlockSize,
                m_file.realSize());
            for (qint64 e = table + kHashEntriesOffset; e < end; e += kHashEntrySize) {
                if (--entryBudget < 0)
                    return;
                unsigned char entry[kHashEntrySize];
                m_file.ReadAt(e, kHashEntrySize, entry);
                const int32_t record = LittleEndianValue(entry + kHashEntryRecordOffset, 4);
                if (entry[0] != kFreeHashEntry && record != 0 && record != kNoRecord &&
                    !dispatch(record))
                    return;
                progress.step();
            }
            table = next;
        }
    }

private:
    qint64 nextTable(qint64 table) {
        return table == 0 ? 0 : valueAt(table + kHashTableNextOffset);
    }

    // The number of different tables in the chain from first: the chain ends
    // at a zero offset, or where it comes back to a table already walked
    // (found with Brent's cycle search, so no list of tables is kept). A
    // chain longer than the file has blocks is cut there.
    qint64 distinctTables(qint64 first) {
        const qint64 limit = m_file.realSize() / kBlockSize + 1;
        if (first == 0)
            return 0;
        // Find the length of the loop, if there is one.
        qint64 power = 1;
        qint64 loop = 1;
        qint64 tortoise = first;
        qint64 hare = nextTable(first);
        qint64 steps = 1;
        while (hare != tortoise) {
            if (hare == 0)
                return std::min(steps, limit);
            if (steps > 4 * limit + 4)
                return limit;
            if (power == loop) {
                tortoise = hare;
                power *= 2;
                loop = 0;
            }
            hare = nextTable(hare);
            ++loop;
            ++steps;
        }
        // The tables before the loop, then the loop once.
        tortoise = first;
        hare = first;
        for (qint64 i = 0; i < loop; ++i)
            hare = nextTable(hare);
        qint64 lead = 0;
        while (tortoise != hare && lead <= limit) {
            tortoise = nextTable(tortoise);
            hare = nextTable(hare);
            ++lead;
        }
        return std::min(lead + loop, limit);
    }

    IndexFileReader& m_file;
    int32_t m_fileSize;
    double m_version;
    RecordSink& m_sink;
    qint64 m_textBudget;
    // What the reader had read before this walk: a reader may serve several.
    qint64 m_textAtStart;
};

} // namespace vc::walk
