#include "app/helpcommands.h"

#include "app/aboutwindow.h"
#include "platform/frames.h"
#include "platform/views.h"
#include "test/appcontext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

QStringList TestRulesLines()
{
    return {
        QStringLiteral("START"),
        QStringLiteral("  - you start with 1000 bonus points"),
        QStringLiteral("REWARD"),
        QStringLiteral("  - each exact answer adds as many"),
        QStringLiteral("    points as its number of characters"),
        QStringLiteral("PENALTY FOR DELAYED ANSWER"),
        QStringLiteral("  - within TT (*): 0 points"),
        QStringLiteral("  - over 1 TT, but less than 2 TT:"),
        QStringLiteral("    about 1 point each second"),
        QStringLiteral("  - over 2 TT, but less than 3 TT: "),
        QStringLiteral("    about 2 points each second"),
        QStringLiteral("  - over 3 TT: more and more..."),
        QStringLiteral("PENALTY FOR CALLING ASSISTANCE"),
        QStringLiteral("  - the REWARD is halved"),
        QStringLiteral("----------"),
        QStringLiteral("(*) Target Time: always shown on the"),
        QStringLiteral("window title"),
    };
}

QString TestRulesText()
{
    return TestRulesLines().join(QStringLiteral("\r\n"));
}

namespace {

// Where a file installed with the program may be: beside the program (the
// build tree), then in the installed data folder.
QStringList InstalledCandidates(const QString &programFolder, const QString &relative)
{
    const QDir dir(programFolder);
    return {
        QDir::cleanPath(dir.filePath(relative)),
        QDir::cleanPath(dir.filePath(QStringLiteral("../share/vocanto/") + relative)),
    };
}

} // namespace

QStringList HelpPageCandidates(const QString &programFolder)
{
    return InstalledCandidates(programFolder,
                               QStringLiteral("help/") + QString::fromLatin1(HelpPageRelativePath));
}

QString FindHelpPage(const QString &programFolder)
{
    for (const QString &path : HelpPageCandidates(programFolder))
        if (QFileInfo(path).isFile())
            return path;
    return QString();
}

QStringList StarterFolderCandidates(const QString &programFolder)
{
    return InstalledCandidates(programFolder, QString::fromLatin1(StarterFolderName));
}

QString FindStarterFolder(const QString &programFolder)
{
    for (const QString &path : StarterFolderCandidates(programFolder))
        if (QFileInfo(path).isDir())
            return path;
    return QString();
}

HelpCommands::HelpCommands(AppContext &ctx, ViewHost &host, QWidget *overlayParent)
    : m_ctx(ctx), m_host(host)
{
    // The frame takes the size its text needs (below).
    QFrame *frame = m_frame =
        platform::MakeOverlayFrame(overlayParent, QStringLiteral("FrameRegole"), QSize());

    auto *title = new QLabel(QStringLiteral("TEST  RULES"), frame);
    title->setObjectName(QStringLiteral("Label9"));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    m_rules = new QLabel(frame);
    m_rules->setObjectName(QStringLiteral("Label7"));
    m_rules->setAccessibleName(QStringLiteral("Test rules"));
    m_rules->setTextFormat(Qt::PlainText);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    m_rules->setFont(fixed);
    m_rules->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_rules->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *ok = new QPushButton(QStringLiteral("OK"), frame);
    ok->setObjectName(QStringLiteral("Command6"));
    QObject::connect(ok, &QPushButton::clicked, ok, [this] { Command6_Click(); });

    // The frame's size follows from the full text in its font, so that it
    // stays the same whatever the label shows.
    const int margin = 12;
    m_rules->setText(TestRulesText());
    const QSize textSize = m_rules->sizeHint();
    m_rules->clear();
    const QSize okSize = ok->sizeHint().expandedTo(QSize(90, 0));
    const int innerWidth = qMax(textSize.width(), title->sizeHint().width());
    const int titleHeight = title->sizeHint().height();
    title->setGeometry(margin, margin, innerWidth, titleHeight);
    m_rules->setGeometry(margin, margin + titleHeight + 8, innerWidth, textSize.height());
    ok->setGeometry(margin + (innerWidth - okSize.width()) / 2,
                    m_rules->geometry().bottom() + 1 + 10, okSize.width(), okSize.height());
    frame->resize(innerWidth + 2 * margin, ok->geometry().bottom() + 1 + margin);
}

QString HelpCommands::programFolder() const
{
    return m_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_programFolder;
}

void HelpCommands::menuIstruzioni_Click()
{
    const QString page = FindHelpPage(programFolder());
    if (page.isEmpty()) {
        m_ctx.desktop.boxes->show(
            m_frame->window(), QStringLiteral("General instruction"),
            QStringLiteral("The instructions page cannot be found.\r\nIt should be in:\r\n%1")
                .arg(QDir::toNativeSeparators(HelpPageCandidates(programFolder()).join(
                    QStringLiteral("\r\n")))),
            platform::Icon::Warning, platform::Ok);
        return;
    }
    // The desktop may find no program for the page only after a while; the
    // message then names the page, so the user can open it by hand.
    QPointer<QWidget> window(m_frame->window());
    platform::MessageBoxes *boxes = m_ctx.desktop.boxes;
    m_ctx.desktop.browser->open(QUrl::fromLocalFile(page), [window, boxes, page](const QString &reason) {
        if (!window)
            return;
        boxes->show(
            window, QStringLiteral("General instruction"),
            QStringLiteral("The instructions page cannot be shown: %1\r\nThe page is:\r\n%2")
                .arg(reason, QDir::toNativeSeparators(page)),
            platform::Icon::Warning, platform::Ok);
    });
}

void HelpCommands::menuRegole_Click()
{
    m_frame->show();
    m_frame->raise();
    m_focus.open(m_frame, m_frame->findChild<QPushButton *>(QStringLiteral("Command6")));
    m_rules->setText(TestRulesText());
    m_host.growToFit(m_frame, ViewHost::Growth::WidthFirst);
}

void HelpCommands::Command6_Click()
{
    if (m_frame->isHidden())
        return;
    m_frame->hide();
    m_focus.close();
}

void HelpCommands::menuInfo_Click()
{
    AboutWindow about(m_frame->window());
    about.exec();
}
