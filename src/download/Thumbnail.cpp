#include "download/Thumbnail.h"

#include "download/JpegDecoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

namespace {

QImage ReadOtherType(std::string_view bytes, int side)
{
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > side || size.height() > side))
        reader.setScaledSize(size.scaled(side, side, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull())
        throw EPictureError("Not a picture: " + reader.errorString().toStdString());
    return image;
}

} // namespace

QImage MakeThumbnail(std::string_view bytes, int side)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    QImage image = bytes.size() >= 2 && data[0] == 0xFF && data[1] == 0xD8 ? DecodeJpegThumbnail(data, bytes.size(), side)
                                                                            : ReadOtherType(bytes, side);
    if (image.width() > side || image.height() > side)
        image = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
