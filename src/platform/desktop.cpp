#include "platform/desktop.h"

namespace platform {

bool SpeakOrReport(const Desktop &desktop, QWidget *parent, const QString &text)
{
    if (desktop.speech->speak(text))
        return true;
    desktop.boxes->show(parent, QStringLiteral("Attention"), QStringLiteral("Any error ..."),
                        Icon::Critical, Ok);
    return false;
}

} // namespace platform
