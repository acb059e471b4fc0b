#pragma once

// Engine codes: what to do with a fetched page.
enum EngineCode : int {
    ecThumbnailPage = 0,
    ecScourNet = 1,
    ecHotBot = 2,
    ecLycos = 3,
    ecLycosImagesDirect = 4,
    ecListedPage = 99,
    ecFirstSource = 100, // a live source's answer page: 100 + its place in the list
};
