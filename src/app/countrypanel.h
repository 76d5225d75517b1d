#pragma once
// The country panel: the user's own language, which names the my-language
// column of the lists and puts a flag on the toolbar.

#include <QString>
#include <QtGlobal>

class MainWindow;
class QRadioButton;

// What a language code shows; codes other than 1 to 4 show as "others".
struct LanguageLook {
    QString flagKey;      // "italy", "france", "germany", "spain", "none"
    QString columnTitle;  // "ITALIAN", ... "MY LANGUAGE"
};
LanguageLook LookOfLanguage(qint16 code);
// The picture of a flag key.
QString FlagPicture(const QString &flagKey);

class CountryPanel {
public:
    explicit CountryPanel(MainWindow &mw);
    void menuCountry_Click();
    void Command2_Click();
    void ApplyLanguage();

private:
    void choose(qint16 code, bool checked);
    QRadioButton *buttonFor(qint16 code) const;

    MainWindow &m_mw;
    QRadioButton *m_opIta, *m_opFra, *m_opGer, *m_opSpa, *m_opOth;
    bool m_applying = false;
};
