#pragma once
// The accepted answers of the item being asked: its own alternatives and the
// answers of every other item of the pool that translates the same question,
// with the lines of the synonyms message shown after an exact answer.

#include "test/direction.h"

#include <QString>
#include <QStringList>

class AnswerChecker;
class ItemPool;
class VocabStore;
struct VocabItem;

struct SynonymSearch {
    QString QuestionMain; // the question, trimmed, cut before the blank that precedes its "("
    QString SynonymsText; // the message lines, joined by carriage returns
    QString OwnLine;      // the item's own line when its answer has alternatives, "" otherwise
};

// One line of the synonyms message:
// "(Les.03)   house (home) = casa".
QString SynonymLine(const VocabItem &item);

// The question cut before the blank that precedes its first "(" (square
// brackets are not cut), after trimming.
QString QuestionMainOf(const QString &question);

// The item's own answer entry: with alternatives, its line starts the
// message and its parts become the first accepted answers.
void ListOwnAlternatives(const VocabItem &item, TestDirection direction, SynonymSearch &search,
                         QStringList &acceptedAnswers);

// Every item of the pool whose question side has a part equal to the
// question's main text, in store order, adds its line and its answer parts.
// One pass over the store with a constant-time pool membership test.
void FindSynonyms(const QString &question, const VocabStore &store, const ItemPool &pool,
                  TestDirection direction, SynonymSearch &search, QStringList &acceptedAnswers);

// The synonyms message's title.
QString SynonymsTitle(const SynonymSearch &search);

// The synonyms message's text: its lines broken by line feeds, where a
// message box breaks them.
QString SynonymsMessageText(const SynonymSearch &search);

// What the window shows for a new item.
struct PreparedItem {
    QString Question; // for the question box
    QString Lablez;   // "Lez/Num 05/123"
    bool Critical = false; // the blink clock runs
};

// Next item's preparation for the pool's current item: the target (the main
// text of the answer side), the question, the accepted answers and the
// synonyms. The item must be a valid store position.
PreparedItem PrepareItem(AnswerChecker &checker, SynonymSearch &search, const VocabStore &store,
                         const ItemPool &pool, TestDirection direction);
