#pragma once
// The country panel: the user's own language, which names the my-language
// column of the lists and puts a flag on the toolbar.

#include "platform/keyboard.h"

#include <QObject>
#include <QString>
#include <QtGlobal>

class ItemTable;
class QFrame;
class QRadioButton;
class VocabStore;

// What a language code shows; codes other than 1 to 4 show as "others".
struct LanguageLook {
    QString flagKey;      // "italy", "france", "germany", "spain", "none"
    QString columnTitle;  // "ITALIAN", ... "MY LANGUAGE"
};
LanguageLook LookOfLanguage(qint16 code);
// The picture of a flag key.
QString FlagPicture(const QString &flagKey);

class CountryPanel : public QObject {
    Q_OBJECT
public:
    // The panel opens in the overlay area given; the language titles the
    // my-language column of the store and of the criticals list.
    CountryPanel(VocabStore &store, ItemTable &criticals, QWidget *overlayParent);
    void menuCountry_Click();
    void Command2_Click();
    void ApplyLanguage();
    // Takes the keyboard focus while the panel is open (New opens the edit
    // view under it), to give it back to where it is now when it closes.
    void takeFocus();

signals:
    // The flag of the language shown, for the toolbar button that starts the
    // test towards my language.
    void flagChanged(const QString &picture);

private:
    void choose(qint16 code, bool checked);
    QRadioButton *buttonFor(qint16 code) const;

    platform::FocusReturn m_focus;
    VocabStore &m_store;
    ItemTable &m_criticals;
    QFrame *m_frame;
    QRadioButton *m_opIta, *m_opFra, *m_opGer, *m_opSpa, *m_opOth;
    bool m_applying = false;
};
