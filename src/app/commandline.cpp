#include "app/commandline.h"

#include <QCoreApplication>
#include <QFileInfo>

CommandLine::CommandLine(const QStringList &arguments)
{
    m_parser.setApplicationDescription(
        QStringLiteral("A vocabulary trainer for learners of English."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and ends."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version and ends."));
    m_parser.addOption(help);
    m_parser.addOption(version);
    m_parser.addPositionalArgument(
        QStringLiteral("file"),
        QStringLiteral("A vocabulary (.eng) to open once the main window is up."),
        QStringLiteral("[file]"));

    if (!m_parser.parse(arguments)) {
        m_request = Request::Error;
        m_error = m_parser.errorText();
        return;
    }
    if (m_parser.isSet(help)) {
        m_request = Request::Help;
        return;
    }
    if (m_parser.isSet(version)) {
        m_request = Request::Version;
        return;
    }
    const QStringList files = m_parser.positionalArguments();
    if (files.size() > 1) {
        m_request = Request::Error;
        m_error = QStringLiteral("Only one file can be opened; %1 were named.").arg(files.size());
        return;
    }
    if (files.isEmpty())
        return;
    if (files.first().isEmpty()) {
        m_request = Request::Error;
        m_error = QStringLiteral("The file name is empty.");
        return;
    }
    // Open keeps the file's name for Save and the tests log and moves the
    // current directory to its folder, so a relative name is made absolute
    // while it still means what the user typed.
    m_file = QFileInfo(files.first()).absoluteFilePath();
}

QString CommandLine::text() const
{
    switch (m_request) {
    case Request::Help:
        return m_parser.helpText();
    case Request::Version:
        return QCoreApplication::applicationName() + u' '
            + QCoreApplication::applicationVersion() + u'\n';
    case Request::Error:
        return m_error + QStringLiteral("\nTry --help for the usage.\n");
    case Request::Run:
        break;
    }
    return {};
}
