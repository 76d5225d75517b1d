#pragma once
// The rules of the lesson boxes, on the run options alone: which boxes a
// click checks and unchecks, the state of each lesson, and the lesson table
// rebuilt from the vocabulary. The options panel mirrors these values in its
// check boxes.

#include "test/itempool.h"

class VocabStore;

class LessonRules {
public:
    explicit LessonRules(RunOptions &options) : m_o(options) {}

    // A mouse button went down on a lesson box: the next change runs the rules.
    void Ckles_MouseDown() { m_o.LessonClickArmed = 1; }

    // Box `index` (0 "All", 1..20 a lesson) changed to `checked`, by a click,
    // the keyboard or the program. Records it and, while armed, runs the
    // selection rules; changes that the rules make to other boxes run them in
    // turn. Returns whether the rules ran (the caller then drops the pending
    // item and disables Restart).
    bool BoxChanged(int index, bool checked);

    // Changes a box as the program does: when its state really changes, the
    // same rules run as for a click. Returns whether they ran.
    bool SetBox(int index, bool checked);

    // The boxes 1..20 are made anew: unchecked and disabled, so no lesson is
    // present until the table is rebuilt.
    void ResetLessonBoxes();

    // Recomputes the lesson states from the items, checks "All" and enables
    // the box of every lesson present (and disables the others). Items whose
    // lesson lies outside 1..20 have no box and are left out. Returns whether
    // checking "All" ran the rules.
    bool RebuildTable(const VocabStore &store);

    // Whether any lesson is chosen (state 2).
    bool AnyChosen() const;

private:
    void Ckles_Click(int index);

    RunOptions &m_o;
};
