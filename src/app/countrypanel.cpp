#include "app/countrypanel.h"

#include "platform/frames.h"
#include "platform/twips.h"
#include "vocab/vocabstore.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSvgWidget>

LanguageLook LookOfLanguage(qint16 code)
{
    switch (code) {
    case 1: return {QStringLiteral("italy"), QStringLiteral("ITALIAN")};
    case 2: return {QStringLiteral("france"), QStringLiteral("FRENCH")};
    case 3: return {QStringLiteral("germany"), QStringLiteral("GERMAN")};
    case 4: return {QStringLiteral("spain"), QStringLiteral("SPANISH")};
    default: return {QStringLiteral("none"), QStringLiteral("MY LANGUAGE")};
    }
}

QString FlagPicture(const QString &flagKey)
{
    return QStringLiteral(":/pictures/flag_%1.svg").arg(flagKey);
}

CountryPanel::CountryPanel(VocabStore &store, ItemTable &criticals, QWidget *overlayParent)
    : m_store(store), m_criticals(criticals)
{
    QFrame *frame = m_frame = platform::MakeOverlayFrame(
        overlayParent, QStringLiteral("FrameNazione"), twipsRect(0, 1080, 3015, 3600).size());

    auto *title = new QLabel(QStringLiteral("COUNTRY SELECTION"), frame);
    title->setObjectName(QStringLiteral("Label10"));
    title->setGeometry(twipsRect(120, 120, 2775, 255));
    QFont titleFont(QStringLiteral("Times New Roman"));
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    struct Choice {
        const char *name;
        const char *caption;
        const char *picture;
        int top;
        int width;
        qint16 code;
        QRadioButton **slot;
    };
    const Choice choices[] = {
        {"opFra", "France", "PicFra", 600, 1575, 2, &m_opFra},
        {"opGer", "Germany", "PicGer", 1080, 1335, 3, &m_opGer},
        {"opIta", "Italy", "Picture2", 1560, 1335, 1, &m_opIta},
        {"opSpa", "Spain", "Picture3", 2040, 1575, 4, &m_opSpa},
        {"opOth", "Others", "Picture4", 2520, 1575, 0, &m_opOth},
    };
    for (const Choice &c : choices) {
        auto *option = new QRadioButton(QString::fromLatin1(c.caption), frame);
        option->setObjectName(QString::fromLatin1(c.name));
        option->setGeometry(twipsRect(1080, c.top, c.width, 255));
        *c.slot = option;
        const qint16 code = c.code;
        QObject::connect(option, &QRadioButton::toggled, this,
                         [this, code](bool checked) { choose(code, checked); });

        auto *flag = new QSvgWidget(FlagPicture(LookOfLanguage(code).flagKey), frame);
        flag->setObjectName(QString::fromLatin1(c.picture));
        flag->setGeometry(twipsRect(360, c.top - 30, 480, 320));
        // The caption beside it says the same.
        platform::MarkDecorative(flag);
    }
    m_opOth->setChecked(true);
    // Tab lands on the chosen country; the arrow keys choose another.
    platform::TabToCheckedOnly({m_opFra, m_opGer, m_opIta, m_opSpa, m_opOth});

    auto *ok = new QPushButton(QStringLiteral("OK"), frame);
    ok->setObjectName(QStringLiteral("Command2"));
    ok->setToolTip(QStringLiteral("Opzioni impostate"));
    ok->setGeometry(twipsRect(720, 3000, 1335, 420));
    QObject::connect(ok, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void CountryPanel::menuCountry_Click()
{
    m_frame->show();
    m_frame->raise();
    m_focus.open(m_frame, buttonFor(m_store.LanguageCode));
}

void CountryPanel::takeFocus()
{
    if (m_frame->isVisible())
        m_focus.retake(m_frame, buttonFor(m_store.LanguageCode));
}

void CountryPanel::Command2_Click()
{
    m_frame->hide();
    m_focus.close();
}

QRadioButton *CountryPanel::buttonFor(qint16 code) const
{
    switch (code) {
    case 1: return m_opIta;
    case 2: return m_opFra;
    case 3: return m_opGer;
    case 4: return m_opSpa;
    default: return m_opOth;
    }
}

// A click on a country button sets its code. Selecting the button from
// ApplyLanguage does not: a stored code other than 1 to 4 shows as "Others"
// but keeps its value, so that Save writes it back unchanged.
void CountryPanel::choose(qint16 code, bool checked)
{
    if (!checked || m_applying)
        return;
    m_store.LanguageCode = code;
    ApplyLanguage();
}

void CountryPanel::ApplyLanguage()
{
    const qint16 code = m_store.LanguageCode;
    const LanguageLook look = LookOfLanguage(code);
    emit flagChanged(FlagPicture(look.flagKey));
    m_applying = true;
    buttonFor(code)->setChecked(true);
    m_applying = false;
    m_store.SetHeaderText(ItemTable::MyLanguageColumn, look.columnTitle);
    m_criticals.SetHeaderText(ItemTable::MyLanguageColumn, look.columnTitle);
}
