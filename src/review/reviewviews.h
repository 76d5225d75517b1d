#pragma once
// The read and listen views: the whole vocabulary as a list with its counts,
// all items or the critical items only; in the listen view a click on an
// item speaks it (the edit view's item click does the speaking).

#include <QString>

struct AppContext;
class ItemLists;
class ViewHost;

class ReviewViews {
public:
    ReviewViews(AppContext &ctx, ViewHost &host, ItemLists &lists)
        : m_ctx(ctx), m_host(host), m_lists(lists)
    {
    }
    // Read items / End reading (toolbar button 4).
    void menuLeggi_Click();
    // Listen items / End listening (toolbar button 5).
    void menuAscolta_Click();

private:
    void readOn();
    void readOff();
    void listenOn();
    void listenOff();
    // What both views show: the item list, its count and the switch.
    void showList(const QString &countText, const QString &criticalsText);
    void hideList();

    AppContext &m_ctx;
    ViewHost &m_host;
    ItemLists &m_lists;
};
