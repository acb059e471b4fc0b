#pragma once
#include <QIcon>
#include <QImage>
#include <QPicture>
#include <functional>

// A picture a fading button holds: empty, a bitmap, an icon (drawn at its own
// size) or a vector picture, the metafile of this platform (drawn scaled).
// Tells its owner through OnChange whenever its content changes.
class TPicture {
public:
    enum class TKind { Empty, Bitmap, Icon, Metafile };

    TPicture() = default;
    TPicture(const TPicture& other) : FKind(other.FKind), FBitmap(other.FBitmap), FIcon(other.FIcon),
                                      FIconSize(other.FIconSize), FMetafile(other.FMetafile) {}
    TPicture& operator=(const TPicture&) = delete;

    void Assign(const TPicture& other); // copies the content, not the owner's notification
    void SetBitmap(const QImage& bitmap);
    void SetIcon(const QIcon& icon, QSize ownSize);
    void SetMetafile(const QPicture& metafile);
    void Clear();
    // Exchanges the contents without telling the owners.
    void SwapQuietly(TPicture& other);

    TKind Kind() const { return FKind; }
    bool Empty() const { return FKind == TKind::Empty; }
    QSize Size() const; // in design pixels: a bitmap for a dense screen holds more
    // Draws the content unscaled at the painter's origin, or scaled into the rectangle.
    void Draw(QPainter& painter) const;
    void StretchDraw(QPainter& painter, const QRect& target) const;

    std::function<void()> OnChange;

private:
    void Changed();

    TKind FKind = TKind::Empty;
    QImage FBitmap;
    QIcon FIcon;
    QSize FIconSize;
    QPicture FMetafile;
};
