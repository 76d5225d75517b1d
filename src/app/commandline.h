#pragma once
// The command line: "vocanto [FILE]" opens FILE once the main window is up;
// --help and --version answer in the terminal instead.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

class CommandLine {
public:
    enum class Request { Run, Help, Version, Error };

    // Reads the arguments, the program's name first.
    explicit CommandLine(const QStringList &arguments);

    Request request() const { return m_request; }
    // The file to open, made absolute from the current directory; empty when
    // none was named.
    QString file() const { return m_file; }
    // What the program prints for a request other than Run, ending in a new
    // line: the help (this needs the application object), the version, or
    // what was wrong with the arguments.
    QString text() const;
    // The exit code that goes with it: 0, or 1 for Error.
    int exitCode() const { return m_request == Request::Error ? 1 : 0; }

private:
    QCommandLineParser m_parser;
    Request m_request = Request::Run;
    QString m_file;
    QString m_error;
};
