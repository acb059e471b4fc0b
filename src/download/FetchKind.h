#pragma once

// What a fetch to disk is for, handed back with its result: the next slide
// of a slide show, the picture the viewer shows, or a download.
enum class TFetchKind : int {
    SlideShow = 0,
    Viewer = 1,
    Download = 3,
};
