#pragma once
#include <QLabel>

// A label of one line that never asks for more width than it is given: text
// that does not fit ends in "…", and the whole text is its tooltip. text()
// stays the whole text.
class TElidedLabel : public QLabel {
public:
    explicit TElidedLabel(QWidget* parent = nullptr);

    void SetText(const QString& text); // the text and its tooltip
    bool Elided() const; // at the present width

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString Shown() const;
};
