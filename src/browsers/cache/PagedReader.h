#pragma once

#include "evidence/EvidenceFiles.h"

#include <QByteArray>

#include <array>
#include <memory>

namespace vc {

// Positioned reads of an evidence file through a few pages kept in memory:
// a walk that reads many small structures lying near each other (a block
// file's entries, ranking nodes and headers in the order they were written)
// costs one system call per page instead of one per structure, and memory
// stays the size of the pages whatever the file's size.
class PagedReader : public EvidenceReader {
public:
    static constexpr qint64 kPageSize = 64 * 1024;
    static constexpr int kPages = 8;

    explicit PagedReader(std::unique_ptr<EvidenceReader> file);

    qint64 size() const override { return m_file->size(); }
    // Reads what lies in the pages (each loaded when first needed, the page
    // used longest ago given up for it); fewer bytes only at the file's end.
    qint64 readAt(qint64 offset, char* out, qint64 count) override;
    QString errorString() const override { return m_file->errorString(); }

private:
    struct Page {
        qint64 start = -1;
        QByteArray bytes;
        quint64 used = 0;
    };
    const Page* page(qint64 start);

    std::unique_ptr<EvidenceReader> m_file;
    std::array<Page, kPages> m_pages;
    quint64 m_clock = 0;
};

} // namespace vc
