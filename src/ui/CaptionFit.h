// Captions in windows laid out by coordinates, in languages longer than English: a caption that
// needs more than its designed width takes the room from the left of the field it names.
#pragma once

#include <initializer_list>

class QWidget;

// Widens Caption to the width its text needs (never narrower than designed) and moves Field's
// left edge by as much, keeping Field's right edge.
void FitCaption(QWidget* Caption, QWidget* Field);

// Controls side by side (check boxes, buttons): when one needs more than its designed width,
// each takes the width it needs (never less than designed) and they follow each other from the
// first one's left edge, Gap apart.
void FitRow(std::initializer_list<QWidget*> Row, int Gap);
