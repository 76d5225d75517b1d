#pragma once
// Shared blocks of characters for the texts that a reader makes.

#include <QString>

// The texts of the items read. Every text lives in a block of characters
// that it shares with the texts read after it: each QString holds a
// reference to its block, which is freed when the last of them goes. So a
// read allocates once per block rather than once per text. A QString treats
// such a block as shared data: it copies before it changes anything, unless
// it is the block's last holder. Each text is followed by a NUL, as
// QString keeps its own data.
//
// A block's count of references is raised once, when the block is made, by
// the most texts it can hold, and lowered by those it did not hold when the
// next block takes over: the count never falls below the number of holders,
// and it takes two atomic operations per block instead of one per text.
class TextBlocks {
public:
    // The first block takes no more than `expected` characters: a small
    // file needs no block of full size.
    explicit TextBlocks(qsizetype expected) : m_nextSize(qBound<qsizetype>(32, expected, BlockSize))
    {
    }
    TextBlocks(const TextBlocks &) = delete;
    TextBlocks &operator=(const TextBlocks &) = delete;
    ~TextBlocks() { retire(); }

    // Room for `size` characters (and their NUL) at the place returned.
    char16_t *room(qsizetype size)
    {
        if (m_free < size + 1) {
            retire();
            const qsizetype capacity = qMax<qsizetype>(m_nextSize, size + 1);
            m_nextSize = BlockSize;
            m_block = QString::DataPointer(QTypedArrayData<char16_t>::allocate(capacity));
            m_next = m_block.data();
            m_free = capacity;
            // A text takes at least two places (a character and its NUL).
            m_unheld = int(capacity / 2);
            m_block.d_ptr()->ref_.fetchAndAddRelaxed(m_unheld);
        }
        return m_next;
    }
    // The text of the `size` characters written at room().
    QString take(qsizetype size)
    {
        if (size == 0)
            return QString(0, Qt::Uninitialized);
        char16_t *const text = m_next;
        text[size] = u'\0';
        m_next += size + 1;
        m_free -= size + 1;
        --m_unheld;
        return QString(QString::DataPointer(m_block.d_ptr(), text, size));
    }

private:
    void retire()
    {
        if (m_unheld > 0)
            m_block.d_ptr()->ref_.fetchAndSubRelaxed(m_unheld);
        m_unheld = 0;
        m_block = {};
    }

    static constexpr qsizetype BlockSize = 16 * 1024;
    QString::DataPointer m_block; // holds a reference of its own
    char16_t *m_next = nullptr;
    qsizetype m_free = 0;
    int m_unheld = 0; // references counted for texts not yet taken
    qsizetype m_nextSize;
};
