#pragma once
#include <QColor>
#include <QLabel>
#include <functional>
#include <string>

class QAction;
class QMenu;

// A label that looks like a web link: opens URL (or, when that is blank, its
// own text) through the shell when clicked, turns ActiveColor while the left
// button is held on it, and offers "Copy" for its text in a context menu.
class TUrlLabel : public QLabel {
    Q_OBJECT
public:
    explicit TUrlLabel(QWidget* parent = nullptr);

    std::string URL;
    QColor ActiveColor{0x80, 0x00, 0x80};
    std::function<void()> OnClick; // the label's ordinary click, before the link opens

    QColor FontColor() const;
    void SetFontColor(const QColor& color);
    void Click();
    QMenu* PopupMenu() const { return FPopupMenu; }
    QAction* CopyItem() const { return FCopyItem; }

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    QColor FSavedColor;
    bool FPressed = false;
    QMenu* FPopupMenu;
    QAction* FCopyItem;
};
