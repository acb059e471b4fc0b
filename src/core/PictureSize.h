#pragma once
#include <cstdint>

// A found picture's size as far as the search knows it: listed without a
// check, checked without a length (none, or none worth a byte), or checked
// (or told by a live source) with its length in bytes.
class TPictureSize {
public:
    constexpr TPictureSize() = default; // unchecked

    static constexpr TPictureSize Unchecked() { return {}; }
    // A check's Content-Length; none told is negative.
    static constexpr TPictureSize Checked(int64_t contentLength)
    {
        return TPictureSize(contentLength > 0 ? contentLength : 0, true);
    }
    // What a live source told; 0 when it gave none.
    static constexpr TPictureSize Told(int64_t bytes) { return bytes > 0 ? Checked(bytes) : Unchecked(); }

    constexpr bool WasChecked() const { return FChecked; }
    constexpr bool Known() const { return FBytes > 0; }
    // 0 when not known.
    constexpr int64_t Bytes() const { return FBytes; }

    constexpr bool operator==(const TPictureSize&) const = default;

private:
    constexpr TPictureSize(int64_t bytes, bool checked) : FBytes(bytes), FChecked(checked) {}

    int64_t FBytes = 0;
    bool FChecked = false;
};
