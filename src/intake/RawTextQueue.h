#pragma once

#include <QByteArray>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

// A message's text before decoding: what the MIME reader thread hands the parsing one.
struct RawText
{
    QByteArray date;         // the Date field's value; null without one
    QByteArray content;      // the text part without its transfer encoding
    QByteArray charset;      // its charset parameter, or empty
    bool headerless = false; // no header block: decoded by its bytes alone
};

// Hands raw texts from one thread to another in order, holding a bounded number, so an
// mbox of any size needs no more memory than a few hundred of its messages. Texts travel in
// batches: a wake-up per message would cost as much as decoding it.
class RawTextQueue
{
public:
    // Waits for room; false once the queue is closed, when the reader should stop.
    bool push(RawText &&text)
    {
        m_batch.push_back(std::move(text));
        return m_batch.size() < Batch || flush();
    }

    // Hands over the texts pushed since the last batch; false once the queue is closed.
    bool flush()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_closed || m_texts.size() < Capacity; });
        if (m_closed)
            return false;
        const bool wasEmpty = m_texts.empty();
        for (RawText &text : m_batch)
            m_texts.push_back(std::move(text));
        m_batch.clear();
        if (wasEmpty) // only an empty queue has anyone waiting to pop
            m_changed.notify_all();
        return true;
    }

    // The next text, waiting for it; nothing once the queue is closed and empty.
    std::optional<RawText> pop()
    {
        if (m_taken.empty()) {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_closed || !m_texts.empty(); });
            if (m_texts.empty())
                return std::nullopt;
            m_taken.swap(m_texts);
            m_changed.notify_all(); // room again for a reader waiting to push
        }
        RawText text = std::move(m_taken.front());
        m_taken.pop_front();
        return text;
    }

    void close()
    {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
        m_changed.notify_all();
    }

private:
    static constexpr std::size_t Batch = 32;
    static constexpr std::size_t Capacity = 256;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<RawText> m_texts;
    bool m_closed = false;
    std::vector<RawText> m_batch; // the reader's own, not yet handed over
    std::deque<RawText> m_taken;  // the parser's own, taken in one go
};
