#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The kinds of picture a search may list. JPEG alone is the default; the
// others are switched on by the user.
enum class TPictureType : uint8_t { Jpeg, Png, Gif, Webp };
constexpr int PictureTypeCount = 4;

// A set of picture types, kept as bits.
class TPictureTypes {
public:
    constexpr TPictureTypes() = default;
    static constexpr TPictureTypes JpegOnly() { return TPictureTypes().With(TPictureType::Jpeg); }
    static constexpr TPictureTypes All() { return TPictureTypes(0x0F); }

    constexpr bool Has(TPictureType type) const { return (FBits & Bit(type)) != 0; }
    constexpr TPictureTypes With(TPictureType type) const { return TPictureTypes(FBits | Bit(type)); }
    constexpr bool Empty() const { return FBits == 0; }
    // Any type besides JPEG.
    constexpr bool HasOthers() const { return (FBits & ~Bit(TPictureType::Jpeg)) != 0; }
    constexpr bool operator==(const TPictureTypes&) const = default;

private:
    constexpr explicit TPictureTypes(uint8_t bits) : FBits(bits) {}
    static constexpr uint8_t Bit(TPictureType type) { return static_cast<uint8_t>(1u << static_cast<int>(type)); }
    uint8_t FBits = 0;
};

// "jpeg", "png", "gif", "webp".
const char* PictureTypeName(TPictureType type);
// The extension a link of the type ends in: ".jpg", ".png", ".gif", ".webp".
const char* PictureExtension(TPictureType type);

// Names separated by commas, letter case and spaces ignored ("jpeg, PNG");
// nothing when a name is unknown or none is given.
std::optional<TPictureTypes> ParsePictureTypes(std::string_view text);
// The names of the set, in type order, separated by commas.
std::string PictureTypesText(TPictureTypes types);

// The type of a link that is a picture of the set: it ends in the type's
// extension (exact case), which occurs nowhere else in it.
std::optional<TPictureType> LinkPictureType(std::string_view link, TPictureTypes types);

// Whether a checked link's response is a picture: the content type names an
// image, and for a type besides JPEG it names that type (a ".png" link
// answered as "image/jpeg" is not taken for a PNG).
bool ContentTypeFits(std::string_view contentType, TPictureType linkType);
