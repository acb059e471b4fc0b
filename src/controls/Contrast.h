#pragma once
#include <QColor>

// Text colours that stay readable. Contrast as the accessibility guidelines
// measure it: from 1 (the same colour) to 21 (black on white); 4.5 is their
// floor for ordinary text.
double ContrastRatio(const QColor& a, const QColor& b);

// The text colour moved toward black or white, whichever the background
// leaves more room for, just far enough to reach the ratio against the
// background (as far as it can); unchanged where it reaches it already.
QColor ReadableOn(const QColor& text, const QColor& background, double ratio);
