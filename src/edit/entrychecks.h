#pragma once
// The rules of the edit view that need no widget: the checks that every item
// passes before the work area stores it, the duplicate search of Add, the
// sort marks of the list headers, and the fixed texts the view shows.

#include "vocab/vocabstore.h"

#include <QString>

// The program's title, the caption of the work area's message boxes.
QString ProgramTitle();

// Longest texts the work area accepts as typed, and longest that a file can
// hold once the entry has been normalised.
constexpr int MaxTypedLesson = 2;
constexpr int MaxTypedEnglish = 47;
constexpr int MaxTypedMyLanguage = 50;
constexpr int MaxStoredText = 50;

enum class EntryFault { None, WrongLength, DataMissing, LessonOutOfRange, BracketsError };

struct EntryCheck {
    EntryFault fault = EntryFault::None;
    // The values to store (trimmed, lesson padded, mark defaulted, texts
    // normalised); complete only when fault is None.
    VocabItem item;
    bool ok() const { return fault == EntryFault::None; }
};

// The checks shared by Add and Change, in their fixed order; the first that
// fails decides the fault:
//   1. trim the four texts (line breaks and other control characters count
//      as blanks: a single-line file field cannot hold them);
//   2. a one-character lesson gets a leading "0"; 3. an empty mark becomes " ";
//   4. a mark over 1, English over 47, my language over 50 or a lesson over 2
//      characters: WrongLength;
//   5. an empty English, my language or lesson: DataMissing;
//   6. a lesson other than "01".."20": LessonOutOfRange;
//   7. normalise both texts and check their brackets: BracketsError;
//   8. a normalised text that no longer fits the 50 characters of the file
//      (the normalisation can add blanks): WrongLength.
EntryCheck CheckEntry(const QString &lesson, const QString &mark, const QString &english,
                      const QString &myLanguage);

// The message box text for a fault ("Wrong length for any data", ...).
QString FaultMessage(EntryFault fault);

// The duplicate search of Add: the first position after `after` whose English
// text equals `english` exactly (case-sensitive), or 0 when there is none.
// Calling it again with the position found goes on from there, so asking
// about every duplicate is a single pass over the table.
int NextDuplicate(const ItemTable &table, const QString &english, int after);

// The question asked for each duplicate found (title "DUPLICATE ...").
QString DuplicateTitle();
QString DuplicateQuestion(const VocabItem &found);

// What a click on a list header does: the column it sorts (0-based), the
// direction, and the header's new text. The header's trailing mark decides:
// none or "<" sorts ascending and sets ">", ">" sorts descending and sets "<".
// The column follows from the header's name: "L", "C", "ENGLISH", and any
// other name (the my-language title) is the fourth column.
struct HeaderSort {
    int column = 0;
    Qt::SortOrder order = Qt::AscendingOrder;
    QString headerText;
};
HeaderSort SortForHeader(const QString &headerText);

// The count lines of the edit view.
QString TotalItemsText(int count); // "Total items = 12"
QString ItemNrText(int count);     // "Item nr =12"

// The refusal of Add when the table holds as many items as a file can keep.
QString FullTableMessage();

// The ten lines of the edit instructions, joined by CR LF.
QString EditInstructions();
