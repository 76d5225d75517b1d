#pragma once
// Everything that outlives a single command: the vocabulary, the run options,
// the item pool, the values of the test session, the sounds switch, and the
// desktop the program talks to.

#include "platform/desktop.h"
#include "test/itempool.h"
#include "test/testlog.h"
#include "test/testsession.h"
#include "vocab/vocabstore.h"

struct AppContext {
    explicit AppContext(const platform::Desktop &d) : desktop(d) {}

    platform::Desktop desktop;
    VocabStore store;
    RunOptions options;
    ItemPool pool;
    TestSession session;
    TestLog testLog;
    bool soundsOn = false;
};
