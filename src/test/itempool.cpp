#include "test/itempool.h"

#include "vocab/vocabstore.h"

#include <algorithm>

bool RunOptions::LessonSelected(int lesson) const
{
    if (LessonChecked[0])
        return true;
    return lesson >= 1 && lesson <= 20 && LessonChecked[lesson];
}

void ItemPool::Seed(const QDateTime &now)
{
    // Mix both halves of the milliseconds so that runs started within the same
    // second (or ~49 days apart) still draw different sequences.
    const quint64 ms = quint64(now.toMSecsSinceEpoch());
    std::seed_seq seq{quint32(ms), quint32(ms >> 32)};
    m_random.seed(seq);
}

QString ItemPool::FormatNumber(int n)
{
    // "#0000": at least four digits, zero-padded.
    if (n < 0)
        return QLatin1Char('-') + FormatNumber(-n);
    return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
}

bool ItemPool::Exists(const VocabStore &store, int n)
{
    return store.IsValidPosition(n);
}

int ItemPool::UsableLength(const VocabStore &store) const
{
    const qint16 count = store.ItemCount();
    return int(std::upper_bound(m_pool.begin(), m_pool.end(), count) - m_pool.begin());
}

bool ItemPool::Contains(int n) const
{
    return n >= 0 && n < int(m_inPool.size()) && m_inPool[n];
}

void ItemPool::RebuildCriticals(const VocabStore &store)
{
    m_criticals.clear();
    const int count = store.ItemCount();
    for (int n = 1; n <= count; ++n)
        if (store.Item(n).IsCritical())
            m_criticals.push_back(qint16(n));
}

void ItemPool::Empty()
{
    m_pool.clear();
    m_inPool.clear();
}

void ItemPool::BuildItemPool(const VocabStore &store, RunOptions &options)
{
    CriticalsDelta = 0;
    PoolCriticals = 0;
    if (options.CheckedOption >= Random && options.CheckedOption <= Criticals)
        options.SequenceOrder = qint16(options.CheckedOption);
    RunOut = false;
    RebuildCriticals(store);

    Empty();
    const int count = store.ItemCount();
    m_inPool.assign(std::size_t(count) + 1, false);
    auto add = [this](int n) {
        m_pool.push_back(qint16(n));
        m_inPool[std::size_t(n)] = true;
    };

    switch (options.SequenceOrder) {
    case Criticals:
        // memoC is ascending, so the pool is too.
        for (qint16 n : m_criticals) {
            if (options.LessonSelected(store.Item(n).LessonNumber())) {
                add(n);
                ++PoolCriticals;
            }
        }
        PoolPosition = -1;
        break;
    case Random:
    case Forwards:
    case Backwards:
        for (int n = 1; n <= count; ++n) {
            const VocabItem &item = store.Item(n);
            if (!options.LessonSelected(item.LessonNumber()))
                continue;
            add(n);
            if (item.IsCritical())
                ++PoolCriticals;
        }
        if (options.SequenceOrder == Forwards)
            PoolPosition = -1;
        else if (options.SequenceOrder == Backwards)
            PoolPosition = qint16(m_pool.size());
        // Random keeps its position: it draws a new one at every request.
        break;
    default:
        // No order that this program knows: nothing to ask.
        break;
    }
}

NextOutcome ItemPool::HandOut(int position)
{
    PoolPosition = qint16(position);
    CurrentItem = m_pool[std::size_t(position)];
    PreviousItem = CurrentItem;
    PendingItem = CurrentItem;
    return NextOutcome::Item;
}

NextOutcome ItemPool::NextItem(const VocabStore &store, const RunOptions &options)
{
    // An item shown but not yet answered exactly is asked again, unless an
    // erase has taken its position away since.
    if (PendingItem != 0) {
        if (Exists(store, PendingItem)) {
            CurrentItem = PendingItem;
            return NextOutcome::Item;
        }
        PendingItem = 0;
    }

    // Only entries that still name an item are handed out; the rest of the
    // run goes on as if the pool ended there.
    const int length = UsableLength(store);
    if (length == 0) {
        // Nothing to ask. The options panel warns about an empty selection
        // before a run starts, so this ends quietly.
        RunOut = true;
        return NextOutcome::RunOut;
    }
    const int last = length - 1;

    int position = PoolPosition;
    switch (options.SequenceOrder) {
    case Random: {
        // Never the previous item twice in a row while there is another one
        // to ask: draw among the other positions and step over the previous
        // item's. A pool of one item hands out its single item again.
        const auto found = std::lower_bound(m_pool.begin(), m_pool.begin() + length, PreviousItem);
        const int previousAt = (found != m_pool.begin() + length && *found == PreviousItem)
                                   ? int(found - m_pool.begin())
                                   : -1;
        if (previousAt >= 0 && length >= 2) {
            std::uniform_int_distribution<int> draw(0, last - 1);
            position = draw(m_random);
            if (position >= previousAt)
                ++position;
        } else {
            std::uniform_int_distribution<int> draw(0, last);
            position = draw(m_random);
        }
        break;
    }
    case Forwards:
        position = std::max(position, -1) + 1;
        if (position > last) {
            // Refused, the run stays at its start.
            RunOut = true;
            PoolPosition = 0;
            return NextOutcome::AskRestart;
        }
        break;
    case Backwards:
        position = std::min(position, length) - 1;
        if (position < 0) {
            RunOut = true;
            PoolPosition = qint16(position < -1 ? -1 : position);
            return NextOutcome::AskRestart;
        }
        break;
    case Criticals:
        position = std::max(position, -1) + 1;
        if (position > last) {
            // Stays past the end (without climbing on towards the 16-bit
            // limit) until the pool is rebuilt.
            PoolPosition = qint16(length);
            RunOut = true;
            return NextOutcome::CriticalsRunOut;
        }
        break;
    default:
        RunOut = true;
        return NextOutcome::RunOut;
    }
    return HandOut(position);
}

NextOutcome ItemPool::AnswerRestart(bool restart, const VocabStore &store,
                                    const RunOptions &options)
{
    const int length = UsableLength(store);
    if (!restart || length == 0)
        return NextOutcome::RunOut;
    RunOut = false;
    return HandOut(options.SequenceOrder == Backwards ? length - 1 : 0);
}

void ItemPool::MarkCritical(VocabStore &store)
{
    if (!Exists(store, CurrentItem))
        return;
    const auto place = std::lower_bound(m_criticals.begin(), m_criticals.end(), CurrentItem);
    // The list holds each number once, even if the item's mark was changed
    // elsewhere since the list was built.
    if (place == m_criticals.end() || *place != CurrentItem)
        m_criticals.insert(place, CurrentItem);
    store.SetMark(CurrentItem, QStringLiteral("c"));
    // A changed mark is something to save: without this, a test taken after
    // a Save would lose its marks at Exit, which asks only when Save is
    // available.
    store.SetSaveAvailable(true);
    --CriticalsDelta;
}

void ItemPool::UnmarkCritical(VocabStore &store)
{
    if (!Exists(store, CurrentItem))
        return;
    const auto place = std::lower_bound(m_criticals.begin(), m_criticals.end(), CurrentItem);
    if (place == m_criticals.end() || *place != CurrentItem)
        return;
    m_criticals.erase(place);
    store.SetMark(CurrentItem, QStringLiteral(" "));
    store.SetSaveAvailable(true);
    ++CriticalsDelta;
}
