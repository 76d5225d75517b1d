#include "test/lessonrules.h"

#include "vocab/vocabstore.h"

bool LessonRules::AnyChosen() const
{
    for (int k = 1; k <= 20; ++k)
        if (m_o.LessonState[k] == 2)
            return true;
    return false;
}

bool LessonRules::BoxChanged(int index, bool checked)
{
    if (index < 0 || index > 20)
        return false;
    m_o.LessonChecked[index] = checked;
    const bool armed = m_o.LessonClickArmed != 0;
    Ckles_Click(index);
    return armed;
}

bool LessonRules::SetBox(int index, bool checked)
{
    if (index < 0 || index > 20 || m_o.LessonChecked[index] == checked)
        return false;
    return BoxChanged(index, checked);
}

// The rules are written so that the changes they make to other boxes, which
// come back here while still armed, settle: checking a lesson disarms before
// it unchecks "All"; unchecking the lessons from "All" finds "All" already
// checked (or leaves it unchecked when it was the box clicked).
void LessonRules::Ckles_Click(int index)
{
    if (m_o.LessonClickArmed == 0)
        return;
    if (index == 0) {
        for (int k = 1; k <= 20; ++k) {
            if (!m_o.LessonEnabled[k])
                continue;
            m_o.LessonState[k] = 1;
            SetBox(k, false);
        }
        return;
    }
    if (m_o.LessonChecked[index]) {
        m_o.LessonState[index] = 2;
        m_o.LessonClickArmed = 0;
        SetBox(0, false);
    } else {
        m_o.LessonState[index] = 1;
        if (!AnyChosen())
            SetBox(0, true);
    }
}

void LessonRules::ResetLessonBoxes()
{
    for (int k = 1; k <= 20; ++k) {
        m_o.LessonChecked[k] = false;
        m_o.LessonEnabled[k] = false;
        m_o.LessonState[k] = 0;
    }
}

bool LessonRules::RebuildTable(const VocabStore &store)
{
    std::array<bool, 21> present{};
    const auto &items = store.Items();
    for (const VocabItem &item : items) {
        const int lesson = item.LessonNumber();
        if (lesson >= 1 && lesson <= 20)
            present[lesson] = true;
    }
    for (int k = 1; k <= 20; ++k)
        m_o.LessonState[k] = present[k] ? 1 : 0;
    const bool ran = SetBox(0, true);
    // Checking "All" while armed unchecks the boxes enabled so far and marks
    // their lessons present; a lesson whose last item has gone since then is
    // absent all the same, and its box is disabled again, so that a disabled
    // box always means "no item of that lesson".
    for (int k = 1; k <= 20; ++k) {
        m_o.LessonState[k] = present[k] ? 1 : 0;
        m_o.LessonEnabled[k] = present[k];
    }
    m_o.LessonClickArmed = 1;
    return ran;
}
