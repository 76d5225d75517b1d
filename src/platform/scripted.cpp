#include "platform/scripted.h"

namespace platform {

Button ScriptedBoxes::show(QWidget *, const QString &title, const QString &text, Icon icon,
                           Buttons buttons)
{
    shown.append(ShownBox{title, text, icon, buttons});
    if (!answers.isEmpty())
        return answers.takeFirst();
    for (Button b : {Ok, Yes, No, Cancel})
        if (buttons & b)
            return b;
    return Ok;
}

QString ScriptedDialogs::openFile(QWidget *, const QString &title, const QString &filter,
                                  const QString &startFolder, const QStringList &places)
{
    asked.append(AskedDialog{false, title, filter, startFolder, QString(), places});
    return nextPaths.isEmpty() ? QString() : nextPaths.takeFirst();
}

QString ScriptedDialogs::saveFile(QWidget *, const QString &title, const QString &filter,
                                  const QString &startFolder, const QString &proposedName,
                                  QString *chosenFilter)
{
    asked.append(AskedDialog{true, title, filter, startFolder, proposedName, {}});
    const QString chosen =
        nextFilters.isEmpty() ? filter.section(QStringLiteral(";;"), 0, 0) : nextFilters.takeFirst();
    if (chosenFilter)
        *chosenFilter = chosen;
    return nextPaths.isEmpty() ? QString() : nextPaths.takeFirst();
}

} // namespace platform
