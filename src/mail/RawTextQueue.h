#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <vector>

// A message's text before decoding: what the MIME reader thread hands the parsing one.
struct RawText
{
    QByteArray date;    // the Date field's value, when hasDate
    QByteArray content; // the text part without its transfer encoding
    QByteArray charset; // its charset parameter, or empty
    bool hasDate = false;
    bool headerless = false;  // no header block: decoded by its bytes alone
    bool withoutText = false; // a message with no text part: it only tells how far reading went
    qint64 read = 0;          // the bytes of the mbox read up to the end of this message

    // Overwrites a buffer in place: a text's buffers are filled again for later messages.
    static void assign(QByteArray &buffer, QByteArrayView bytes)
    {
        buffer.resize(bytes.size());
        if (!bytes.isEmpty())
            std::memcpy(buffer.data(), bytes.data(), std::size_t(bytes.size()));
    }
};

// Hands raw texts from one thread to another in order, in batches: a wake-up per message
// would cost as much as decoding it. A fixed number of batches goes round between the
// threads, so an mbox of any size needs no more memory than a few hundred of its messages,
// and their buffers are filled again instead of freed: a buffer allocated by one thread and
// freed by the other makes both wait for the allocator's lock.
class RawTextQueue
{
public:
    // The reader's next text to fill, emptied of nothing but its flags; null once the queue
    // is closed, when the reader should stop.
    RawText *slot()
    {
        if (m_filling.count == batchSize && !handOver())
            return nullptr;
        if (m_filling.texts.size() == m_filling.count)
            m_filling.texts.emplace_back();
        RawText &text = m_filling.texts[m_filling.count];
        text.hasDate = false;
        text.headerless = false;
        text.withoutText = false;
        return &text;
    }

    // Hands on the text slot() gave last.
    void push() { ++m_filling.count; }

    // Hands over the texts pushed since the last batch; false once the queue is closed.
    bool flush() { return m_filling.count == 0 || handOver(); }

    // The next text, waiting for it, valid until the next call; null once the queue is
    // closed and empty.
    const RawText *pop()
    {
        if (m_next == m_reading.count) {
            std::unique_lock lock(m_mutex);
            if (m_reading.count > 0) {
                m_reading.count = 0;
                m_spare.push_back(std::move(m_reading));
                m_changed.notify_all(); // a reader may wait for a batch to fill
            }
            m_changed.wait(lock, [this] { return m_closed || !m_full.empty(); });
            if (m_full.empty())
                return nullptr;
            m_reading = std::move(m_full.front());
            m_full.erase(m_full.begin());
            m_next = 0;
        }
        return &m_reading.texts[m_next++];
    }

    void close()
    {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
        m_changed.notify_all();
    }

private:
    struct TextBatch
    {
        std::vector<RawText> texts;
        std::size_t count = 0;
    };

    // Queues the filled batch and takes an empty one, waiting while all are in use.
    bool handOver()
    {
        std::unique_lock lock(m_mutex);
        if (m_closed)
            return false;
        const bool wasEmpty = m_full.empty();
        m_full.push_back(std::move(m_filling));
        if (wasEmpty) // only an empty queue has anyone waiting to pop
            m_changed.notify_all();
        m_filling = TextBatch{};
        if (m_batches < batches) {
            ++m_batches;
            return true;
        }
        m_changed.wait(lock, [this] { return m_closed || !m_spare.empty(); });
        if (m_closed)
            return false;
        m_filling = std::move(m_spare.back());
        m_spare.pop_back();
        return true;
    }

    static constexpr std::size_t batchSize = 32;
    static constexpr std::size_t batches = 8;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<TextBatch> m_full; // a handful: no allocation once they have all been used
    std::vector<TextBatch> m_spare;
    std::size_t m_batches = 1; // the reader's first one included
    bool m_closed = false;
    TextBatch m_filling;    // the reader's own
    TextBatch m_reading;    // the parser's own
    std::size_t m_next = 0; // the parser's next text in it
};
