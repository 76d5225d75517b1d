#pragma once
// The frames that open over the main window's area below the toolbar (the
// options, the country, the test rules, the edit instructions): a raised
// panel at the top left of the area, hidden until its command shows it.

class QFrame;
class QSize;
class QString;
class QWidget;

namespace platform {

QFrame *MakeOverlayFrame(QWidget *area, const QString &objectName, const QSize &size);

} // namespace platform
