#pragma once
class QLabel;
class QWidget;

// A label with its design text at its design place.
QLabel* PlacedLabel(QWidget* parent, const char* text, int left, int top);
