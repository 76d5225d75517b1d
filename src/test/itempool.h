#pragma once
// Which items a test run asks, and in which order: the run options turned
// into a pool of item numbers, the next-item choice, and the list of all
// critical items with the marking and unmarking of the current item.

#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <array>
#include <random>
#include <vector>

class VocabStore;

enum SequenceOrderValue : qint16 { Random = 1, Forwards = 2, Backwards = 3, Criticals = 4 };

// What the options panel sets: the order and the lessons of a run.
struct RunOptions {
    // The order read when the pool is built; the option button that is
    // checked (1..4, 0 none) decides it.
    qint16 SequenceOrder = Forwards;
    int CheckedOption = Forwards;
    // The lesson boxes: index 0 is "All", 1..20 the lessons.
    std::array<bool, 21> LessonChecked{};
    std::array<bool, 21> LessonEnabled{};
    // 0 no item of that lesson, 1 present, 2 chosen.
    std::array<qint16, 21> LessonState{};
    qint16 LessonClickArmed = 0;

    RunOptions() { LessonChecked[0] = true; }
    // Whether a lesson takes part in the pool: "All" is checked, or the
    // lesson's own box is. A number outside 1..20 has no box of its own, so it
    // takes part only while "All" is checked.
    bool LessonSelected(int lesson) const;
};

// What a request for the next item found. The pool decides; the test window
// asks the user where a question is due.
enum class NextOutcome {
    Item,            // CurrentItem is the item to ask
    AskRestart,      // an ordered run has run out: ask whether to start it again
    CriticalsRunOut, // the critical items have all been asked: say so, the run ends
    RunOut,          // nothing (more) to ask: the run ends
};

class ItemPool {
public:
    // BuildItemPool: rebuilds the criticals list and the pool from the store
    // and the options; sets SequenceOrder from the checked option button.
    void BuildItemPool(const VocabStore &store, RunOptions &options);
    // NextItem: chooses CurrentItem, or sets RunOut. When it returns
    // AskRestart, RunOut is set and the run stands as after a refusal; the
    // user's answer goes to AnswerRestart.
    NextOutcome NextItem(const VocabStore &store, const RunOptions &options);
    // The answer to the restart question: yes starts the ordered run again
    // from its first (Forwards) or last (Backwards) item and hands it out;
    // no leaves the run ended (RunOut).
    NextOutcome AnswerRestart(bool restart, const VocabStore &store, const RunOptions &options);
    void MarkCritical(VocabStore &store);
    void UnmarkCritical(VocabStore &store);
    // Rebuilds only the list of critical items (the read and listen views do).
    void RebuildCriticals(const VocabStore &store);
    // Empties the pool (the end of a run does, before it is rebuilt).
    void Empty();

    // Whether item n is in the pool, in constant time.
    bool Contains(int n) const;
    int Size() const { return int(m_pool.size()); }
    qint16 At(int i) const { return m_pool.at(i); }
    // memoC: the numbers of all critical items, ascending.
    const std::vector<qint16> &CriticalNumbers() const { return m_criticals; }
    int CriticalCount() const { return int(m_criticals.size()); }
    // An entry of memoC in its "#0000" text form.
    static QString FormatNumber(int n);
    // PoolCriticals - CriticalsDelta: the criticals of the current run.
    int CurrentCriticals() const { return PoolCriticals - CriticalsDelta; }

    // The Random order draws from this generator; a test window seeds it from
    // the clock when it opens, tests seed it with a fixed value.
    void Seed(quint32 seed) { m_random.seed(seed); }
    void Seed(const QDateTime &now);

    qint16 PoolPosition = -1;
    qint16 CurrentItem = 0;
    qint16 PreviousItem = 0;
    qint16 PendingItem = 0;
    bool RunOut = false;
    int PoolCriticals = 0;
    int CriticalsDelta = 0;

private:
    // How many leading entries of the pool still name an item of the store.
    // The pool is ascending, so entries beyond the store's count (left by an
    // erase since the pool was built) all sit at its end.
    int UsableLength(const VocabStore &store) const;
    // Whether position n names an item of the store now.
    static bool Exists(const VocabStore &store, int n);
    // Hands out the item at a position of the pool.
    NextOutcome HandOut(int position);

    std::vector<qint16> m_pool;        // VAlidi
    std::vector<qint16> m_criticals;   // memoC
    std::vector<bool> m_inPool;        // membership bitmap over store positions
    std::mt19937 m_random{12345u};
};
