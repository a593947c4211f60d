// Accessible names for every control of a window, so screen readers and automated drivers
// (the desktop's accessibility interface) can find each one by what a user reads on it.
// Main thread only.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// A caption as a reader says it: mnemonic markers removed ("&&" stays a literal "&"), the
// ellipsis and a trailing colon dropped, blanks trimmed ("Frame &Size:" -> "Frame Size").
QString AccessibleText(const QString& Caption);

// Gives every control below Root (and Root itself) that has no accessible name yet one from, in
// this order: its own caption (buttons, check boxes, group boxes, actions of tool buttons), the
// label whose buddy it is, its tool tip (the hint), its placeholder text. Names already set are
// kept. Call it after the window's controls exist; call it again after adding controls.
void NameControls(QWidget* Root);

// The controls below Root that a user can work (buttons, edits, lists, combos, sliders, spin
// boxes, views) and that have no accessible name, as "objectName (class)" texts; empty when every
// one is named. Hidden controls count too: they can be shown later.
QStringList UnnamedControls(QWidget* Root);
