// The design holds: the folders of the sources include each other without a
// circle, and the rules (entry syntax, file format, store, pool, scoring,
// answer checking, synonyms, tests log, lesson rules, entry checks, history
// log) include no widget and nothing of the desktop layer.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

const QString Sources = QStringLiteral(VOCANTO_SOURCE_DIR);

// Every include of every source file: file (relative to src/) -> included names.
QMap<QString, QStringList> Includes()
{
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*[<\"]([^>\"]+)[>\"]"),
                                            QRegularExpression::MultilineOption);
    QMap<QString, QStringList> all;
    QDirIterator it(Sources, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        QStringList names;
        for (auto m = include.globalMatch(text); m.hasNext();)
            names << m.next().captured(1);
        all.insert(QDir(Sources).relativeFilePath(path), names);
    }
    return all;
}

QString FolderOf(const QString &name)
{
    const int slash = name.indexOf(u'/');
    return slash < 0 ? QString() : name.left(slash);
}

// The headers of Qt's widget modules.
QSet<QString> WidgetHeaders()
{
    QSet<QString> headers;
    for (const QString &dir : QStringLiteral(QT_WIDGET_INCLUDE_DIRS).split(u'|')) {
        if (!dir.endsWith(QLatin1String("QtWidgets")) && !dir.endsWith(QLatin1String("QtSvgWidgets")))
            continue;
        for (const QString &header : QDir(dir).entryList(QDir::Files)) {
            headers.insert(header);
            headers.insert(QDir(dir).dirName() + u'/' + header);
        }
    }
    return headers;
}

} // namespace

class TestDesign : public QObject {
    Q_OBJECT
private slots:
    void noIncludeCircleBetweenFolders()
    {
        const QMap<QString, QStringList> includes = Includes();
        QVERIFY(includes.size() > 50);
        QMap<QString, QSet<QString>> uses;
        QMap<QString, QString> example; // "from -> to" -> a file that makes it
        for (auto it = includes.begin(); it != includes.end(); ++it) {
            const QString from = FolderOf(it.key());
            for (const QString &name : it.value()) {
                const QString to = FolderOf(name);
                if (to.isEmpty() || to == from || !QDir(Sources).exists(to))
                    continue;
                uses[from].insert(to);
                example.insert(from + " -> " + to, it.key() + " includes " + name);
            }
        }
        // A depth-first walk finds any circle, and names one of its steps.
        QMap<QString, int> state; // 1 on the path, 2 done
        QStringList path;
        std::function<QString(const QString &)> walk = [&](const QString &folder) -> QString {
            state[folder] = 1;
            path << folder;
            for (const QString &next : uses.value(folder)) {
                if (state.value(next) == 1)
                    return (path.mid(path.indexOf(next)) << next).join(" -> ") + " (" +
                           example.value(folder + " -> " + next) + ")";
                if (state.value(next) == 0)
                    if (const QString circle = walk(next); !circle.isEmpty())
                        return circle;
            }
            path.removeLast();
            state[folder] = 2;
            return {};
        };
        for (const QString &folder : uses.keys())
            if (state.value(folder) == 0) {
                const QString circle = walk(folder);
                QVERIFY2(circle.isEmpty(), qPrintable(circle));
            }
    }

    void rulesIncludeNoWidgetAndNoDesktop()
    {
        const QStringList rules{"vocab/entry", "vocab/vocabfile", "vocab/vocabstore", "vocab/imports",
                                "vocab/fastxml", "vocab/textscan", "vocab/textblocks",
                                "test/itempool", "test/scoring", "test/answercheck",
                                "test/synonyms", "test/testlog", "test/lessonrules",
                                "test/assistance", "test/direction", "test/testsession",
                                "edit/entrychecks", "review/historylog"};
        const QSet<QString> widgets = WidgetHeaders();
        QVERIFY2(widgets.contains("QWidget") && widgets.contains("QSvgWidget"),
                 "the widget headers were not found");
        const QMap<QString, QStringList> includes = Includes();
        int files = 0;
        for (const QString &rule : rules) {
            for (const QString &file : {rule + ".h", rule + ".cpp"}) {
                if (!includes.contains(file))
                    continue;
                ++files;
                for (const QString &name : includes.value(file)) {
                    QVERIFY2(!widgets.contains(name), qPrintable(file + " includes " + name));
                    QVERIFY2(!name.startsWith("platform/"), qPrintable(file + " includes " + name));
                }
            }
        }
        QVERIFY(files >= 29);
    }
};

QTEST_GUILESS_MAIN(TestDesign)
#include "tst_design.moc"
