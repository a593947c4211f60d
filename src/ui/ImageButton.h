// The small picture buttons of the player controls (play, pause, stop, snapshot): an icon of the
// style, the hint as tool tip and as text (so the button has a caption for readers), no frame
// until hovered. Main thread only.
#pragma once

#include <QString>
#include <QStyle>

class QToolButton;
class QWidget;

// A button owned by Parent, named Name.
QToolButton* ImageButton(QWidget* Parent, const QString& Name, const QString& Hint,
                         QStyle::StandardPixmap Picture);
